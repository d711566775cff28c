#include "Python/PythonTestSupport.h"

#include "Python/PythonScriptPlugin.h"

#include <gtest/gtest.h>

namespace
{
	/**
	 * An editor whose interpreter holds the deploy script's helpers as `kv`: the script run in
	 * a namespace of its own under another name than __main__, so it defines them and deploys nothing.
	 */
	class BlueprintDeployScript : public ::testing::Test
	{
	protected:
		BlueprintDeployScript() : Editor(EmbeddedPythonOptions())
		{
			const std::string Load = "import types\n"
									 "__kv_namespace = {'__name__': 'kv_deploy_under_test'}\n"
									 "exec(open(r'" KORVANE_PLUGIN_DIR "/Resources/_kv_deploy.py', encoding='utf-8').read(), __kv_namespace)\n"
									 "kv = types.SimpleNamespace(**__kv_namespace)\n"
									 "def kv_error(call, *args):\n"
									 "    try:\n"
									 "        call(*args)\n"
									 "    except kv.DeployError as error:\n"
									 "        return str(error)\n";
			EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Load));
		}

		std::string Eval(std::string_view Expression) { return EvalPython(Editor, Expression); }

		FTestEditor Editor;
	};
}

TEST_F(BlueprintDeployScript, NamesAndFoldersAreCheckedAsTheEditorChecksThem)
{
	EXPECT_EQ(Eval("kv.asset_name_problem('BP_Torch-2')"), "None");
	EXPECT_EQ(Eval("kv.asset_name_problem('')"), "'the name is empty'");
	EXPECT_EQ(Eval("kv.asset_name_problem(7)"), "'the name is empty'");
	EXPECT_EQ(Eval("kv.asset_name_problem('BP.Torch')"), "\"the name 'BP.Torch' holds the character '.', which asset names cannot hold\"");
	EXPECT_EQ(Eval("kv.asset_name_problem('BP\\x01')"), "\"the name 'BP\\\\x01' holds the character '\\\\x01', which asset names cannot hold\"");

	EXPECT_EQ(Eval("kv.deploy_folder(None)"), "'/Game/Generated'");
	EXPECT_EQ(Eval("kv.deploy_folder('/Game/Props/')"), "'/Game/Props'");
	EXPECT_EQ(Eval("kv.deploy_folder('/Game')"), "'/Game'");
	EXPECT_EQ(Eval("kv.deploy_folder('/Game/Blueprints/BP_Campfire.BP_Campfire')"), "'/Game/Blueprints'") << "a gathered object path names its folder";
	EXPECT_EQ(Eval("kv_error(kv.deploy_folder, '/Engine/Generated')"), "\"Blueprints are deployed under /Game, not to '/Engine/Generated'\"");
	EXPECT_EQ(Eval("kv_error(kv.deploy_folder, '/GameOther/X')"), "\"Blueprints are deployed under /Game, not to '/GameOther/X'\"");
	EXPECT_EQ(Eval("kv_error(kv.deploy_folder, '/Game/My Folder')"), "\"'/Game/My Folder' is not a valid content folder\"");
	EXPECT_EQ(Eval("kv_error(kv.deploy_folder, '/Game//X')"), "\"'/Game//X' is not a valid content folder\"");
	EXPECT_EQ(Eval("kv_error(kv.deploy_folder, ['/Game'])"), "'path must be a string'");
}

TEST_F(BlueprintDeployScript, TypesAndValuesBecomeTheEditorsSpelling)
{
	const std::string NoClass = "lambda name: None";
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'real'}, " + NoClass + ")"), "('real', 'double', '', 'None')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'float'}, " + NoClass + ", 'Array')"), "('real', 'float', '', 'Array')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'Vector'}, " + NoClass + ")"), "('struct', '', '/Script/CoreUObject.Vector', 'None')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'struct', 'subType': 'Rotator'}, " + NoClass + ")"), "('struct', '', '/Script/CoreUObject.Rotator', 'None')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'object'}, " + NoClass + ")"), "('object', '', '/Script/CoreUObject.Object', 'None')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'class', 'subType': 'Actor'}, lambda name: '/Script/Engine.' + name)"), "('class', '', '/Script/Engine.Actor', 'None')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'object', 'subTypePath': \"/Script/CoreUObject.Class'/Script/Engine.Pawn'\"}, " + NoClass + ")"),
		"('object', '', '/Script/Engine.Pawn', 'None')");
	EXPECT_EQ(Eval("kv.pin_type_fields({'type': 'byte', 'subTypePath': '/Script/Engine.ECollisionChannel'}, " + NoClass + ")"),
		"('byte', '', '/Script/Engine.ECollisionChannel', 'None')");
	EXPECT_EQ(Eval("kv_error(kv.pin_type_fields, {'type': 'object', 'subType': 'Nope'}, " + NoClass + ")"), "\"unknown class 'Nope'\"");
	EXPECT_EQ(Eval("kv_error(kv.pin_type_fields, {'type': 'struct', 'subType': 'MyStruct'}, " + NoClass + ")"), "\"type 'struct' needs a subTypePath\"");
	EXPECT_EQ(Eval("kv_error(kv.pin_type_fields, {'type': 'quaternion'}, " + NoClass + ")"), "\"unknown type 'quaternion'\"");
	EXPECT_EQ(Eval("kv_error(kv.pin_type_fields, {}, " + NoClass + ")"), "'no type'");

	EXPECT_EQ(Eval("kv.same_pin_type(editor.PinType('object', '', \"/Script/CoreUObject.Class'\\\"/Script/Engine.Actor\\\"'\"), editor.PinType('object', '', '/Script/Engine.Actor'))"),
		"True");
	EXPECT_EQ(Eval("kv.same_pin_type(editor.PinType('int'), editor.PinType('int', container_type='Array'))"), "False");
	EXPECT_EQ(Eval("[kv.export_text(v) for v in (True, False, 5, 2.5, 'X', None, {'a': 1}, [1])]"), "['True', 'False', '5', '2.500000', 'X', None, None, None]");
}

TEST_F(BlueprintDeployScript, GraphNamesComeFromTheListsAndFromGatheredGraphs)
{
	EXPECT_EQ(Eval("kv.requested_graph_names({'functions': ['A', {'name': 'B'}, 'A', 3], 'graphs': {'C': {'type': 'function'}, 'D': {'type': 'event'}, 'E': 'text'}}, 'function')"),
		"['A', 'B', 'C']");
	EXPECT_EQ(Eval("kv.requested_graph_names({'eventGraphs': ['Lighting'], 'graphs': {'D': {'type': 'event'}, 'Lighting': {'type': 'event'}}}, 'event')"),
		"['Lighting', 'D']");
	EXPECT_EQ(Eval("kv.requested_graph_names({'functions': 'A', 'graphs': []}, 'function')"), "[]");
}
