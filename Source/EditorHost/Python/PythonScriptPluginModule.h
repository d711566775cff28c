#pragma once

#include "Python/PythonScriptPlugin.h"

#include <memory>

/**
 * The "PythonScriptPlugin" module: the editor's embedded CPython interpreter.
 * Commands run in __main__, so what one command defines the next one sees.
 * Python's standard output goes to the log (LogPython, verbosity Log), its
 * standard error and every uncaught exception with its traceback at Error.
 * Scripts reach the editor through the `editor` module.
 *
 * The interpreter belongs to the game thread: every call here comes from the
 * thread that runs the editor's event loop (the thread that starts the module
 * before the loop runs). It starts once per module load and is finalized when
 * the module shuts down.
 */
class FPythonScriptPlugin final : public IPythonScriptPlugin
{
public:
	/** When the interpreter starts: at module start-up, or when InitializePython is called. */
	enum class EInitialization
	{
		AtStartup,
		Deferred
	};

	explicit FPythonScriptPlugin(EInitialization InInitialization = EInitialization::AtStartup);
	~FPythonScriptPlugin() override;

	void StartupModule() override;
	void ShutdownModule() override;

	bool IsPythonAvailable() const override { return bAvailable; }
	bool IsPythonInitialized() const override { return Interpreter != nullptr; }
	bool ExecPythonCommand(std::string_view Command) override;
	FSimpleMulticastDelegate& OnPythonInitialized() override { return PythonInitialized; }

	/**
	 * Starts the interpreter unless it runs already, then fires the initialized
	 * event (once). False, with the reason logged, when it cannot start; Python
	 * is then unavailable for the rest of the module's life.
	 */
	bool InitializePython();

private:
	class FInterpreter;

	EInitialization Initialization;
	bool bAvailable = true;
	std::unique_ptr<FInterpreter> Interpreter;
	FSimpleMulticastDelegate PythonInitialized;
};
