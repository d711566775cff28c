#include "Python/PythonTestSupport.h"

#include "Objects/ObjectGlobals.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	/** Runs a script that must succeed; its errors show in the failure message. */
	void RunPython(std::string_view Script)
	{
		FLogCapture Log;
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
	}
}

TEST(EditorPythonModule, LogFunctionsWriteAtTheirVerbosity)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	FLogCapture Log;
	RunPython("import editor\neditor.log('plain')\neditor.log_warning('careful')\neditor.log_error('broken')");
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Log), ElementsAre("plain"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Warning), ElementsAre("careful"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), ElementsAre("broken"));
}

TEST(EditorPythonModule, PathsAreTheProjectsFolders)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor.Project().PathOf("Plugin/"), true);
	const std::string Dir = Editor.Project().Dir();
	EXPECT_EQ(EvalPython(Editor, "editor.get_project_dir()"), "'" + Dir + "'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_content_dir()"), "'" + Dir + "Content/'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_intermediate_dir()"), "'" + Dir + "Intermediate/'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_plugin_dir('KorvaneConnector')"), "'" + Dir + "Plugin/'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_plugin_dir('NoSuchPlugin')"), "None");
}

TEST(EditorPythonModule, AssetsLoadListAndSave)
{
	FTestEditor Editor(EmbeddedPythonOptions(true));
	EXPECT_EQ(EvalPython(Editor, "editor.does_asset_exist('/Game/Props/SM_Crate')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.does_asset_exist('/Game/Props/SM_Crate.SM_Crate')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.does_asset_exist('/Game/Props/SM_Nothing')"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.list_assets('/Game/Props', 'StaticMesh')"),
		"['/Game/Props/SM_Barrel.SM_Barrel', '/Game/Props/SM_Crate.SM_Crate', '/Game/Props/SM_Pillar.SM_Pillar', '/Game/Props/SM_Rock.SM_Rock']");
	EXPECT_EQ(EvalPython(Editor, "editor.list_assets('/Game/Props', '/Script/Engine.SoundWave')"), "[]");
	EXPECT_EQ(EvalPython(Editor, "len(editor.list_assets('/Game/Environment', recursive=False))"), "0");
	EXPECT_EQ(EvalPython(Editor, "len(editor.list_assets('/Game/Environment')) > 0"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.list_assets('Props')"), "<error>");

	RunPython("crate = editor.load_asset('/Game/Props/SM_Crate')");
	EXPECT_EQ(EvalPython(Editor, "(crate.get_name(), crate.get_path_name(), crate.get_class().get_name())"),
		"('SM_Crate', '/Game/Props/SM_Crate.SM_Crate', 'StaticMesh')");
	EXPECT_EQ(EvalPython(Editor, "crate.get_outer().get_path_name()"), "'/Game/Props/SM_Crate'");
	EXPECT_EQ(EvalPython(Editor, "crate == editor.load_asset('/Game/Props/SM_Crate.SM_Crate')"), "True");
	EXPECT_EQ(EvalPython(Editor, "crate.is_a('/Script/Engine.StaticMesh')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.load_asset('/Game/Props/SM_Nothing')"), "None");

	Editor.Project().WriteFile("Content/Props/SM_Crate.asset.json", "{}");
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(crate)"), "True");
	EXPECT_THAT(Editor.Project().ReadFile("Content/Props/SM_Crate.asset.json"), HasSubstr("\"lightMapResolution\": 64"));
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(crate.get_class())"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(42)"), "<error>");
}

TEST(EditorPythonModule, ClassDatabaseIsReflected)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	RunPython("import editor\ncomponent = editor.find_class('/Script/Engine.ActorComponent')\nscene = editor.find_class('SceneComponent')");
	EXPECT_EQ(EvalPython(Editor, "editor.find_class('NoSuchClass')"), "None");
	EXPECT_EQ(EvalPython(Editor, "component.get_path_name()"), "'/Script/Engine.ActorComponent'");
	EXPECT_EQ(EvalPython(Editor, "scene.get_super_class() == component"), "True");
	EXPECT_EQ(EvalPython(Editor, "(scene.is_child_of(component), component.is_child_of(scene))"), "(True, False)");
	EXPECT_EQ(EvalPython(Editor, "scene in component.get_derived_classes()"), "True");
	EXPECT_EQ(EvalPython(Editor, "all(c.get_super_class() == component for c in component.get_derived_classes(recursive=False))"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.find_class('Object').get_super_class()"), "None");

	RunPython("auto = component.find_property('bAutoActivate')");
	EXPECT_EQ(EvalPython(Editor, "(auto.name, auto.cpp_type, auto.flags & 0x5, auto.metadata, auto.default_value)"),
		"('bAutoActivate', 'uint8', 5, {'Category': 'Activation'}, 'False')");
	EXPECT_EQ(EvalPython(Editor, "auto.owner_class == component and auto.has_any_flags(0x1)"), "True");
	EXPECT_EQ(EvalPython(Editor, "[p.name for p in component.get_properties()]"), "['ComponentTags', 'bAutoActivate', 'bIsEditorOnly']");
	EXPECT_EQ(EvalPython(Editor, "scene.find_property('bAutoActivate') == None"), "False");
	EXPECT_EQ(EvalPython(Editor, "len(scene.get_properties(include_super=False)) < len(scene.get_properties())"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.find_class('Actor').is_child_of(42)"), "<error>");
}

TEST(EditorPythonModule, ObjectsThatAreGoneRaiseInsteadOfCrashing)
{
	FTestEditor Editor(EmbeddedPythonOptions(true));
	RunPython("import editor\ncrate = editor.load_asset('/Game/Props/SM_Crate')");
	Editor.OnGameThread([]() {
		UObject* Crate = StaticFindObject(nullptr, nullptr, "/Game/Props/SM_Crate.SM_Crate");
		Crate->MarkAsGarbage();
		CollectGarbage();
	});
	EXPECT_EQ(EvalPython(Editor, "crate.is_valid()"), "False");
	EXPECT_EQ(EvalPython(Editor, "crate.get_name()"), "<error>");
	EXPECT_THAT(EvalPython(Editor, "crate"), HasSubstr("gone"));
}
