#pragma once

#include "Python/PythonScriptPlugin.h"

#include <string>
#include <vector>

/** A Python module that records the commands it is asked to run. */
class FFakePythonScriptPlugin final : public IPythonScriptPlugin
{
public:
	bool bAvailable = true;
	bool bInitialized = true;
	std::vector<std::string> Commands;

	bool IsPythonAvailable() const override { return bAvailable; }
	bool IsPythonInitialized() const override { return bInitialized; }
	bool ExecPythonCommand(std::string_view Command) override
	{
		Commands.emplace_back(Command);
		return true;
	}
	FSimpleMulticastDelegate& OnPythonInitialized() override { return Initialized; }

	/** Starts the interpreter: marks it initialized and fires the event. */
	void Initialize()
	{
		bInitialized = true;
		Initialized.Broadcast();
	}

private:
	FSimpleMulticastDelegate Initialized;
};
