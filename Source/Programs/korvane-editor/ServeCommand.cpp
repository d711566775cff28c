#include "CommandLine.h"
#include "ConsoleReader.h"
#include "EditorUI/EditorUIServer.h"
#include "Http/HttpRequestPolicy.h"

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
		"  --ui-port N        port of the editor's UI for a browser (default 30000; 0 turns it off)\n"
		"  --bind ADDR        address to listen on (default 127.0.0.1; the UI is served on loopback only)\n"
		"  --no-python        run without the Python scripting module\n"
		"  --no-remote-control\n"
		"                     leave the engine's Remote Control API module unloaded\n"
		"  --builtin-mcp      make the editor's own MCP plug-ins present and enabled; their server\n"
		"                     answers agents at http://127.0.0.1:8000/mcp\n"
		"  --mcp-port N       port for the MCP server of --builtin-mcp (default 8000; 0 picks a free one)\n"
		"  --log-level LEVEL  Error, Warning, Display, Log (default), Verbose or VeryVerbose\n"
		"  --help             show this text\n"
		"\n"
		"The editor's UI (toolbars, content browser, asset editors, tabs, output log and a\n"
		"console line) is at http://127.0.0.1:30000/ in a browser.\n"
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

	bool IsLoopbackBindAddress(const std::string& Address)
	{
		const bool bBareIpv6 = Address.find(':') != std::string::npos && !Address.starts_with('[');
		return IsLoopbackHost(bBareIpv6 ? "[" + Address + "]" : Address, {});
	}

	/**
	 * Serves the editor's UI on its port when it is on. A UI port the user chose that cannot be
	 * bound fails the start; the default one, busy, only costs the UI (another editor may hold it).
	 */
	bool StartEditorUI(const FProgramOptions& Options, FEditorHost& Host, std::unique_ptr<FOutputLogBuffer> Log, std::unique_ptr<FEditorUIServer>& OutServer,
		std::string& OutError)
	{
		const FEditorHostOptions& HostOptions = Options.Host;
		if (HostOptions.UiPort == 0)
		{
			return true;
		}
		if (!IsLoopbackBindAddress(HostOptions.BindAddress))
		{
			std::cerr << "korvane-editor serve: the editor's UI is served on loopback addresses only; it is off with --bind "
					  << HostOptions.BindAddress << "." << std::endl;
			return true;
		}
		std::shared_ptr<IHttpRouter> Router = Host.GetHttpServer().GetHttpRouter(FEditorHost::EditorUiPort, true);
		if (!Router)
		{
			const std::string Problem = "Could not listen on " + HostOptions.BindAddress + " port " + std::to_string(HostOptions.UiPort) + " for the editor's UI";
			if (Options.bUiPortGiven)
			{
				OutError = Problem + " (is another server using it? --ui-port chooses another, 0 turns the UI off)";
				return false;
			}
			std::cerr << "korvane-editor serve: " << Problem << " (is another editor using it?); serving without the UI. --ui-port chooses another port."
					  << std::endl;
			return true;
		}
		OutServer = std::make_unique<FEditorUIServer>(std::move(Router), Host.GetGameThread(), KORVANE_EDITOR_UI_PAGE_DIR, std::move(Log));
		if (OutServer->GetPageFileCount() == 0)
		{
			std::cerr << "korvane-editor serve: the editor's UI page was not found in " << KORVANE_EDITOR_UI_PAGE_DIR << "." << std::endl;
		}
		return true;
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
	// Collecting from the start, so the output log the page shows has the editor's start-up too.
	std::unique_ptr<FOutputLogBuffer> EditorUILog = Options->Host.UiPort != 0 ? std::make_unique<FOutputLogBuffer>() : nullptr;
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

	std::unique_ptr<FEditorUIServer> EditorUI;
	if (!StartEditorUI(*Options, *Host, std::move(EditorUILog), EditorUI, Error))
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
	if (EditorUI)
	{
		std::cout << "Editor UI at http://" << Options->Host.BindAddress << ":" << Host->GetHttpServer().GetBoundPort(FEditorHost::EditorUiPort).value_or(0)
				  << "/ (open it in a browser)" << std::endl;
	}
	GameThread.Run();
	Console.reset();
	EditorUI.reset();
	Host.reset();
	std::cout << "Stopped." << std::endl;
	return static_cast<int>(EExitCode::Success);
}
