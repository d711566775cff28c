#include "Editor/ToolMenuOwner.h"

#include <vector>

namespace
{
	/** The owners of the live scopes, innermost last (tool menus are used on the game thread only). */
	std::vector<FToolMenuOwner>& GetOwnerStack()
	{
		static std::vector<FToolMenuOwner> Stack;
		return Stack;
	}
}

FToolMenuOwnerScoped::FToolMenuOwnerScoped(FToolMenuOwner InOwner)
{
	GetOwnerStack().push_back(InOwner);
}

FToolMenuOwnerScoped::~FToolMenuOwnerScoped()
{
	GetOwnerStack().pop_back();
}

FToolMenuOwner FToolMenuOwnerScoped::GetCurrentOwner()
{
	const std::vector<FToolMenuOwner>& Stack = GetOwnerStack();
	return Stack.empty() ? FToolMenuOwner() : Stack.back();
}
