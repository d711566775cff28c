#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace
{
	class FallbackMcpOverHttp : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(30));
		}

		FTestHttpResponse Post(std::string_view Body)
		{
			std::optional<FTestHttpResponse> Response = Client->Request("POST", "/korvane/mcp", Body);
			EXPECT_TRUE(Response.has_value());
			return Response.value_or(FTestHttpResponse());
		}

		/** The response object of a request that must answer 200 with JSON. */
		std::shared_ptr<FJsonObject> Call(std::string_view Body)
		{
			const FTestHttpResponse Response = Post(Body);
			EXPECT_EQ(Response.Status, 200) << Body;
			std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Response.Body);
			EXPECT_NE(Answer, nullptr) << Response.Body;
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		static std::pair<double, std::string> ErrorOf(const FJsonObject& Answer)
		{
			const std::shared_ptr<FJsonObject> Error = Answer.TryGetObjectField("error");
			if (Error == nullptr)
			{
				return {0, "(no error)"};
			}
			return {Error->TryGetNumberField("code").value_or(0), Error->TryGetStringField("message").value_or("")};
		}

		/** The bridge's JSON text inside a tool result, parsed. */
		static std::shared_ptr<FJsonObject> ToolText(const FJsonObject& Answer)
		{
			const std::shared_ptr<FJsonObject> Result = Answer.TryGetObjectField("result");
			const std::shared_ptr<FJsonValueArray> Content = Result ? Result->TryGetArrayField("content") : nullptr;
			if (Content == nullptr || Content->size() != 1 || Content->front().TryGetObject() == nullptr)
			{
				return std::make_shared<FJsonObject>();
			}
			const std::shared_ptr<FJsonObject> Item = Content->front().TryGetObject();
			EXPECT_EQ(Item->TryGetStringField("type"), "text");
			std::shared_ptr<FJsonObject> Parsed = FJsonSerializer::DeserializeObject(Item->TryGetStringField("text").value_or(""));
			return Parsed ? Parsed : std::make_shared<FJsonObject>();
		}

		FTestEditor Editor{DemoProjectOptions()};
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(FallbackMcpOverHttp, BodiesThatAreNotOneObjectAreParseErrorsWithANullId)
{
	for (const std::string& Body : {std::string(), std::string("not json"), std::string(R"([{"jsonrpc":"2.0","id":1,"method":"ping"}])"), std::string("42"),
			 std::string(100000, '[') + std::string(100000, ']'), std::string(R"({"id":3,"method":"ping")"), std::string(4 << 20, 'x')})
	{
		const FTestHttpResponse Response = Post(Body);
		EXPECT_EQ(Response.Status, 200);
		EXPECT_EQ(Response.Body, "{\r\n\t\"jsonrpc\": \"2.0\",\r\n\t\"id\": null,\r\n\t\"error\":\r\n\t{\r\n\t\t\"code\": -32700,\r\n\t\t\"message\": \"Parse error: request "
								 "body is not valid JSON\"\r\n\t}\r\n}")
			<< Body.substr(0, 40);
	}
	EXPECT_EQ(Call(R"({"jsonrpc":"2.0","id":1,"method":"ping"})")->TryGetObjectField("result")->Values().size(), 0u) << "the server keeps serving";
	const std::string Huge = R"({"jsonrpc":"2.0","id":1,"method":"tools/call","params":{"name":"check_assets_exist","arguments":{"asset_paths":[)" +
		[] {
			std::string Paths;
			for (int Index = 0; Index < 20000; ++Index)
			{
				Paths += (Index == 0 ? "" : ",") + std::string(R"("/Game/Missing/Asset_)") + std::to_string(Index) + "\"";
			}
			return Paths;
		}() + "]}}}";
	EXPECT_EQ(ToolText(*Call(Huge))->TryGetNumberField("checked"), 20000.0) << "a large request is answered in full";
}

