#include "Python/PythonTestSupport.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Mcp/ToolsetRegistryModule.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using ::testing::HasSubstr;

namespace
{
	constexpr std::string_view TestToolsetScript = R"(import editor, json

def echo(arguments):
    return json.dumps(arguments, sort_keys=True)

def fail(arguments):
    raise ValueError('no asset at ' + arguments.get('path', '?'))

def silent_failure(arguments):
    raise KeyError

def not_text(arguments):
    return 42

def withdraw(arguments):
    editor.unregister_toolset('TestTools')
    return 'withdrawn'

editor.register_toolset('TestTools', [
    {'name': 'echo', 'description': 'Echoes its arguments.',
     'input_schema': {'type': 'object', 'properties': {'text': {'type': 'string', 'description': 'Any text.'}}, 'required': ['text']},
     'function': echo},
    {'name': 'fail', 'description': 'Always fails.', 'function': fail},
    {'name': 'silent_failure', 'function': silent_failure},
    {'name': 'not_text', 'function': not_text},
    {'name': 'withdraw', 'function': withdraw},
])
)";

	/** An editor with its own MCP server and Python, serving on free ports. */
	class McpServerHttp : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			FTestEditorOptions Options = EmbeddedPythonOptions();
			Options.bBuiltInMcp = true;
			Editor = std::make_unique<FTestEditor>(Options);
			RunPython(TestToolsetScript);
			Editor->Serve();
			Client = std::make_unique<FTestHttpClient>(Editor->McpPort());
		}

		void RunPython(std::string_view Script)
		{
			Editor->OnGameThread([Script]() {
				FLogCapture Log;
				EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
			});
		}

		FTestHttpResponse Post(std::string_view Body, const FTestHttpHeaders& Headers = {{"Content-Type", "application/json"}, {"Accept", "application/json, text/event-stream"}})
		{
			std::optional<FTestHttpResponse> Response = Client->Request("POST", "/mcp", Body, Headers);
			EXPECT_TRUE(Response.has_value()) << Body;
			return Response.value_or(FTestHttpResponse{});
		}

		/** Posts a request and returns its JSON-RPC response object (empty when the body is not one). */
		std::shared_ptr<FJsonObject> Call(std::string_view Body, int ExpectedStatus = 200)
		{
			const FTestHttpResponse Response = Post(Body);
			EXPECT_EQ(Response.Status, ExpectedStatus) << Body;
			EXPECT_EQ(Response.Header("content-type"), "application/json") << Body;
			std::shared_ptr<FJsonObject> Message = FJsonSerializer::DeserializeObject(Response.Body);
			EXPECT_NE(Message, nullptr) << Response.Body;
			return Message ? Message : std::make_shared<FJsonObject>();
		}

		/** The response's result written condensed, or its error as "error CODE: MESSAGE". */
		std::string Answer(std::string_view Body, int ExpectedStatus = 200)
		{
			const std::shared_ptr<FJsonObject> Message = Call(Body, ExpectedStatus);
			if (const std::shared_ptr<FJsonObject> Error = Message->TryGetObjectField("error"))
			{
				return "error " + Error->TryGetField("code")->AsText().value_or("?") + ": " + Error->TryGetStringField("message").value_or("?");
			}
			const std::shared_ptr<FJsonObject> Result = Message->TryGetObjectField("result");
			return Result ? FJsonSerializer::SerializeCondensed(*Result) : "(no result)";
		}

		std::string CallTool(std::string_view Name, std::string_view Arguments = "{}")
		{
			return Answer(R"({"jsonrpc":"2.0","id":7,"method":"tools/call","params":{"name":")" + std::string(Name) + R"(","arguments":)" + std::string(Arguments) + "}}");
		}

		std::unique_ptr<FTestEditor> Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(McpServerHttp, InitializeNegotiatesTheVersionAndAnnouncesTools)
{
	const std::shared_ptr<FJsonObject> Reply = Call(
		R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"protocolVersion":"2025-06-18","capabilities":{},"clientInfo":{"name":"test","version":"1"}}})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Reply),
		R"({"jsonrpc":"2.0","id":1,"result":{"protocolVersion":"2025-06-18","capabilities":{"tools":{"listChanged":false}},)"
		R"("serverInfo":{"name":"unreal-editor-mcp","title":"Unreal Editor MCP","version":"5.7.0"}}})");

	const auto VersionOf = [this](std::string_view Params) {
		const std::shared_ptr<FJsonObject> Result = Call(R"({"jsonrpc":"2.0","id":"init","method":"initialize")" + std::string(Params) + "}")->TryGetObjectField("result");
		return Result ? Result->TryGetStringField("protocolVersion").value_or("(none)") : "(no result)";
	};
	EXPECT_EQ(VersionOf(R"(,"params":{"protocolVersion":"2025-03-26"})"), "2025-03-26");
	EXPECT_EQ(VersionOf(R"(,"params":{"protocolVersion":"2024-11-05"})"), "2024-11-05");
	EXPECT_EQ(VersionOf(R"(,"params":{"protocolVersion":"2099-01-01"})"), "2025-06-18");
	EXPECT_EQ(VersionOf(R"(,"params":{"protocolVersion":20250618})"), "2025-06-18");
	EXPECT_EQ(VersionOf(""), "2025-06-18");

	const FTestHttpResponse Response = Post(R"({"jsonrpc":"2.0","id":2,"method":"ping"})");
	EXPECT_EQ(Response.Body, R"({"jsonrpc":"2.0","id":2,"result":{}})");
	EXPECT_FALSE(Response.Header("mcp-session-id").has_value()) << "the server keeps no session";
}

