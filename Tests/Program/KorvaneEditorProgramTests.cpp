#include "Support/ChildProcess.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using ::testing::HasSubstr;

namespace
{
	const std::string Program = KORVANE_EDITOR_BINARY;

	/** Holds a loopback port open so that another listener cannot take it. */
	class FOccupiedPort
	{
	public:
		FOccupiedPort()
		{
			Socket = socket(AF_INET, SOCK_STREAM, 0);
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
			listen(Socket, 1);
			socklen_t Length = sizeof(Address);
			getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
			Port = ntohs(Address.sin_port);
		}
		~FOccupiedPort() { close(Socket); }
		uint16_t Port = 0;

	private:
		int Socket = -1;
	};
}

TEST(KorvaneEditorRequest, RoutesOneRequestAndPrintsStatusAndBody)
{
	FTestProject Project("Sandbox");
	const FProgramResult Status = RunProgram(Program, {"request", "GET", "/korvane/status", "--project", Project.Dir()});
	EXPECT_EQ(Status.ExitCode, 0);
	EXPECT_THAT(Status.Errors, HasSubstr("HTTP 200"));
	EXPECT_THAT(Status.Output, HasSubstr(R"({"connected":true,"pluginVersion":"1.0.0","engineVersion":"5.7.0","projectName":"Sandbox","port":30010,)"));

	const FProgramResult Invalid = RunProgram(Program, {"request", "POST", "/korvane/asset/details", "", "--project", Project.Dir()});
	EXPECT_EQ(Invalid.ExitCode, 0);
	EXPECT_EQ(Invalid.Output, "{\"error\":\"Invalid JSON body\"}\n");

	Project.WriteFile("body.json", R"({"text":"from a file"})");
	const FProgramResult FromFile = RunProgram(Program, {"request", "POST", "/korvane/clipboard/set", "@" + Project.PathOf("body.json"), "--project", Project.Dir()});
	EXPECT_EQ(FromFile.Output, "{\"success\":true,\"length\":11}\n");

	const FProgramResult Missing = RunProgram(Program, {"request", "GET", "/korvane/none", "--project", Project.Dir()});
	EXPECT_EQ(Missing.ExitCode, 1);
	EXPECT_THAT(Missing.Errors, HasSubstr("HTTP 404"));
}

TEST(KorvaneEditorRequest, BadUsageAndMissingProjectsFailClearly)
{
	const FProgramResult NoArguments = RunProgram(Program, {});
	EXPECT_EQ(NoArguments.ExitCode, 2);
	EXPECT_THAT(NoArguments.Errors, HasSubstr("Usage: korvane-editor COMMAND"));

	const FProgramResult UnknownOption = RunProgram(Program, {"serve", "--frobnicate"});
	EXPECT_EQ(UnknownOption.ExitCode, 2);
	EXPECT_THAT(UnknownOption.Errors, HasSubstr("Unknown option --frobnicate."));

	const FProgramResult BadPort = RunProgram(Program, {"serve", "--port", "70000"});
	EXPECT_EQ(BadPort.ExitCode, 2);
	EXPECT_THAT(BadPort.Errors, HasSubstr("Invalid port '70000'"));

	const FProgramResult BadMethod = RunProgram(Program, {"request", "FETCH", "/korvane/status"});
	EXPECT_EQ(BadMethod.ExitCode, 2);

	const FProgramResult NoProject = RunProgram(Program, {"request", "GET", "/korvane/status", "--project", "/nonexistent/project"});
	EXPECT_EQ(NoProject.ExitCode, 3);
	EXPECT_THAT(NoProject.Errors, HasSubstr("Project folder not found: /nonexistent/project"));

	const FProgramResult Help = RunProgram(Program, {"serve", "--help"});
	EXPECT_EQ(Help.ExitCode, 0);
	EXPECT_THAT(Help.Output, HasSubstr("--builtin-mcp"));
}

TEST(KorvaneEditorServe, ServesUntilInterruptedThenShutsTheModuleDown)
{
	FTestProject Project;
	FChildProcess Server(Program, {"serve", "--project", Project.Dir(), "--port", "0"});
	const std::optional<std::string> Banner = Server.WaitForOutputLine("/korvane/status", std::chrono::seconds(20));
	ASSERT_TRUE(Banner.has_value()) << Server.Errors();

	const std::size_t PortStart = Banner->find("127.0.0.1:") + 10;
	const uint16_t Port = static_cast<uint16_t>(std::stoi(Banner->substr(PortStart)));
	FTestHttpClient Client(Port);
	const std::optional<FTestHttpResponse> Response = Client.Request("GET", "/korvane/status");
	ASSERT_TRUE(Response.has_value());
	EXPECT_EQ(Response->Status, 200);
	EXPECT_THAT(Response->Body, HasSubstr(R"("projectName":"TestProject")"));

	Server.Signal(SIGINT);
	EXPECT_EQ(Server.WaitForExit(std::chrono::seconds(10)), 0);
	EXPECT_THAT(Server.Errors(), HasSubstr("Fallback MCP route unbound."));
	EXPECT_THAT(Server.Errors(), HasSubstr("Custom HTTP endpoints unregistered."));
}

