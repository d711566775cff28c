#include "Python/PythonTestSupport.h"

#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace
{
	void RunPython(std::string_view Script)
	{
		FLogCapture Log;
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
	}
}

TEST(EditorPythonBlueprints, ScriptBuildsCompilesAndSavesABlueprint)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	RunPython("import editor\nbp = editor.create_blueprint('/Script/Engine.Actor', '/Game/Generated', 'BP_Torch')");
	EXPECT_EQ(EvalPython(Editor, "(bp.get_path_name(), bp.get_class().get_name())"), "('/Game/Generated/BP_Torch.BP_Torch', 'Blueprint')");
	EXPECT_EQ(EvalPython(Editor, "editor.create_blueprint('Actor', '/Game/Generated', 'BP_Torch')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.create_blueprint('Actor', 'Generated', 'BP_Other')"), "<error>");

	RunPython("health = editor.PinType('real', 'double')");
	EXPECT_EQ(EvalPython(Editor, "editor.add_member_variable(bp, 'Health', health, '100.0')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.add_member_variable(bp, 'Health', health)"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.add_member_variable(bp, 'Tags', editor.PinType('name', container_type='Array'))"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.remove_member_variable(bp, 'Tags')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.remove_member_variable(bp, 'Tags')"), "False");
	EXPECT_EQ(EvalPython(Editor, "[(n, t == health, d) for n, t, d in editor.get_member_variables(bp)]"), "[('Health', True, '100.0')]");

	EXPECT_EQ(EvalPython(Editor, "editor.add_component(bp, 'StaticMeshComponent', 'Mesh', parent='DefaultSceneRoot')"), "'Mesh'");
	EXPECT_EQ(EvalPython(Editor, "editor.add_component(bp, 'StaticMeshComponent', 'Mesh', parent='NoSuchParent')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.add_component(bp, 'Actor', 'NotAComponent')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.get_components(bp)"),
		"[('DefaultSceneRoot', 'SceneComponent', None), ('Mesh', 'StaticMeshComponent', 'DefaultSceneRoot')]");
	RunPython("template = editor.get_component_template(bp, 'Mesh')\ntemplate.set_property_text('bAutoActivate', 'True')");
	EXPECT_EQ(EvalPython(Editor, "template.get_property_text('bAutoActivate')"), "'True'");
	EXPECT_EQ(EvalPython(Editor, "template.get_property_text('NoSuchProperty')"), "<error>");

	EXPECT_EQ(EvalPython(Editor, "editor.add_function_graph(bp, 'Ignite', add_result_node=True).get_name()"), "'Ignite'");
	EXPECT_EQ(EvalPython(Editor, "editor.add_function_graph(bp, 'Ignite')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.get_graph_names(bp)"), "['EventGraph', 'Ignite']");

	EXPECT_EQ(EvalPython(Editor, "editor.get_blueprint_status(bp)"), "'Dirty'");
	EXPECT_EQ(EvalPython(Editor, "editor.compile_blueprint(bp)"), "'UpToDate'");
	EXPECT_EQ(EvalPython(Editor, "[m for m in editor.get_compile_messages(bp) if m[0] == 'Error']"), "[]");

	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(bp)"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.does_asset_exist('/Game/Generated/BP_Torch')"), "True");
	EXPECT_THAT(Editor.Project().ReadFile("Content/Generated/BP_Torch.asset.json"), HasSubstr("Health"));
}

TEST(EditorPythonBlueprints, NonBlueprintsAreRefusedWithATypeError)
{
	FTestEditor Editor(EmbeddedPythonOptions(true));
	FLogCapture Log;
	EXPECT_EQ(EvalPython(Editor, "editor.add_member_variable(editor.load_asset('/Game/Props/SM_Crate'), 'X', editor.PinType('bool'))"), "<error>");
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), ::testing::Contains("TypeError: expected a Blueprint"));
}
