#include "CommandLine.h"

#include <iostream>
#include <string>
#include <vector>

namespace
{
	constexpr const char* ProgramHelp =
		"Usage: korvane-editor COMMAND [options]\n"
		"\n"
		"The headless editor that runs the KorvaneConnector plug-in.\n"
		"\n"
		"Commands:\n"
		"  serve      load a project and serve the connector's routes on 127.0.0.1:30010\n"
		"  request    route one request without a socket and print the answer\n"
		"\n"
		"'korvane-editor COMMAND --help' describes a command.\n";
}

int main(int ArgumentCount, char** ArgumentValues)
{
	const std::vector<std::string> Arguments(ArgumentValues + 1, ArgumentValues + ArgumentCount);
	if (Arguments.empty() || Arguments[0] == "--help" || Arguments[0] == "-h" || Arguments[0] == "help")
	{
		(Arguments.empty() ? std::cerr : std::cout) << ProgramHelp;
		return static_cast<int>(Arguments.empty() ? EExitCode::BadUsage : EExitCode::Success);
	}

	const std::vector<std::string> CommandArguments(Arguments.begin() + 1, Arguments.end());
	if (Arguments[0] == "serve")
	{
		return RunServeCommand(CommandArguments);
	}
	if (Arguments[0] == "request")
	{
		return RunRequestCommand(CommandArguments);
	}
	std::cerr << "korvane-editor: unknown command '" << Arguments[0] << "'.\n" << ProgramHelp;
	return static_cast<int>(EExitCode::BadUsage);
}