TEST(KorvaneEditorServe, PortInUseIsAClearError)
{
	FTestProject Project;
	FOccupiedPort Occupied;
	const FProgramResult Result = RunProgram(Program, {"serve", "--project", Project.Dir(), "--port", std::to_string(Occupied.Port)});
	EXPECT_EQ(Result.ExitCode, 3);
	EXPECT_THAT(Result.Errors, HasSubstr("Could not listen on 127.0.0.1 port " + std::to_string(Occupied.Port)));
}

TEST(KorvaneEditorServe, RunsConsoleLinesFromAPipeAndServesOnAfterTheInputEnds)
{
	const std::unique_ptr<FTestProject> Project = FTestProject::CopyOfDemoProject();
	FChildProcess Server(Program, {"serve", "--project", Project->Dir(), "--port", "0", "--no-python"}, EChildInput::Pipe);
	const std::optional<std::string> Banner = Server.WaitForOutputLine("/korvane/status", std::chrono::seconds(20));
	ASSERT_TRUE(Banner.has_value()) << Server.Errors();
	const uint16_t Port = static_cast<uint16_t>(std::stoi(Banner->substr(Banner->find("127.0.0.1:") + 10)));

	ASSERT_TRUE(Server.WriteInput("AssetEditor.Open /Game/Blueprints/BP_Campfire\nAssetEditor.Open /Game/Nope\n"));
	ASSERT_TRUE(Server.WriteInput("AssetEditor.List\nhelp\nAssetEditor.Frobnicate\n"));
	EXPECT_TRUE(Server.WaitForErrorLine("Opened BlueprintEditor for /Game/Blueprints/BP_Campfire.BP_Campfire", std::chrono::seconds(20))) << Server.Errors();
	EXPECT_TRUE(Server.WaitForErrorLine("No asset at /Game/Nope", std::chrono::seconds(20))) << Server.Errors();
	const std::optional<std::string> Listed = Server.WaitForErrorLine("BP_Campfire.BP_Campfire BlueprintEditor", std::chrono::seconds(20));
	ASSERT_TRUE(Listed.has_value()) << Server.Errors();
	EXPECT_THAT(*Listed, HasSubstr("/Game/Blueprints/BP_Campfire.BP_Campfire BlueprintEditor (foreground)"));
	const std::optional<std::string> Help = Server.WaitForOutputLine("AssetEditor.Close", std::chrono::seconds(20));
	ASSERT_TRUE(Help.has_value()) << Server.Output();
	EXPECT_THAT(*Help, HasSubstr("closes the asset's editor"));
	EXPECT_TRUE(Server.WaitForOutputLine("Unknown console command: AssetEditor.Frobnicate", std::chrono::seconds(20))) << Server.Output();

	Server.CloseInput();
	ASSERT_TRUE(Server.WaitForErrorLine("Console input ended; serving on", std::chrono::seconds(20))) << Server.Errors();
	FTestHttpClient Client(Port);
	const std::optional<FTestHttpResponse> Response = Client.Request("GET", "/korvane/status");
	ASSERT_TRUE(Response.has_value());
	EXPECT_EQ(Response->Status, 200);
	EXPECT_THAT(Response->Body, HasSubstr(R"("projectName":"DemoProject")"));

	Server.Signal(SIGINT);
	EXPECT_EQ(Server.WaitForExit(std::chrono::seconds(10)), 0);
}

TEST(KorvaneEditorServe, RunsConsoleLinesFromAFile)
{
	FTestProject Project;
	Project.WriteFile("commands.txt", "AssetEditor.List\nAssetEditor.CloseAll");
	FChildProcess Server("/bin/sh", {"-c", "exec \"$0\" serve --project \"$1\" --port 0 --no-python < \"$2\"", Program, Project.Dir(), Project.PathOf("commands.txt")});
	ASSERT_TRUE(Server.WaitForOutputLine("/korvane/status", std::chrono::seconds(20))) << Server.Errors();
	EXPECT_TRUE(Server.WaitForErrorLine("No asset editors are open", std::chrono::seconds(20))) << Server.Errors();
	EXPECT_TRUE(Server.WaitForErrorLine("Closed 0 asset editor(s)", std::chrono::seconds(20))) << "a last line without a line end runs too";
	Server.Signal(SIGINT);
	EXPECT_EQ(Server.WaitForExit(std::chrono::seconds(10)), 0);
}

