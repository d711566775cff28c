#pragma once

#include "Core/Delegate.h"

#include <cstdint>

using FExecuteAction = TDelegate<void()>;
using FCanExecuteAction = TDelegate<bool()>;
using FIsActionChecked = TDelegate<bool()>;

/**
 * A list of UI commands bound to actions. This editor binds no UI commands: entries carry
 * their actions in an FUIAction, and builders take an empty (nullptr) command list.
 */
class FUICommandList;

/** How an entry offers its action. */
enum class EUserInterfaceActionType : uint8_t
{
	None,
	Button,
	ToggleButton,
	RadioButton,
	Check,
	CollapsedButton,
};

/** What a button does when clicked, and whether it may be clicked now. */
struct FUIAction
{
	FUIAction() = default;
	FUIAction(FExecuteAction InExecuteAction, FCanExecuteAction InCanExecuteAction = {}, FIsActionChecked InGetActionCheckState = {})
		: ExecuteAction(std::move(InExecuteAction))
		, CanExecuteAction(std::move(InCanExecuteAction))
		, GetActionCheckState(std::move(InGetActionCheckState))
	{
	}

	/** True unless a can-execute check is bound and says no. */
	bool CanExecute() const { return !CanExecuteAction.IsBound() || CanExecuteAction.Execute(); }
	/** Runs the action when it may run; returns whether it ran. */
	bool Execute() const;
	bool IsBound() const { return ExecuteAction.IsBound(); }

	FExecuteAction ExecuteAction;
	FCanExecuteAction CanExecuteAction;
	FIsActionChecked GetActionCheckState;
};
