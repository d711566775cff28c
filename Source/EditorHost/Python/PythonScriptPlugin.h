#pragma once

#include "Core/Delegates.h"
#include "Runtime/ModuleManager.h"

#include <string_view>

/**
 * The editor's Python scripting module, "PythonScriptPlugin". It is loaded only
 * when the host has a Python interpreter; callers look it up by name and must
 * cope with its absence.
 */
class IPythonScriptPlugin : public IModuleInterface
{
public:
	/** The loaded module, or nullptr. */
	static IPythonScriptPlugin* Get() { return FModuleManager::GetModulePtr<IPythonScriptPlugin>("PythonScriptPlugin"); }

	/** Whether scripting is available in this editor at all. */
	virtual bool IsPythonAvailable() const = 0;
	/** Whether the interpreter has started. */
	virtual bool IsPythonInitialized() const = 0;
	/** Runs Python text in __main__; an exception is logged, and the result is false. */
	virtual bool ExecPythonCommand(std::string_view Command) = 0;
	/** Fires once, when the interpreter has started. */
	virtual FSimpleMulticastDelegate& OnPythonInitialized() = 0;
};