TEST_F(FallbackMcpOverHttp, RequestsAreCheckedInOrder)
{
	std::shared_ptr<FJsonObject> Answer = Call(R"({"jsonrpc":"2.0","id":{"k":[1]},"method":5})");
	EXPECT_EQ(ErrorOf(*Answer), std::make_pair(-32600.0, std::string("Invalid request: missing method")));
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Answer), R"({"jsonrpc":"2.0","id":{"k":[1]},"error":{"code":-32600,"message":"Invalid request: missing method"}})")
		<< "any id comes back unchanged";

	for (const char* Method : {"notifications/initialized", "NOTIFICATIONS/cancelled", "Notifications/anything/else"})
	{
		const FTestHttpResponse Notification = Post(std::string(R"({"jsonrpc":"2.0","id":9,"method":")") + Method + "\"}");
		EXPECT_EQ(Notification.Status, 202) << Method;
		EXPECT_EQ(Notification.Body, "") << Method;
	}

	Answer = Call(R"({"jsonrpc":"2.0","method":"ping"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Answer), R"({"jsonrpc":"2.0","id":null,"result":{}})") << "a ping without id is answered";

	Answer = Call(R"({"jsonrpc":"2.0","id":"a","method":"resources/list"})");
	EXPECT_EQ(ErrorOf(*Answer), std::make_pair(-32601.0, std::string("Method not found: resources/list")));
	EXPECT_EQ(Answer->TryGetStringField("id"), "a");

	Answer = Call(R"({"jsonrpc":"2.0","id":2,"method":"TOOLS/List","params":[1]})");
	ASSERT_NE(Answer->TryGetObjectField("result"), nullptr) << "methods compare without regard to case; params of another kind count as absent";
}

TEST_F(FallbackMcpOverHttp, InitializeNegotiatesTheProtocolVersion)
{
	const auto VersionFor = [this](std::string_view Params) {
		const std::shared_ptr<FJsonObject> Answer = Call(std::string(R"({"jsonrpc":"2.0","id":1,"method":"initialize")") + std::string(Params) + "}");
		const std::shared_ptr<FJsonObject> Result = Answer->TryGetObjectField("result");
		return Result ? Result->TryGetStringField("protocolVersion").value_or("") : std::string("(no result)");
	};
	EXPECT_EQ(VersionFor(R"(,"params":{"protocolVersion":"2024-11-05"})"), "2024-11-05");
	EXPECT_EQ(VersionFor(R"(,"params":{"protocolVersion":"2025-03-26"})"), "2025-03-26");
	EXPECT_EQ(VersionFor(R"(,"params":{"protocolVersion":"1999-01-01"})"), "2025-06-18");
	EXPECT_EQ(VersionFor(R"(,"params":{"protocolVersion":20241105})"), "2025-06-18");
	EXPECT_EQ(VersionFor(""), "2025-06-18");

	const std::shared_ptr<FJsonObject> Result = Call(R"({"jsonrpc":"2.0","id":1,"method":"initialize"})")->TryGetObjectField("result");
	ASSERT_NE(Result, nullptr);
	std::vector<std::string> Keys;
	for (const FJsonObject::FMember& Member : Result->Values())
	{
		Keys.push_back(Member.first);
	}
	EXPECT_EQ(Keys, (std::vector<std::string>{"protocolVersion", "capabilities", "serverInfo", "instructions"}));
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Result->TryGetObjectField("capabilities")), R"({"tools":{}})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Result->TryGetObjectField("serverInfo")), R"({"name":"korvane-connector","title":"Korvane Connector","version":"1.0.0"})");
	const std::string Instructions = Result->TryGetStringField("instructions").value_or("");
	EXPECT_THAT(Instructions, HasSubstr("at http://127.0.0.1:30303/mcp when running in dev mode"));
	EXPECT_TRUE(Instructions.starts_with("Korvane Connector (in-editor fallback MCP server"));
}

TEST_F(FallbackMcpOverHttp, ToolsAreListedWithTheirSchemas)
{
	const std::shared_ptr<FJsonObject> Result = Call(R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})")->TryGetObjectField("result");
	ASSERT_NE(Result, nullptr);
	const std::shared_ptr<FJsonValueArray> Tools = Result->TryGetArrayField("tools");
	ASSERT_NE(Tools, nullptr);
	std::vector<std::string> Names;
	for (const FJsonValue& Tool : *Tools)
	{
		Names.push_back(Tool.TryGetObject()->TryGetStringField("name").value_or(""));
	}
	EXPECT_EQ(Names, (std::vector<std::string>{"send_to_korvane", "send_material_to_korvane", "compile_blueprint", "check_assets_exist", "get_korvane_status"}));
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Tools)[3].TryGetObject()),
		R"({"name":"check_assets_exist","description":"Check whether assets exist at the given paths (asset registry lookup - fast, nothing is loaded). )"
		R"(Use to verify asset references in a graph before deploying it. Returns a JSON string.","inputSchema":{"type":"object","properties":{"asset_paths":)"
		R"({"type":"array","items":{"type":"string"},"description":"Asset object paths ('/Game/Foo.Foo') or bare package paths ('/Game/Foo')."}},)"
		R"("required":["asset_paths"]}})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Tools)[1].TryGetObject()->TryGetObjectField("inputSchema")),
		R"({"type":"object","properties":{"material_path":{"type":"string","description":"Asset path of the Material, e.g. '/Game/Materials/M_MyMaterial'. )"
		R"(Leave empty to send the Material whose editor tab is in the foreground."},"bundle_textures":{"type":"boolean","description":"Also embed referenced )"
		R"(texture payloads (heavier; use when the receiving project lacks the textures). Default false."}}})")
		<< "no required list where none is given";
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Tools)[4].TryGetObject()->TryGetObjectField("inputSchema")), R"({"type":"object","properties":{}})");
}

