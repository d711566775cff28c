#include "Python/PythonTestSupport.h"

#include "Python/PythonScriptPlugin.h"

#include <gtest/gtest.h>

namespace
{
	void RunPython(std::string_view Script)
	{
		FLogCapture Log;
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
	}
}

TEST(EditorPythonWidgets, ScriptBuildsReadsAndSavesAWidgetBlueprint)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	RunPython("import editor\nwbp = editor.create_widget_blueprint('/Game/UI', 'WBP_Hud')");
	EXPECT_EQ(EvalPython(Editor, "(wbp.get_class().get_name(), editor.get_parent_class(wbp).get_name())"), "('WidgetBlueprint', 'UserWidget')");
	EXPECT_EQ(EvalPython(Editor, "editor.get_widget_tree(wbp)"), "None");
	EXPECT_EQ(EvalPython(Editor, "editor.create_widget_blueprint('/Game/UI', 'WBP_Hud')"), "<error>") << "the asset exists";
	EXPECT_EQ(EvalPython(Editor, "editor.create_widget_blueprint('/Game/UI', 'WBP_Odd', kind='Popup')"), "<error>");

	RunPython(
		"editor.add_widget(wbp, 'CanvasPanel', 'Canvas')\n"
		"editor.add_widget(wbp, 'VerticalBox', 'Entries', parent='Canvas')\n"
		"editor.add_widget(wbp, 'TextBlock', 'Title', parent='Entries')\n"
		"editor.add_widget(wbp, 'Button', 'StartButton', parent='Entries')\n"
		"editor.add_widget(wbp, 'TextBlock', 'Caption', parent='StartButton')\n"
		"editor.add_widget(wbp, 'Image', 'Spare')\n"
		"editor.set_widget_property(wbp, 'Title', 'Text', 'NSLOCTEXT(\"HUD\", \"Title\", \"Score\")')\n"
		"editor.set_widget_property(wbp, 'Title', 'bIsVariable', 'True')\n"
		"editor.set_widget_property(wbp, 'Entries', 'LayoutData', '(Offsets=(Left=10.000000))', slot=True)\n"
		"editor.set_widget_property(wbp, 'Entries', 'LayoutData', '(Anchors=(Minimum=(X=0.500000)))', slot=True)\n");
	EXPECT_EQ(EvalPython(Editor, "editor.add_widget(wbp, 'TextBlock', 'Second', parent='StartButton')"), "<error>") << "a button holds one child";
	EXPECT_EQ(EvalPython(Editor, "editor.add_widget(wbp, 'TextBlock', 'Nested', parent='Title')"), "<error>") << "a text is no panel";
	EXPECT_EQ(EvalPython(Editor, "editor.add_widget(wbp, 'TextBlock', 'Title', parent='Entries')"), "<error>") << "a taken name";
	EXPECT_EQ(EvalPython(Editor, "editor.set_widget_property(wbp, 'Title', 'NoSuchProperty', '1')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.set_widget_property(wbp, 'Canvas', 'Padding', '(Left=1.0)', slot=True)"), "<error>") << "the root has no slot";

	const std::string Tree = EvalPython(Editor, "editor.get_widget_tree(wbp)");
	EXPECT_EQ(Tree,
		"{'class': 'CanvasPanel', 'name': 'Canvas', 'is_variable': False, 'properties': {}, 'slot_properties': {}, 'children': ["
		"{'class': 'VerticalBox', 'name': 'Entries', 'is_variable': False, 'properties': {}, "
		"'slot_properties': {'LayoutData': '(Offsets=(Left=10.000000),Anchors=(Minimum=(X=0.500000,Y=0.000000)))'}, 'children': ["
		"{'class': 'TextBlock', 'name': 'Title', 'is_variable': True, 'properties': {'Text': 'NSLOCTEXT(\"HUD\", \"Title\", \"Score\")', 'bIsVariable': 'True'}, 'slot_properties': {}, 'children': []}, "
		"{'class': 'Button', 'name': 'StartButton', 'is_variable': True, 'properties': {}, 'slot_properties': {}, 'children': ["
		"{'class': 'TextBlock', 'name': 'Caption', 'is_variable': False, 'properties': {}, 'slot_properties': {}, 'children': []}]}]}]}");
	EXPECT_EQ(EvalPython(Editor, "[w['name'] for w in editor.get_unattached_widgets(wbp)]"), "['Spare']");
	EXPECT_EQ(EvalPython(Editor, "editor.find_widget(wbp, 'Caption').get_path_name()"), "'/Game/UI/WBP_Hud.WBP_Hud:WidgetTree.Caption'");

	RunPython("editor.add_widget_animation(wbp, 'FadeIn', 0.0, 0.5)\neditor.set_design_size(wbp, 1280, 720, 'Custom')");
	EXPECT_EQ(EvalPython(Editor, "editor.add_widget_animation(wbp, 'FadeIn')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.set_design_size(wbp, mode='Sideways')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.set_design_size(wbp, 0, 720)"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.get_widget_animations(wbp)"), "[('FadeIn', 0.0, 0.5)]");
	EXPECT_EQ(EvalPython(Editor, "editor.get_design_size(wbp)"), "{'x': 1280.0, 'y': 720.0, 'mode': 'Custom'}");
	EXPECT_EQ(EvalPython(Editor, "editor.compile_blueprint(wbp)"), "'UpToDate'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_design_size(wbp)"), "{'x': 1280.0, 'y': 720.0, 'mode': 'Custom'}") << "a compile keeps it";
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(wbp)"), "True");
	EXPECT_TRUE(Editor.Project().Exists("Content/UI/WBP_Hud.asset.json"));

	RunPython("tool = editor.create_widget_blueprint('/Game/Tools', 'EUW_Tool', kind='editorutilitywidget')");
	EXPECT_EQ(EvalPython(Editor, "(tool.get_class().get_name(), editor.get_parent_class(tool).get_name())"),
		"('EditorUtilityWidgetBlueprint', 'EditorUtilityWidget')");
	EXPECT_EQ(EvalPython(Editor, "editor.create_widget_blueprint('/Game/Tools', 'EUW_Bad', kind='EditorUtilityWidget', parent_class='UserWidget')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.get_widget_tree(editor.create_blueprint('Actor', '/Game/BP', 'BP_Plain'))"), "<error>") << "not a Widget Blueprint";
}