TEST_F(McpServerHttp, ListsAndCallsTheToolsScriptsRegistered)
{
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":3,"method":"tools/list"})"),
		R"({"tools":[{"name":"echo","description":"Echoes its arguments.","inputSchema":{"type":"object","properties":{"text":{"type":"string","description":"Any text."}},"required":["text"]}},)"
		R"({"name":"fail","description":"Always fails.","inputSchema":{"type":"object"}},)"
		R"({"name":"silent_failure","description":"","inputSchema":{"type":"object"}},)"
		R"({"name":"not_text","description":"","inputSchema":{"type":"object"}},)"
		R"({"name":"withdraw","description":"","inputSchema":{"type":"object"}}]})");

	EXPECT_EQ(CallTool("echo", R"({"text":"h\u00e9llo","count":3,"ratio":0.25,"paths":["/Game/A",null,true]})"),
		R"({"content":[{"type":"text","text":"{\"count\": 3, \"paths\": [\"/Game/A\", null, true], \"ratio\": 0.25, \"text\": \"h\\u00e9llo\"}"}],"isError":false})");
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":8,"method":"tools/call","params":{"name":"echo"}})"), R"({"content":[{"type":"text","text":"{}"}],"isError":false})");
	EXPECT_EQ(CallTool("fail", R"({"path":"/Game/Nothing"})"), R"({"content":[{"type":"text","text":"no asset at /Game/Nothing"}],"isError":true})");
	EXPECT_EQ(CallTool("silent_failure"), R"({"content":[{"type":"text","text":"KeyError"}],"isError":true})");
	EXPECT_EQ(CallTool("not_text"), R"({"content":[{"type":"text","text":"tool 'not_text' returned int, not str"}],"isError":true})");

	EXPECT_EQ(CallTool("Echo"), "error -32602: Unknown tool: Echo");
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":9,"method":"tools/call","params":{}})"), "error -32602: Invalid params: tools/call needs params.name (a string)");
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":9,"method":"tools/call"})"), "error -32602: Invalid params: tools/call needs params.name (a string)");
	EXPECT_EQ(CallTool("echo", "[1]"), "error -32602: Invalid params: params.arguments must be an object");
}

TEST_F(McpServerHttp, WithdrawnAndReplacedToolsetsChangeWhatAgentsSee)
{
	EXPECT_EQ(CallTool("withdraw"), R"({"content":[{"type":"text","text":"withdrawn"}],"isError":false})");
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})"), R"({"tools":[]})");
	EXPECT_EQ(CallTool("echo"), "error -32602: Unknown tool: echo");

	RunPython(TestToolsetScript);
	RunPython("editor.register_toolset('Second', [{'name': 'second', 'function': lambda arguments: 'two'}])\n"
			  "editor.register_toolset('TestTools', [{'name': 'echo', 'description': 'Replaced.', 'function': lambda arguments: 'replaced'}])");
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})"),
		R"({"tools":[{"name":"echo","description":"Replaced.","inputSchema":{"type":"object"}},{"name":"second","description":"","inputSchema":{"type":"object"}}]})");
	EXPECT_EQ(CallTool("echo"), R"({"content":[{"type":"text","text":"replaced"}],"isError":false})");

	RunPython("assert editor.unregister_toolset('TestTools') and not editor.unregister_toolset('TestTools')");
	EXPECT_EQ(Answer(R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})"), R"({"tools":[{"name":"second","description":"","inputSchema":{"type":"object"}}]})");
}

