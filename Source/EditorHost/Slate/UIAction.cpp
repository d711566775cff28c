#include "Slate/UIAction.h"

bool FUIAction::Execute() const
{
	if (!CanExecute())
	{
		return false;
	}
	return ExecuteAction.ExecuteIfBound();
}
