#include "Python/PythonTestSupport.h"

#include "Objects/ScriptCallable.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	constexpr std::string_view BridgePath = "/Script/PythonCallableTests.TestMcpBridge";

	/** Runs a script that must succeed; its errors show in the failure message. */
	void RunPython(std::string_view Script)
	{
		FLogCapture Log;
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
	}

	/** Defines error_of(call): the exception the call raises as "Type: message", or "no error". */
	void DefineErrorOf()
	{
		RunPython("import editor\n"
				  "def error_of(call):\n"
				  "    try:\n"
				  "        call()\n"
				  "    except Exception as error:\n"
				  "        return type(error).__name__ + ': ' + str(error)\n"
				  "    return 'no error'\n");
	}

	/** Renders the arguments a native function received, so a test sees exactly what was bound. */
	std::string Describe(const std::vector<FScriptValue>& Arguments)
	{
		std::string Text;
		for (const FScriptValue& Value : Arguments)
		{
			Text += Text.empty() ? "" : "|";
			if (const bool* Bool = std::get_if<bool>(&Value))
			{
				Text += *Bool ? "true" : "false";
			}
			else if (const int64_t* Int = std::get_if<int64_t>(&Value))
			{
				Text += std::to_string(*Int);
			}
			else if (const double* Float = std::get_if<double>(&Value))
			{
				Text += std::to_string(*Float);
			}
			else if (const std::string* String = std::get_if<std::string>(&Value))
			{
				Text += "'" + *String + "'";
			}
			else
			{
				Text += "[";
				for (const std::string& Item : std::get<std::vector<std::string>>(Value))
				{
					Text += Item + ";";
				}
				Text += "]";
			}
		}
		return Text;
	}

	FScriptFunction Echo(std::string Name, std::vector<FScriptParam> Params, std::string Prefix = "")
	{
		FScriptFunction Function;
		Function.Name = std::move(Name);
		Function.Category = "Korvane|MCP";
		Function.ToolTip = "Echoes its arguments.";
		Function.Params = std::move(Params);
		Function.Invoke = [Prefix](const std::vector<FScriptValue>& Arguments) -> FScriptValue { return Prefix + Describe(Arguments); };
		return Function;
	}

	std::vector<FScriptFunction> BridgeFunctions(std::string Prefix = "")
	{
		FScriptFunction Count = Echo("CountAssets", {{"AssetPaths", EScriptValueType::StringArray, std::nullopt}});
		Count.ReturnType = EScriptValueType::Int;
		Count.Invoke = [](const std::vector<FScriptValue>& Arguments) -> FScriptValue {
			return static_cast<int64_t>(std::get<std::vector<std::string>>(Arguments[0]).size());
		};
		FScriptFunction Fail = Echo("FailLoudly", {});
		Fail.Invoke = [](const std::vector<FScriptValue>&) -> FScriptValue { throw std::runtime_error("the bridge broke"); };
		return {
			Echo("SendBlueprintToKorvane", {{"BlueprintPath", EScriptValueType::String, std::nullopt}}, Prefix),
			Echo("SendMaterialToKorvane", {{"MaterialPath", EScriptValueType::String, std::nullopt}, {"bBundleTextures", EScriptValueType::Bool, FScriptValue(false)}}, Prefix),
			Echo("Tune", {{"Steps", EScriptValueType::Int, FScriptValue(int64_t{3})}, {"Gain", EScriptValueType::Float, FScriptValue(0.5)}}, Prefix),
			Echo("CheckAssetsExist", {{"AssetPaths", EScriptValueType::StringArray, std::nullopt}}, Prefix),
			Echo("GetStatusJson", {}, Prefix),
			Count,
			Fail,
		};
	}

	/** Registers the test bridge for one test and withdraws it at the end. */
	struct FRegisteredBridge
	{
		explicit FRegisteredBridge(std::vector<FScriptFunction> Functions = BridgeFunctions())
		{
			RegisterScriptCallableClass(BridgePath, "/Script/CoreUObject.Object", std::move(Functions));
		}
		~FRegisteredBridge() { UnregisterScriptCallableClass(BridgePath); }
	};
}