TEST_F(McpServerHttp, MalformedMessagesGetJsonRpcErrors)
{
	const struct
	{
		std::string_view Body;
		int Status;
		std::string_view Reply;
	} Cases[] = {
		{"", 400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"Parse error: the body is not valid JSON"}})"},
		{"{\"jsonrpc\":", 400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"Parse error: the body is not valid JSON"}})"},
		{"\"\xff\"", 400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"Parse error: the body is not valid JSON"}})"},
		{R"([{"jsonrpc":"2.0","id":1,"method":"ping"}])", 400,
			R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Invalid Request: batches are not supported; send one JSON-RPC message per POST"}})"},
		{"42", 400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Invalid Request: the body is not a JSON-RPC message object"}})"},
		{R"({"id":1,"method":"ping"})", 400, R"({"jsonrpc":"2.0","id":1,"error":{"code":-32600,"message":"Invalid Request: jsonrpc must be \"2.0\""}})"},
		{R"({"jsonrpc":"1.0","id":1,"method":"ping"})", 400, R"({"jsonrpc":"2.0","id":1,"error":{"code":-32600,"message":"Invalid Request: jsonrpc must be \"2.0\""}})"},
		{R"({"jsonrpc":"2.0","id":"a"})", 400, R"({"jsonrpc":"2.0","id":"a","error":{"code":-32600,"message":"Invalid Request: missing method"}})"},
		{R"({"jsonrpc":"2.0","id":1,"method":7})", 400, R"({"jsonrpc":"2.0","id":1,"error":{"code":-32600,"message":"Invalid Request: method must be a string"}})"},
		{R"({"jsonrpc":"2.0","id":{"n":1},"method":"ping"})", 400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Invalid Request: id must be a string or a number"}})"},
		{R"({"jsonrpc":"2.0","id":null,"method":"ping"})", 400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Invalid Request: id must be a string or a number"}})"},
		{R"({"jsonrpc":"2.0","id":4,"method":"resources/list"})", 200, R"({"jsonrpc":"2.0","id":4,"error":{"code":-32601,"message":"Method not found: resources/list"}})"},
		{R"({"jsonrpc":"2.0","id":4,"method":"Ping"})", 200, R"({"jsonrpc":"2.0","id":4,"error":{"code":-32601,"message":"Method not found: Ping"}})"},
		{R"({"jsonrpc":"2.0","id":5,"method":"tools/list","params":[1]})", 200, R"({"jsonrpc":"2.0","id":5,"error":{"code":-32602,"message":"Invalid params: params must be an object"}})"},
	};
	for (const auto& Case : Cases)
	{
		const FTestHttpResponse Response = Post(Case.Body);
		EXPECT_EQ(Response.Status, Case.Status) << Case.Body;
		EXPECT_EQ(Response.Body, Case.Reply) << Case.Body;
	}
}

TEST_F(McpServerHttp, NotificationsAndClientResponsesAreAcceptedWithoutABody)
{
	for (const std::string_view Body : {R"({"jsonrpc":"2.0","method":"notifications/initialized"})", R"({"jsonrpc":"2.0","method":"notifications/cancelled","params":{"requestId":1}})",
			 R"({"jsonrpc":"2.0","method":"tools/call","params":{"name":"withdraw"}})", R"({"jsonrpc":"2.0","id":1,"result":{}})",
			 R"({"jsonrpc":"2.0","id":"x","error":{"code":-1,"message":"no"}})"})
	{
		const FTestHttpResponse Response = Post(Body);
		EXPECT_EQ(Response.Status, 202) << Body;
		EXPECT_EQ(Response.Body, "") << Body;
	}
	EXPECT_THAT(Answer(R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})"), HasSubstr("\"withdraw\"")) << "a notification does no work";
}

