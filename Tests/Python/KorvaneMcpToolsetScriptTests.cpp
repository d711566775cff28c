#include "Python/PythonTestSupport.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Mcp/ToolsetRegistryModule.h"
#include "Objects/ScriptCallable.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
	constexpr std::string_view BridgePath = "/Script/KorvaneConnector.KorvaneMcpBridge";

	/** The tools the connector's fallback server lists, as tools/list shows them. */
	constexpr std::string_view ExpectedTools =
		R"({"tools":[)"
		R"({"name":"send_to_korvane","description":"Send a Blueprint's graphs to the Korvane desktop app for visual editing, review or annotation. The Blueprint is queued on the connector; the Korvane app picks it up within a few seconds if it is running and connected. Returns a JSON result string.",)"
		R"("inputSchema":{"type":"object","properties":{"blueprint_path":{"type":"string","description":"Asset path of the Blueprint, e.g. '/Game/Blueprints/BP_MyActor'. Leave empty to send the Blueprint whose editor tab is in the foreground."}}}},)"
		R"({"name":"send_material_to_korvane","description":"Send a Material's node graph and settings to the Korvane desktop app for visual editing or review. Queued on the connector; the Korvane app picks it up within a few seconds if it is running and connected. Returns a JSON result string.",)"
		R"("inputSchema":{"type":"object","properties":{"material_path":{"type":"string","description":"Asset path of the Material, e.g. '/Game/Materials/M_MyMaterial'. Leave empty to send the Material whose editor tab is in the foreground."},)"
		R"("bundle_textures":{"type":"boolean","description":"Also embed referenced texture payloads (heavier; use when the receiving project lacks the textures). Default false."}}}},)"
		R"({"name":"compile_blueprint","description":"Compile a Blueprint and report the compiler results: status, error/warning counts, and individual compiler messages. Use this to VERIFY a Blueprint after deploying or editing it - success means it compiles cleanly in this engine. Returns a JSON string.",)"
		R"("inputSchema":{"type":"object","properties":{"blueprint_path":{"type":"string","description":"Asset path of the Blueprint to compile, e.g. '/Game/Blueprints/BP_MyActor'."}},"required":["blueprint_path"]}},)"
		R"json({"name":"check_assets_exist","description":"Check whether assets exist at the given paths (asset registry lookup - fast, nothing is loaded). Use to verify asset references in a graph before deploying it. Returns a JSON string.",)json"
		R"json("inputSchema":{"type":"object","properties":{"asset_paths":{"type":"array","items":{"type":"string"},"description":"Asset object paths ('/Game/Foo.Foo') or bare package paths ('/Game/Foo')."}},"required":["asset_paths"]}},)json"
		R"({"name":"get_korvane_status","description":"Korvane connector status: plugin/engine version, project name, port, Python availability, and whether data is pending pickup. Returns a JSON string.",)"
		R"("inputSchema":{"type":"object","properties":{}}}]})";

	/** A stand-in for the connector's bridge: each function records its call and answers a text naming it. */
	class FRecordingBridge
	{
	public:
		FRecordingBridge() { RegisterScriptCallableClass(BridgePath, "/Script/CoreUObject.Object", Functions()); }
		~FRecordingBridge() { UnregisterScriptCallableClass(BridgePath); }

		std::vector<std::string> Calls;

	private:
		FScriptFunction Record(std::string Name, std::vector<FScriptParam> Params)
		{
			FScriptFunction Function;
			Function.Name = Name;
			Function.Category = "Korvane|MCP";
			Function.Params = std::move(Params);
			Function.Invoke = [this, Name](const std::vector<FScriptValue>& Arguments) -> FScriptValue {
				std::string Call = Name + "(";
				for (const FScriptValue& Value : Arguments)
				{
					Call += Call.back() == '(' ? "" : ", ";
					if (const std::string* Text = std::get_if<std::string>(&Value))
					{
						Call += "'" + *Text + "'";
					}
					else if (const bool* Flag = std::get_if<bool>(&Value))
					{
						Call += *Flag ? "true" : "false";
					}
					else
					{
						Call += "[";
						for (const std::string& Item : std::get<std::vector<std::string>>(Value))
						{
							Call += (Call.back() == '[' ? "'" : ", '") + Item + "'";
						}
						Call += "]";
					}
				}
				Call += ")";
				Calls.push_back(Call);
				return "{\"called\": \"" + Name + "\"}";
			};
			return Function;
		}

		std::vector<FScriptFunction> Functions()
		{
			return {
				Record("SendBlueprintToKorvane", {{"BlueprintPath", EScriptValueType::String, std::nullopt}}),
				Record("SendMaterialToKorvane", {{"MaterialPath", EScriptValueType::String, std::nullopt}, {"bBundleTextures", EScriptValueType::Bool, FScriptValue(false)}}),
				Record("CompileBlueprintAndReport", {{"BlueprintPath", EScriptValueType::String, std::nullopt}}),
				Record("CheckAssetsExist", {{"AssetPaths", EScriptValueType::StringArray, std::nullopt}}),
				Record("GetStatusJson", {}),
			};
		}
	};

	/** The command the connector runs to bring the toolset up. */
	std::string EnableCommand()
	{
		return "import sys\n_kv_dir = r'" KORVANE_PLUGIN_DIR "/Resources'\nif _kv_dir not in sys.path: sys.path.insert(0, _kv_dir)\n"
			   "import korvane_mcp_toolset\nkorvane_mcp_toolset.enable()\n";
	}

	bool RunPython(std::string_view Script)
	{
		FLogCapture Log;
		const bool bSucceeded = IPythonScriptPlugin::Get()->ExecPythonCommand(Script);
		EXPECT_TRUE(bSucceeded) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
		return bSucceeded;
	}

	FTestEditorOptions WithBuiltInMcp(bool bBuiltInMcp = true)
	{
		FTestEditorOptions Options = EmbeddedPythonOptions();
		Options.bBuiltInMcp = bBuiltInMcp;
		return Options;
	}

	/** Posts one JSON-RPC request to the editor's MCP server and returns its result (or error) condensed. */
	std::string McpAnswer(FTestHttpClient& Client, std::string_view Method, std::string_view Params)
	{
		const std::string Body = R"({"jsonrpc":"2.0","id":1,"method":")" + std::string(Method) + R"(","params":)" + std::string(Params) + "}";
		const std::optional<FTestHttpResponse> Response = Client.Request("POST", "/mcp", Body, {{"Content-Type", "application/json"}, {"MCP-Protocol-Version", "2025-06-18"}});
		if (!Response)
		{
			return "(no response)";
		}
		const std::shared_ptr<FJsonObject> Message = FJsonSerializer::DeserializeObject(Response->Body);
		const std::shared_ptr<FJsonObject> Result = Message ? Message->TryGetObjectField("result") : nullptr;
		return Result ? FJsonSerializer::SerializeCondensed(*Result) : Response->Body;
	}

	std::string ToolText(std::string_view Text, bool bIsError = false)
	{
		FJsonObject Content;
		Content.SetStringField("type", "text");
		Content.SetStringField("text", Text);
		return R"({"content":[)" + FJsonSerializer::SerializeCondensed(Content) + R"(],"isError":)" + (bIsError ? "true" : "false") + "}";
	}
}