TEST(EditorPythonScriptCallables, FunctionsTakePositionalAndKeywordArgumentsWithDefaults)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	FRegisteredBridge Bridge;
	RunPython("import editor\nbridge = editor.TestMcpBridge");
	EXPECT_EQ(EvalPython(Editor, "bridge.send_blueprint_to_korvane('/Game/BP_Door')"), "\"'/Game/BP_Door'\"");
	EXPECT_EQ(EvalPython(Editor, "bridge.send_blueprint_to_korvane(blueprint_path='/Game/BP_Door')"), "\"'/Game/BP_Door'\"");
	EXPECT_EQ(EvalPython(Editor, "bridge.send_material_to_korvane('/Game/M_Rock')"), "\"'/Game/M_Rock'|false\"");
	EXPECT_EQ(EvalPython(Editor, "bridge.send_material_to_korvane('/Game/M_Rock', True)"), "\"'/Game/M_Rock'|true\"");
	EXPECT_EQ(EvalPython(Editor, "bridge.send_material_to_korvane(bundle_textures=True, material_path='')"), "\"''|true\"");
	EXPECT_EQ(EvalPython(Editor, "bridge.tune()"), "'3|0.500000'");
	EXPECT_EQ(EvalPython(Editor, "bridge.tune(gain=2, steps=-7)"), "'-7|2.000000'");
	EXPECT_EQ(EvalPython(Editor, "bridge.check_assets_exist(['/Game/A', '/Game/B.B'])"), "'[/Game/A;/Game/B.B;]'");
	EXPECT_EQ(EvalPython(Editor, "bridge.check_assets_exist(('/Game/\u00e9',))"), "'[/Game/\u00e9;]'");
	EXPECT_EQ(EvalPython(Editor, "bridge.check_assets_exist([])"), "'[]'");
	EXPECT_EQ(EvalPython(Editor, "bridge.count_assets(asset_paths=['a', 'b', 'c'])"), "3");
	EXPECT_EQ(EvalPython(Editor, "bridge.get_status_json()"), "''");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.static_class().get_path_name()"), "'/Script/PythonCallableTests.TestMcpBridge'");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.static_class().get_super_class().get_name()"), "'Object'");
}

TEST(EditorPythonScriptCallables, MissingOrMistypedArgumentsRaiseTypeError)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	FRegisteredBridge Bridge;
	DefineErrorOf();
	RunPython("bridge = editor.TestMcpBridge");
	const struct
	{
		const char* Call;
		const char* Error;
	} Cases[] = {
		{"bridge.send_blueprint_to_korvane()", "TypeError: TestMcpBridge.send_blueprint_to_korvane() missing required argument 'blueprint_path'"},
		{"bridge.send_blueprint_to_korvane(42)", "TypeError: TestMcpBridge.send_blueprint_to_korvane() argument 'blueprint_path' must be str, not int"},
		{"bridge.send_blueprint_to_korvane(None)", "TypeError: TestMcpBridge.send_blueprint_to_korvane() argument 'blueprint_path' must be str, not NoneType"},
		{"bridge.send_blueprint_to_korvane('a', 'b')", "TypeError: TestMcpBridge.send_blueprint_to_korvane() takes 1 positional argument but 2 were given"},
		{"bridge.send_blueprint_to_korvane(path='a')", "TypeError: TestMcpBridge.send_blueprint_to_korvane() got an unexpected keyword argument 'path'"},
		{"bridge.send_blueprint_to_korvane('a', blueprint_path='b')", "TypeError: TestMcpBridge.send_blueprint_to_korvane() got multiple values for argument 'blueprint_path'"},
		{"bridge.send_material_to_korvane('m', 1)", "TypeError: TestMcpBridge.send_material_to_korvane() argument 'bundle_textures' must be bool, not int"},
		{"bridge.send_material_to_korvane('m', b_bundle_textures=True)", "TypeError: TestMcpBridge.send_material_to_korvane() got an unexpected keyword argument 'b_bundle_textures'"},
		{"bridge.tune(True)", "TypeError: TestMcpBridge.tune() argument 'steps' must be int, not bool"},
		{"bridge.tune(1.5)", "TypeError: TestMcpBridge.tune() argument 'steps' must be int, not float"},
		{"bridge.tune(2**63)", "OverflowError: TestMcpBridge.tune() argument 'steps' does not fit in a 64-bit integer"},
		{"bridge.tune(gain='loud')", "TypeError: TestMcpBridge.tune() argument 'gain' must be float, not str"},
		{"bridge.check_assets_exist('/Game/A')", "TypeError: TestMcpBridge.check_assets_exist() argument 'asset_paths' must be a list of str, not str"},
		{"bridge.check_assets_exist(['/Game/A', 7])", "TypeError: TestMcpBridge.check_assets_exist() argument 'asset_paths' must be a list of str, but item 1 is int"},
		{"bridge.check_assets_exist({'/Game/A'})", "TypeError: TestMcpBridge.check_assets_exist() argument 'asset_paths' must be a list of str, not set"},
		{"bridge.send_blueprint_to_korvane('\\ud800')", "UnicodeEncodeError"},
		{"bridge.fail_loudly()", "RuntimeError: the bridge broke"},
		{"bridge.no_such_function", "AttributeError: TestMcpBridge has no function 'no_such_function'"},
		{"editor.NoSuchBridge", "AttributeError: module 'editor' has no attribute 'NoSuchBridge'"},
	};
	for (const auto& Case : Cases)
	{
		EXPECT_THAT(EvalPython(Editor, "error_of(lambda: " + std::string(Case.Call) + ")"), HasSubstr(Case.Error)) << Case.Call;
	}
	EXPECT_EQ(EvalPython(Editor, "bridge.tune(2**63 - 1, -2.25)"), "'9223372036854775807|-2.250000'");
}

