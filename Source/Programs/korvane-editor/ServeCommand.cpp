#include "CommandLine.h"
#include "ConsoleReader.h"

#include <csignal>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>

namespace
{
	constexpr const char* ServeHelp =
		"Usage: korvane-editor serve [options]\n"
		"\n"
		"Loads a project, starts the KorvaneConnector module and serves its routes\n"
		"until interrupted (Ctrl+C), then shuts the module down.\n"
		"\n"
		"Options:\n"
		"  --project DIR      project folder with one .uproject file (default: the demo project)\n"
		"  --port N           port to listen on for the editor's port 30010 (default 30010; 0 picks a free one)\n"
		"  --bind ADDR        address to listen on (default 127.0.0.1)\n"
		"  --no-python        run without the Python scripting module\n"
		"  --builtin-mcp      make the editor's own MCP plug-ins present and enabled; their server\n"
		"                     answers agents at http://127.0.0.1:8000/mcp\n"
		"  --mcp-port N       port for the MCP server of --builtin-mcp (default 8000; 0 picks a free one)\n"
		"  --log-level LEVEL  Error, Warning, Display, Log (default), Verbose or VeryVerbose\n"
		"  --help             show this text\n"
		"\n"
		"Lines on standard input (a terminal, a pipe, a socket or a file) run console commands\n"
		"(\"help\" lists them); at the end of the input the server goes on serving.\n";

	/** Blocks SIGINT and SIGTERM in every thread; a waiting thread turns them into a stop of the game thread. */
	sigset_t BlockStopSignals()
	{
		sigset_t Signals;
		sigemptyset(&Signals);
		sigaddset(&Signals, SIGINT);
		sigaddset(&Signals, SIGTERM);
		pthread_sigmask(SIG_BLOCK, &Signals, nullptr);
		return Signals;
	}
}

int RunServeCommand(const std::vector<std::string>& Arguments)
{
	std::string Error;
	const std::optional<FProgramOptions> Options = ParseProgramOptions(Arguments, true, Error);
	if (!Options)
	{
		std::cerr << "korvane-editor serve: " << Error << "\nTry 'korvane-editor serve --help'." << std::endl;
		return static_cast<int>(EExitCode::BadUsage);
	}
	if (Options->bHelp)
	{
		std::cout << ServeHelp;
		return static_cast<int>(EExitCode::Success);
	}
	if (!Options->Positionals.empty())
	{
		std::cerr << "korvane-editor serve: unexpected argument '" << Options->Positionals.front() << "'." << std::endl;
		return static_cast<int>(EExitCode::BadUsage);
	}
	if (Options->LogLevel)
	{
		FLog::SetAllVerbosity(*Options->LogLevel);
	}

	sigset_t StopSignals = BlockStopSignals();
	std::unique_ptr<FEditorHost> Host = FEditorHost::Create(Options->Host, Error);
	if (!Host)
	{
		std::cerr << "korvane-editor serve: " << Error << std::endl;
		return static_cast<int>(EExitCode::CannotStart);
	}

	Host->GetModuleManager().LoadModule("KorvaneConnector");
	if (!Host->StartListeners(Error))
	{
		std::cerr << "korvane-editor serve: " << Error << std::endl;
		return static_cast<int>(EExitCode::CannotStart);
	}

	FGameThread& GameThread = Host->GetGameThread();
	std::thread([&GameThread, StopSignals]() {
		int Signal = 0;
		sigwait(&StopSignals, &Signal);
		GameThread.Stop();
	}).detach();
	std::optional<FConsoleReader> Console(std::in_place, GameThread);

	std::cout << "Serving project " << Options->Host.ProjectDir << " at http://" << Options->Host.BindAddress << ":" << Host->GetListenPort()
			  << "/korvane/status (Ctrl+C to stop)" << std::endl;
	GameThread.Run();
	Console.reset();
	Host.reset();
	std::cout << "Stopped." << std::endl;
	return static_cast<int>(EExitCode::Success);
}