TEST(KorvaneMcpToolsetScript, RegistersTheFiveToolsAsTheFallbackServerListsThem)
{
	FTestEditor Editor(WithBuiltInMcp());
	FRecordingBridge Bridge;
	FLogCapture Log;
	ASSERT_TRUE(RunPython(EnableCommand()));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Log), ElementsAre("Korvane MCP toolset registered: 5 tools as KorvaneToolset."));
	EXPECT_THAT(FToolsetRegistryModule::Get()->GetRegistry().GetToolsetNames(), ElementsAre("KorvaneToolset"));

	Editor.Serve();
	FTestHttpClient Client(Editor.McpPort());
	EXPECT_EQ(McpAnswer(Client, "tools/list", "{}"), ExpectedTools);
}

TEST(KorvaneMcpToolsetScript, EachToolCallsItsBridgeFunctionWithTheArgumentsRead)
{
	FTestEditor Editor(WithBuiltInMcp());
	FRecordingBridge Bridge;
	ASSERT_TRUE(RunPython(EnableCommand()));
	Editor.Serve();
	FTestHttpClient Client(Editor.McpPort());
	const auto Call = [&Client](std::string_view Name, std::string_view Arguments) {
		return McpAnswer(Client, "tools/call", R"({"name":")" + std::string(Name) + R"(","arguments":)" + std::string(Arguments) + "}");
	};

	EXPECT_EQ(Call("send_to_korvane", R"({"blueprint_path":"/Game/BP_Door"})"), ToolText(R"({"called": "SendBlueprintToKorvane"})"));
	EXPECT_EQ(Call("send_to_korvane", "{}"), ToolText(R"({"called": "SendBlueprintToKorvane"})"));
	EXPECT_EQ(Call("send_to_korvane", R"({"blueprint_path":7})"), ToolText(R"({"called": "SendBlueprintToKorvane"})"));
	EXPECT_EQ(Call("send_material_to_korvane", R"({"material_path":"/Game/M_Rock","bundle_textures":true})"), ToolText(R"({"called": "SendMaterialToKorvane"})"));
	Call("send_material_to_korvane", R"({"bundle_textures":"yes"})");
	Call("compile_blueprint", R"({"blueprint_path":""})");
	Call("check_assets_exist", R"({"asset_paths":["/Game/A",3,null,"/Game/B.B"]})");
	Call("check_assets_exist", R"({"asset_paths":[]})");
	EXPECT_EQ(Call("get_korvane_status", R"({"ignored":true})"), ToolText(R"({"called": "GetStatusJson"})"));
	EXPECT_EQ(Editor.OnGameThread([&Bridge]() { return Bridge.Calls; }),
		(std::vector<std::string>{"SendBlueprintToKorvane('/Game/BP_Door')", "SendBlueprintToKorvane('')", "SendBlueprintToKorvane('')",
			"SendMaterialToKorvane('/Game/M_Rock', true)", "SendMaterialToKorvane('', false)", "CompileBlueprintAndReport('')",
			"CheckAssetsExist(['/Game/A', '/Game/B.B'])", "CheckAssetsExist([])", "GetStatusJson()"}));

	EXPECT_EQ(Call("compile_blueprint", "{}"), ToolText("compile_blueprint requires arguments.blueprint_path", true));
	EXPECT_EQ(Call("compile_blueprint", R"({"blueprint_path":["/Game/BP"]})"), ToolText("compile_blueprint requires arguments.blueprint_path", true));
	EXPECT_EQ(Call("check_assets_exist", R"({"asset_paths":"/Game/A"})"), ToolText("check_assets_exist requires arguments.asset_paths (string array)", true));
	EXPECT_EQ(Editor.OnGameThread([&Bridge]() { return Bridge.Calls.size(); }), 9u) << "refused calls never reach the bridge";
}