TEST(EditorPythonScriptCallables, ClassesAndFunctionsDescribeThemselves)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	FRegisteredBridge Bridge;
	RunPython("import editor");
	EXPECT_EQ(EvalPython(Editor, "'TestMcpBridge' in dir(editor) and 'load_asset' in dir(editor)"), "True");
	EXPECT_EQ(EvalPython(Editor, "hasattr(editor, 'TestMcpBridge') and not hasattr(editor, 'NoSuchBridge')"), "True");
	EXPECT_EQ(EvalPython(Editor, "'send_material_to_korvane' in dir(editor.TestMcpBridge)"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge"), "<editor.TestMcpBridge /Script/PythonCallableTests.TestMcpBridge>");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.send_material_to_korvane"), "<editor function TestMcpBridge.send_material_to_korvane()>");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.send_material_to_korvane.__doc__"),
		"'send_material_to_korvane(material_path: str, bundle_textures: bool = False) -> str\\n\\nEchoes its arguments.'");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.tune.__doc__.splitlines()[0]"), "'tune(steps: int = 3, gain: float = 0.5) -> str'");
}

TEST(EditorPythonScriptCallables, RegisteringAgainIsSeenAtOnceAndUnregisteringWithdrawsTheFunctions)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	FRegisteredBridge Bridge;
	DefineErrorOf();
	RunPython("bridge = editor.TestMcpBridge\nsend = bridge.send_blueprint_to_korvane\ntune = bridge.tune");
	EXPECT_EQ(EvalPython(Editor, "send('/Game/A')"), "\"'/Game/A'\"");

	std::vector<FScriptFunction> Reloaded = BridgeFunctions("reloaded:");
	Reloaded.erase(Reloaded.begin() + 2);
	RegisterScriptCallableClass(BridgePath, "/Script/CoreUObject.Object", Reloaded);
	EXPECT_EQ(EvalPython(Editor, "send('/Game/A')"), "\"reloaded:'/Game/A'\"");
	EXPECT_EQ(EvalPython(Editor, "bridge.send_blueprint_to_korvane('/Game/B')"), "\"reloaded:'/Game/B'\"");
	EXPECT_EQ(EvalPython(Editor, "error_of(tune)"),
		"'RuntimeError: TestMcpBridge.tune() is no longer available: /Script/PythonCallableTests.TestMcpBridge was registered again without it'");
	EXPECT_EQ(EvalPython(Editor, "error_of(lambda: bridge.tune)"), "\"AttributeError: TestMcpBridge has no function 'tune'\"");

	UnregisterScriptCallableClass(BridgePath);
	EXPECT_EQ(EvalPython(Editor, "error_of(lambda: send('/Game/A'))"),
		"'RuntimeError: TestMcpBridge.send_blueprint_to_korvane() is no longer available: the functions of /Script/PythonCallableTests.TestMcpBridge were unregistered'");
	EXPECT_EQ(EvalPython(Editor, "error_of(lambda: editor.TestMcpBridge.get_status_json())"),
		"\"AttributeError: TestMcpBridge has no function 'get_status_json': the functions of /Script/PythonCallableTests.TestMcpBridge were unregistered\"");
	EXPECT_THAT(EvalPython(Editor, "send.__doc__"), HasSubstr("no longer available"));

	RegisterScriptCallableClass(BridgePath, "/Script/CoreUObject.Object", BridgeFunctions());
	EXPECT_EQ(EvalPython(Editor, "send('/Game/C')"), "\"'/Game/C'\"");
}

TEST(EditorPythonScriptCallables, NativeFunctionsMayRegisterTheirOwnClassAgainWhileRunning)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	FScriptFunction Reload = Echo("Reload", {{"Label", EScriptValueType::String, std::nullopt}});
	Reload.Invoke = [](const std::vector<FScriptValue>& Arguments) -> FScriptValue {
		const std::string Label = std::get<std::string>(Arguments[0]);
		RegisterScriptCallableClass(BridgePath, "/Script/CoreUObject.Object", BridgeFunctions());
		return "reloaded " + Label;
	};
	FRegisteredBridge Bridge({Reload});
	RunPython("import editor");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.reload('once')"), "'reloaded once'");
	EXPECT_EQ(EvalPython(Editor, "editor.TestMcpBridge.get_status_json()"), "''");
}