TEST_F(McpServerHttp, TransportRefusesStreamsAndUnsupportedProtocolVersions)
{
	const std::optional<FTestHttpResponse> Get = Client->Request("GET", "/mcp", "", {{"Accept", "text/event-stream"}});
	ASSERT_TRUE(Get.has_value());
	EXPECT_EQ(Get->Status, 405);
	EXPECT_EQ(Get->Header("allow"), "POST");
	const std::optional<FTestHttpResponse> Delete = Client->Request("DELETE", "/mcp");
	ASSERT_TRUE(Delete.has_value());
	EXPECT_EQ(Delete->Status, 405);
	const std::optional<FTestHttpResponse> Elsewhere = Client->Request("POST", "/korvane/mcp", R"({"jsonrpc":"2.0","id":1,"method":"ping"})");
	ASSERT_TRUE(Elsewhere.has_value());
	EXPECT_EQ(Elsewhere->Status, 404);

	constexpr std::string_view Ping = R"({"jsonrpc":"2.0","id":1,"method":"ping"})";
	for (const char* Version : {"2025-06-18", "2025-03-26", "2024-11-05"})
	{
		EXPECT_EQ(Post(Ping, {{"MCP-Protocol-Version", Version}}).Status, 200) << Version;
	}
	for (const char* Version : {"1900-01-01", "not-a-version", "2025-06-18, 2025-03-26", ""})
	{
		const FTestHttpResponse Refused = Post(Ping, {{"MCP-Protocol-Version", Version}});
		EXPECT_EQ(Refused.Status, 400) << Version;
		EXPECT_THAT(Refused.Body, HasSubstr("unsupported MCP-Protocol-Version")) << Version;
	}
	const FTestHttpResponse Refused = Post(R"({"jsonrpc":"2.0","method":"notifications/initialized"})", {{"MCP-Protocol-Version", "1900-01-01"}});
	EXPECT_EQ(Refused.Body,
		R"json({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Bad Request: unsupported MCP-Protocol-Version '1900-01-01' (supported: 2025-06-18, 2025-03-26, 2024-11-05)"}})json");

	const std::optional<FTestHttpResponse> CrossSite = Client->Request("POST", "/mcp", Ping, {{"Origin", "https://attacker.example"}});
	ASSERT_TRUE(CrossSite.has_value());
	EXPECT_EQ(CrossSite->Status, 403);
}

TEST(McpServerStartup, LogsWhereItListensAndIsAbsentWithoutTheOption)
{
	{
		FTestEditorOptions Options;
		Options.bLoadConnector = false;
		Options.bBuiltInMcp = true;
		FTestEditor Editor(Options);
		FLogCapture Log;
		Editor.Serve();
		ASSERT_NE(Editor.McpPort(), 0);
		EXPECT_TRUE(Log.Contains("MCP server listening on http://127.0.0.1:" + std::to_string(Editor.McpPort()) + "/mcp"));
		EXPECT_NE(Editor.McpPort(), Editor.Port());
		EXPECT_NE(FToolsetRegistryModule::Get(), nullptr);
		FTestHttpClient Client(Editor.McpPort());
		const std::optional<FTestHttpResponse> Tools = Client.Request("POST", "/mcp", R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})");
		ASSERT_TRUE(Tools.has_value());
		EXPECT_EQ(Tools->Body, R"({"jsonrpc":"2.0","id":1,"result":{"tools":[]}})");
	}
	{
		FTestEditorOptions Options;
		Options.bLoadConnector = false;
		FTestEditor Editor(Options);
		FLogCapture Log;
		Editor.Serve();
		EXPECT_EQ(Editor.McpPort(), 0);
		const std::vector<std::string> Lines = Log.Messages("LogHost");
		EXPECT_TRUE(std::none_of(Lines.begin(), Lines.end(), [](const std::string& Line) { return Line.starts_with("MCP server"); }));
		EXPECT_FALSE(Editor.Host().GetModuleManager().IsModuleLoaded("ModelContextProtocol"));
		EXPECT_FALSE(Editor.Host().GetModuleManager().IsModuleLoaded("ToolsetRegistry"));
	}
}