TEST(KorvaneMcpToolsetScript, EnableAndDisableAreSafeToRepeat)
{
	FTestEditor Editor(WithBuiltInMcp());
	FRecordingBridge Bridge;
	ASSERT_TRUE(RunPython(EnableCommand()));
	ASSERT_TRUE(RunPython("korvane_mcp_toolset.enable()"));
	FToolsetRegistry& Registry = FToolsetRegistryModule::Get()->GetRegistry();
	EXPECT_THAT(Registry.GetToolsetNames(), ElementsAre("KorvaneToolset"));
	EXPECT_EQ(Registry.GetTools().size(), 5u);

	FLogCapture Log;
	ASSERT_TRUE(RunPython("korvane_mcp_toolset.disable()\nkorvane_mcp_toolset.disable()"));
	EXPECT_THAT(Registry.GetToolsetNames(), IsEmpty());
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Log), ElementsAre("Korvane MCP toolset KorvaneToolset withdrawn."));

	// The connector's disable command, with its own exception guard, as the module runs it.
	ASSERT_TRUE(RunPython("try:\n    import korvane_mcp_toolset\n    korvane_mcp_toolset.disable()\nexcept Exception: pass\n"));
	ASSERT_TRUE(RunPython("korvane_mcp_toolset.enable()"));
	EXPECT_EQ(Registry.GetTools().size(), 5u);
}

TEST(KorvaneMcpToolsetScript, WithoutAToolsetRegistryEnableOnlyLogsOneLine)
{
	FTestEditor Editor(WithBuiltInMcp(false));
	FRecordingBridge Bridge;
	FLogCapture Log;
	ASSERT_TRUE(RunPython(EnableCommand()));
	ASSERT_TRUE(RunPython("korvane_mcp_toolset.disable()"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Log),
		ElementsAre("Korvane MCP toolset not registered: this editor has no ToolsetRegistry plug-in; the connector serves the tools on POST /korvane/mcp."));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), IsEmpty());
	EXPECT_THAT(Bridge.Calls, IsEmpty());
}

TEST(KorvaneMcpToolsetScript, ToolsReportABridgeThatIsNotThere)
{
	FTestEditor Editor(WithBuiltInMcp());
	{
		FRecordingBridge Bridge;
		ASSERT_TRUE(RunPython(EnableCommand()));
	}
	Editor.Serve();
	FTestHttpClient Client(Editor.McpPort());
	const std::string Answer = McpAnswer(Client, "tools/call", R"({"name":"get_korvane_status"})");
	EXPECT_EQ(Answer, ToolText("KorvaneMcpBridge has no function 'get_status_json': the functions of /Script/KorvaneConnector.KorvaneMcpBridge were unregistered", true));
}