TEST_F(FallbackMcpOverHttp, ToolCallProblemsAreInvalidParams)
{
	struct FCase
	{
		const char* Params;
		const char* Message;
	};
	for (const FCase& Case : {
			 FCase{"", "tools/call requires params.name"},
			 FCase{R"(,"params":{"name":7})", "tools/call requires params.name"},
			 FCase{R"(,"params":{"name":"launch_rockets"})", "Unknown tool 'launch_rockets'"},
			 FCase{R"(,"params":{"name":"compile_blueprint"})", "compile_blueprint requires arguments.blueprint_path"},
			 FCase{R"(,"params":{"name":"compile_blueprint","arguments":{"blueprint_path":3}})", "compile_blueprint requires arguments.blueprint_path"},
			 FCase{R"(,"params":{"name":"check_assets_exist","arguments":{"asset_paths":"/Game/A"}})", "check_assets_exist requires arguments.asset_paths (string array)"},
		 })
	{
		const std::shared_ptr<FJsonObject> Answer = Call(std::string(R"({"jsonrpc":"2.0","id":1,"method":"tools/call")") + Case.Params + "}");
		EXPECT_EQ(ErrorOf(*Answer), std::make_pair(-32602.0, std::string(Case.Message))) << Case.Params;
	}
}

TEST_F(FallbackMcpOverHttp, ToolsAnswerTheBridgesTextAsTheirResult)
{
	std::shared_ptr<FJsonObject> Answer = Call(R"({"jsonrpc":"2.0","id":1,"method":"tools/call","params":{"name":"Check_Assets_Exist","arguments":)"
											   R"({"asset_paths":["/Game/Blueprints/BP_Campfire",5,"Game/Blueprints/BP_Campfire","",true,"/Game/Nope"]}}})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*ToolText(*Answer)),
		R"({"allExist":false,"checked":4,"results":[{"path":"/Game/Blueprints/BP_Campfire","exists":true},{"path":"Game/Blueprints/BP_Campfire","exists":false},)"
		R"({"path":"","exists":false},{"path":"/Game/Nope","exists":false}]})")
		<< "only the strings are checked";
	EXPECT_EQ(Answer->TryGetObjectField("result")->Values().size(), 1u) << "no error flag on a tool result";

	Answer = Call(R"({"jsonrpc":"2.0","id":2,"method":"tools/call","params":{"name":"send_to_korvane"}})");
	const std::shared_ptr<FJsonObject> Failure = ToolText(*Answer);
	EXPECT_EQ(Failure->TryGetBoolField("success"), false) << "a bridge failure is a normal tool result";
	EXPECT_THAT(Failure->TryGetStringField("error").value_or(""), HasSubstr("No Blueprint editor tab is in the foreground."));

	Answer = Call(R"({"jsonrpc":"2.0","id":3,"method":"tools/call","params":{"name":"compile_blueprint","arguments":{"blueprint_path":""}}})");
	EXPECT_EQ(ToolText(*Answer)->TryGetStringField("error"), "blueprint_path is required");

	Answer = Call(R"({"jsonrpc":"2.0","id":4,"method":"tools/call","params":{"name":"get_korvane_status","arguments":{"ignored":1}}})");
	EXPECT_EQ(ToolText(*Answer)->TryGetStringField("projectName"), "DemoProject");

	const FTestHttpResponse Raw = Post(R"({"jsonrpc":"2.0","id":5,"method":"tools/call","params":{"name":"get_korvane_status"}})");
	EXPECT_THAT(Raw.Body, HasSubstr("\"text\": \"{\\r\\n\\t\\\"")) << "the tool text is itself pretty-printed";
}
