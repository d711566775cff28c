#include "Python/PythonTestSupport.h"

#include "Core/JsonObject.h"
#include "Mcp/ToolsetRegistryModule.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
	void RunPython(std::string_view Script)
	{
		FLogCapture Log;
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
	}

	void DefineErrorOf()
	{
		RunPython("import editor\n"
				  "def error_of(call):\n"
				  "    try:\n"
				  "        call()\n"
				  "    except Exception as error:\n"
				  "        return type(error).__name__ + ': ' + str(error)\n"
				  "    return 'no error'\n"
				  "def tool(name, **fields):\n"
				  "    return dict(name=name, function=lambda arguments: name, **fields)\n");
	}

	FTestEditorOptions WithToolsetRegistry()
	{
		FTestEditorOptions Options = EmbeddedPythonOptions();
		Options.bBuiltInMcp = true;
		return Options;
	}

	std::vector<std::string> ToolNames()
	{
		std::vector<std::string> Names;
		for (const FMcpTool* Tool : FToolsetRegistryModule::Get()->GetRegistry().GetTools())
		{
			Names.push_back(Tool->Name);
		}
		return Names;
	}
}

TEST(EditorPythonToolsets, NeedTheToolsetRegistryPlugin)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	DefineErrorOf();
	EXPECT_EQ(EvalPython(Editor, "editor.is_toolset_registry_available()"), "False");
	for (const char* Call : {"editor.register_toolset('T', [])", "editor.unregister_toolset('T')", "editor.get_registered_toolsets()"})
	{
		EXPECT_EQ(EvalPython(Editor, "error_of(lambda: " + std::string(Call) + ")"), "'RuntimeError: ToolsetRegistry plug-in is not enabled'") << Call;
	}
}

