#include "Python/PythonTestSupport.h"
#include "Support/ChildProcess.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Python/PythonScriptPlugin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace
{
	const std::string InteropDir = KORVANE_PLUGIN_DIR "/Tests/Interop/";

	/** The node program on PATH, or empty. */
	std::optional<std::string> FindNode()
	{
		const char* Path = std::getenv("PATH");
		std::istringstream Dirs(Path != nullptr ? Path : "");
		for (std::string Dir; std::getline(Dirs, Dir, ':');)
		{
			const std::filesystem::path Candidate = std::filesystem::path(Dir) / "node";
			std::error_code Error;
			if (!Dir.empty() && std::filesystem::is_regular_file(Candidate, Error))
			{
				return Candidate.string();
			}
		}
		return std::nullopt;
	}
}

TEST(McpSdkInterop, OfficialClientInitializesListsAndCallsScriptTools)
{
	const std::optional<std::string> Node = FindNode();
	if (!Node || !std::filesystem::is_directory(InteropDir + "node_modules/@modelcontextprotocol/sdk"))
	{
		GTEST_SKIP() << "needs node and the pinned MCP SDK (scripts/setup runs npm ci in Tests/Interop)";
	}
	FTestEditorOptions Options = EmbeddedPythonOptions();
	Options.bBuiltInMcp = true;
	FTestEditor Editor(Options);
	ASSERT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(
		"import editor\n"
		"def greet(arguments):\n"
		"    return 'hello ' + arguments['name']\n"
		"editor.register_toolset('Interop', [{'name': 'greet', 'description': 'Greets.', 'function': greet,\n"
		"    'input_schema': {'type': 'object', 'properties': {'name': {'type': 'string'}}, 'required': ['name']}}])\n"));
	Editor.Serve();

	const std::string Url = "http://127.0.0.1:" + std::to_string(Editor.McpPort()) + "/mcp";
	const FProgramResult Greeted = RunProgram(*Node, {InteropDir + "mcp_sdk_client.mjs", Url, "greet", R"({"name":"agent"})"});
	ASSERT_EQ(Greeted.ExitCode, 0) << Greeted.Errors;
	EXPECT_EQ(Greeted.Output,
		R"({"server":{"name":"unreal-editor-mcp","title":"Unreal Editor MCP","version":"5.7.0"},"protocolVersion":"2025-06-18",)"
		R"("capabilities":{"tools":{"listChanged":false}},)"
		R"("tools":[{"name":"greet","description":"Greets.","inputSchema":{"type":"object","properties":{"name":{"type":"string"}},"required":["name"]}}],)"
		R"("call":{"content":[{"type":"text","text":"hello agent"}],"isError":false}})"
		"\n");

	const FProgramResult Failed = RunProgram(*Node, {InteropDir + "mcp_sdk_client.mjs", Url, "greet", "{}"});
	ASSERT_EQ(Failed.ExitCode, 0) << Failed.Errors;
	const std::shared_ptr<FJsonObject> Seen = FJsonSerializer::DeserializeObject(Failed.Output);
	ASSERT_NE(Seen, nullptr) << Failed.Output;
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Seen->TryGetObjectField("call")), R"({"content":[{"type":"text","text":"'name'"}],"isError":true})");
}
