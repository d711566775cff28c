#pragma once

#include "Core/Log.h"
#include "Runtime/EditorHost.h"

#include <optional>
#include <string>
#include <vector>

/** What the options of `serve` and `request` ask for. */
struct FProgramOptions
{
	FEditorHostOptions Host;
	std::optional<ELogVerbosity> LogLevel;
	/** Whether --ui-port was given: a busy UI port the user chose stops the start, the default one only warns. */
	bool bUiPortGiven = false;
	bool bHelp = false;
	/** The words that are not options, in order (request: METHOD PATH [BODY | @FILE]). */
	std::vector<std::string> Positionals;
};

/** Exit codes of the program. */
enum class EExitCode : int
{
	Success = 0,
	RequestFailed = 1,
	BadUsage = 2,
	CannotStart = 3
};

/**
 * Parses the options after the command word. Options: --project DIR, --port N, --ui-port N,
 * --bind ADDR, --no-python, --no-remote-control, --builtin-mcp, --mcp-port N, --log-level LEVEL, --help; "--name=value"
 * works too. The network options (--port, --ui-port, --bind) only when bAllowNetworkOptions. A bad
 * option yields an empty result and a message.
 */
std::optional<FProgramOptions> ParseProgramOptions(const std::vector<std::string>& Arguments, bool bAllowNetworkOptions, std::string& OutError);

int RunServeCommand(const std::vector<std::string>& Arguments);
int RunRequestCommand(const std::vector<std::string>& Arguments);