TEST(EditorPythonToolsets, RegisterReplaceAndWithdrawByName)
{
	FTestEditor Editor(WithToolsetRegistry());
	DefineErrorOf();
	EXPECT_EQ(EvalPython(Editor, "editor.is_toolset_registry_available()"), "True");
	RunPython("editor.register_toolset('First', [tool('a'), tool('b')])\neditor.register_toolset('Second', (tool('c'),))");
	RunPython("editor.register_toolset('First', [tool('b'), tool('d', description='D', input_schema={'type': 'object', 'properties': {}})])");
	EXPECT_EQ(EvalPython(Editor, "editor.get_registered_toolsets()"), "['First', 'Second']");
	EXPECT_THAT(ToolNames(), ElementsAre("b", "d", "c")) << "a toolset registered again keeps its place";
	const FMcpTool* D = FToolsetRegistryModule::Get()->GetRegistry().FindTool("d");
	ASSERT_NE(D, nullptr);
	EXPECT_EQ(D->Description, "D");
	EXPECT_EQ(D->Call(FJsonObject()).Text, "d");

	EXPECT_EQ(EvalPython(Editor, "editor.unregister_toolset('First')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.unregister_toolset('First')"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.register_toolset('Empty', [])"), "None");
	EXPECT_EQ(EvalPython(Editor, "editor.get_registered_toolsets()"), "['Second', 'Empty']");
	EXPECT_THAT(ToolNames(), ElementsAre("c"));
}

TEST(EditorPythonToolsets, MalformedToolsAreRefusedAndChangeNothing)
{
	FTestEditor Editor(WithToolsetRegistry());
	DefineErrorOf();
	RunPython("editor.register_toolset('Kept', [tool('kept')])");
	const struct
	{
		const char* Call;
		const char* Error;
	} Cases[] = {
		{"editor.register_toolset('', [])", "ValueError: a toolset needs a name"},
		{"editor.register_toolset(3, [])", "TypeError"},
		{"editor.register_toolset('T', tool('a'))", "TypeError: the tools of toolset 'T' must be a list of dicts, not dict"},
		{"editor.register_toolset('T', ['a'])", "TypeError: tool 0 of toolset 'T' must be a dict, not str"},
		{"editor.register_toolset('T', [tool('a'), tool('a')])", "ValueError: toolset 'T' names tool 'a' twice"},
		{"editor.register_toolset('T', [tool('kept')])", "ValueError: tool 'kept' belongs to toolset 'Kept'"},
		{"editor.register_toolset('T', [tool('')])", "ValueError: tool 0 of toolset 'T' has an empty name"},
		{"editor.register_toolset('T', [{'function': print}])", "ValueError: tool 0 of toolset 'T' needs a 'name'"},
		{"editor.register_toolset('T', [tool(5)])", "TypeError: tool 0 of toolset 'T': 'name' must be str, not int"},
		{"editor.register_toolset('T', [tool('a', inputSchema={})])",
			"ValueError: tool 0 of toolset 'T' has the unknown key 'inputSchema' (a tool has name, description, input_schema and function)"},
		{"editor.register_toolset('T', [tool('a', description=None)])", "TypeError: tool 0 of toolset 'T': 'description' must be str, not NoneType"},
		{"editor.register_toolset('T', [{'name': 'a'}])", "TypeError: tool 'a' needs a 'function' that can be called with the arguments dict"},
		{"editor.register_toolset('T', [{'name': 'a', 'function': 'run'}])", "TypeError: tool 'a' needs a 'function' that can be called with the arguments dict"},
		{"editor.register_toolset('T', [tool('a', input_schema=[])])", "TypeError: tool 'a': 'input_schema' must be a dict, not list"},
		{"editor.register_toolset('T', [tool('a', input_schema={'type': 'string'})])", "ValueError: tool 'a': 'input_schema' must describe an object ({'type': 'object', ...})"},
		{"editor.register_toolset('T', [tool('a', input_schema={'type': 'object', 'default': float('nan')})])",
			"ValueError: tool 'a' input_schema['default'] is nan, which JSON cannot hold"},
		{"editor.register_toolset('T', [tool('a', input_schema={'type': 'object', 'enum': {1, 2}})])",
			"TypeError: tool 'a' input_schema['enum'] is of type set, which has no JSON form"},
		{"editor.register_toolset('T', [tool('a', input_schema={'type': 'object', 1: 'x'})])", "TypeError: tool 'a' input_schema has a key of type int; JSON keys are str"},
		{"editor.register_toolset('T', [tool('a', input_schema={'type': 'object', 'big': 10**400})])", "OverflowError"},
	};
	for (const auto& Case : Cases)
	{
		EXPECT_THAT(EvalPython(Editor, "error_of(lambda: " + std::string(Case.Call) + ")"), ::testing::HasSubstr(Case.Error)) << Case.Call;
	}
	RunPython("nested = {'type': 'object'}\nnested['self'] = nested");
	EXPECT_THAT(EvalPython(Editor, "error_of(lambda: editor.register_toolset('T', [tool('a', input_schema=nested)]))"), ::testing::HasSubstr("levels deep"));
	EXPECT_EQ(EvalPython(Editor, "editor.get_registered_toolsets()"), "['Kept']");
	EXPECT_THAT(ToolNames(), ElementsAre("kept"));
}

TEST(EditorPythonToolsets, ScriptToolsetsAreWithdrawnWhenTheInterpreterEnds)
{
	FTestEditor Editor(WithToolsetRegistry());
	RunPython("import editor\neditor.register_toolset('Scripted', [{'name': 'a', 'function': lambda arguments: 'a'}])");
	FMcpTool Native;
	Native.Name = "native";
	Native.InputSchema = std::make_shared<FJsonObject>();
	Native.Call = [](const FJsonObject&) { return FMcpToolResult{"native", false}; };
	ASSERT_FALSE(FToolsetRegistryModule::Get()->GetRegistry().RegisterToolset("Native", {Native}).has_value());

	Editor.Host().GetModuleManager().UnloadModule("PythonScriptPlugin");
	EXPECT_THAT(FToolsetRegistryModule::Get()->GetRegistry().GetToolsetNames(), ElementsAre("Native"));
	EXPECT_THAT(ToolNames(), ElementsAre("native"));
}