TEST(KorvaneEditorServe, BuiltInMcpServerListensOnItsOwnPortOrFailsClearly)
{
	FTestProject Project;
	FChildProcess Server(Program, {"serve", "--project", Project.Dir(), "--port", "0", "--builtin-mcp", "--mcp-port=0"});
	ASSERT_TRUE(Server.WaitForOutputLine("/korvane/status", std::chrono::seconds(20)).has_value()) << Server.Errors();
	Server.Signal(SIGINT);
	EXPECT_EQ(Server.WaitForExit(std::chrono::seconds(10)), 0);
	const std::size_t Line = Server.Errors().find("MCP server listening on http://127.0.0.1:");
	ASSERT_NE(Line, std::string::npos) << Server.Errors();
	EXPECT_NE(Server.Errors().find("/mcp", Line), std::string::npos);

	FOccupiedPort Occupied;
	const FProgramResult Busy = RunProgram(Program, {"serve", "--project", Project.Dir(), "--port", "0", "--builtin-mcp", "--mcp-port", std::to_string(Occupied.Port)});
	EXPECT_EQ(Busy.ExitCode, 3);
	EXPECT_THAT(Busy.Errors, HasSubstr("Could not listen on 127.0.0.1 port " + std::to_string(Occupied.Port) + " for the editor's MCP server"));

	const FProgramResult BadPort = RunProgram(Program, {"serve", "--mcp-port", "http"});
	EXPECT_EQ(BadPort.ExitCode, 2);
	EXPECT_THAT(BadPort.Errors, HasSubstr("Invalid MCP port 'http'"));
	for (const char* Command : {"serve", "request"})
	{
		EXPECT_THAT(RunProgram(Program, {Command, "--help"}).Output, HasSubstr("--mcp-port N")) << Command;
	}
}

TEST(KorvaneEditorServe, ServesTheEditorUIOnItsOwnPortOrSaysWhyNot)
{
	FTestProject Project;
	uint16_t UiPort = 0;
	{
		const FOccupiedPort Probe;
		UiPort = Probe.Port;
	}
	FChildProcess Server(Program, {"serve", "--project", Project.Dir(), "--port", "0", "--ui-port", std::to_string(UiPort)});
	const std::optional<std::string> Banner = Server.WaitForOutputLine("Editor UI at", std::chrono::seconds(20));
	ASSERT_TRUE(Banner.has_value()) << Server.Errors();
	EXPECT_THAT(*Banner, HasSubstr("http://127.0.0.1:" + std::to_string(UiPort) + "/"));
	FTestHttpClient Client(UiPort);
	const std::optional<FTestHttpResponse> Page = Client.Request("GET", "/");
	ASSERT_TRUE(Page.has_value());
	EXPECT_EQ(Page->Status, 200);
	EXPECT_THAT(Page->Body, HasSubstr("<title>Korvane Editor</title>"));
	EXPECT_EQ(Client.Request("GET", "/korvane/status")->Status, 404) << "the connector's routes stay on their own port";
	Server.Signal(SIGINT);
	EXPECT_EQ(Server.WaitForExit(std::chrono::seconds(10)), 0);

	FOccupiedPort Occupied;
	const FProgramResult Busy = RunProgram(Program, {"serve", "--project", Project.Dir(), "--port", "0", "--ui-port", std::to_string(Occupied.Port)});
	EXPECT_EQ(Busy.ExitCode, 3);
	EXPECT_THAT(Busy.Errors, HasSubstr("Could not listen on 127.0.0.1 port " + std::to_string(Occupied.Port) + " for the editor's UI"));

	FChildProcess WithoutUI(Program, {"serve", "--project", Project.Dir(), "--port", "0", "--ui-port", "0"});
	ASSERT_TRUE(WithoutUI.WaitForOutputLine("/korvane/status", std::chrono::seconds(20)).has_value()) << WithoutUI.Errors();
	WithoutUI.Signal(SIGINT);
	EXPECT_EQ(WithoutUI.WaitForExit(std::chrono::seconds(10)), 0);
	EXPECT_THAT(WithoutUI.Output(), ::testing::Not(HasSubstr("Editor UI at")));

	const FProgramResult BadPort = RunProgram(Program, {"serve", "--ui-port", "http"});
	EXPECT_EQ(BadPort.ExitCode, 2);
	EXPECT_THAT(BadPort.Errors, HasSubstr("Invalid UI port 'http'"));
	EXPECT_THAT(RunProgram(Program, {"serve", "--help"}).Output, HasSubstr("--ui-port N"));
	EXPECT_EQ(RunProgram(Program, {"request", "GET", "/korvane/status", "--ui-port", "1"}).ExitCode, 2) << "request serves no UI";
}
