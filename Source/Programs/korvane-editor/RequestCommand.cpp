#include "CommandLine.h"

#include "Core/FileSystem.h"
#include "Http/HttpServerModule.h"

#include <array>
#include <iostream>
#include <utility>

namespace
{
	constexpr const char* RequestHelp =
		"Usage: korvane-editor request METHOD PATH [BODY | @FILE] [options]\n"
		"\n"
		"Loads the project and the KorvaneConnector module without opening a socket,\n"
		"routes one request, and prints the answer: the status line to standard error,\n"
		"the body to standard output. Exits 0 for a 2xx status, 1 otherwise.\n"
		"\n"
		"  METHOD   GET, POST, PUT, DELETE, PATCH or OPTIONS\n"
		"  PATH     e.g. /korvane/status (a query string is allowed)\n"
		"  BODY     the request body as text, or @FILE to read it from a file\n"
		"\n"
		"Options:\n"
		"  --project DIR      project folder with one .uproject file (default: the demo project)\n"
		"  --no-python        run without the Python scripting module\n"
		"  --no-remote-control\n"
		"                     leave the engine's Remote Control API module unloaded\n"
		"  --builtin-mcp      make the editor's own MCP plug-ins present and enabled\n"
		"  --mcp-port N       port of their MCP server (default 8000; 0 picks a free one); this\n"
		"                     command routes no request to it and opens no socket\n"
		"  --log-level LEVEL  log level (default Warning for this command)\n"
		"  --help             show this text\n";

	std::optional<EHttpServerRequestVerbs> ParseVerb(const std::string& Method)
	{
		static constexpr std::array<std::pair<const char*, EHttpServerRequestVerbs>, 6> Verbs = {{
			{"GET", EHttpServerRequestVerbs::VERB_GET},
			{"POST", EHttpServerRequestVerbs::VERB_POST},
			{"PUT", EHttpServerRequestVerbs::VERB_PUT},
			{"DELETE", EHttpServerRequestVerbs::VERB_DELETE},
			{"PATCH", EHttpServerRequestVerbs::VERB_PATCH},
			{"OPTIONS", EHttpServerRequestVerbs::VERB_OPTIONS},
		}};
		for (const auto& [Name, Verb] : Verbs)
		{
			if (Method == Name)
			{
				return Verb;
			}
		}
		return std::nullopt;
	}
}

int RunRequestCommand(const std::vector<std::string>& Arguments)
{
	std::string Error;
	const std::optional<FProgramOptions> Options = ParseProgramOptions(Arguments, false, Error);
	if (!Options)
	{
		std::cerr << "korvane-editor request: " << Error << "\nTry 'korvane-editor request --help'." << std::endl;
		return static_cast<int>(EExitCode::BadUsage);
	}
	if (Options->bHelp)
	{
		std::cout << RequestHelp;
		return static_cast<int>(EExitCode::Success);
	}
	const std::vector<std::string>& Words = Options->Positionals;
	if (Words.size() < 2 || Words.size() > 3)
	{
		std::cerr << "korvane-editor request: give METHOD PATH and an optional BODY.\nTry 'korvane-editor request --help'." << std::endl;
		return static_cast<int>(EExitCode::BadUsage);
	}
	const std::optional<EHttpServerRequestVerbs> Verb = ParseVerb(Words[0]);
	if (!Verb)
	{
		std::cerr << "korvane-editor request: unknown method '" << Words[0] << "'." << std::endl;
		return static_cast<int>(EExitCode::BadUsage);
	}

	FHttpServerRequest Request;
	Request.Verb = *Verb;
	Request.RelativePath = Words[1].substr(0, Words[1].find('?'));
	Request.Headers["host"] = "127.0.0.1";
	if (Words.size() == 3)
	{
		if (Words[2].starts_with("@"))
		{
			const std::optional<std::string> Body = FFileHelper::LoadFileToString(Words[2].substr(1));
			if (!Body)
			{
				std::cerr << "korvane-editor request: cannot read body file '" << Words[2].substr(1) << "'." << std::endl;
				return static_cast<int>(EExitCode::BadUsage);
			}
			Request.Body = *Body;
		}
		else
		{
			Request.Body = Words[2];
		}
	}

	FLog::SetAllVerbosity(Options->LogLevel.value_or(ELogVerbosity::Warning));
	std::unique_ptr<FEditorHost> Host = FEditorHost::Create(Options->Host, Error);
	if (!Host)
	{
		std::cerr << "korvane-editor request: " << Error << std::endl;
		return static_cast<int>(EExitCode::CannotStart);
	}
	Host->GetModuleManager().LoadModule("KorvaneConnector");

	const std::unique_ptr<FHttpServerResponse> Response = Host->GetHttpServer().DispatchRequest(FEditorHost::EditorHttpPort, Request);
	// Work the handler left for later (a notification, say) runs before the editor closes.
	Host->GetGameThread().RunUntilIdle();

	const int Status = static_cast<int>(Response->Code);
	std::cerr << "HTTP " << Status << std::endl;
	std::cout << Response->Body;
	if (!Response->Body.empty() && Response->Body.back() != '\n')
	{
		std::cout << '\n';
	}
	std::cout.flush();
	Host.reset();
	return Status >= 200 && Status < 300 ? static_cast<int>(EExitCode::Success) : static_cast<int>(EExitCode::RequestFailed);
}
