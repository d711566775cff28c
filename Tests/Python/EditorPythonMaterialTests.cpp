#include "Python/PythonTestSupport.h"

#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
	void RunPython(std::string_view Script)
	{
		FLogCapture Log;
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand(Script)) << ::testing::PrintToString(PythonLines(Log, ELogVerbosity::Error));
	}

	/** A Material with a vector parameter times a constant into base colour, and a scalar parameter into roughness. */
	void MakeTintedMaterial()
	{
		RunPython(
			"import editor\n"
			"m = editor.create_material('/Game/Generated', 'M_Tinted')\n"
			"tint = editor.create_material_expression(m, 'MaterialExpressionVectorParameter', -400, 0, 'Tint')\n"
			"editor.set_expression_property(tint, 'ParameterName', '\"BaseTint\"')\n"
			"editor.set_expression_property(tint, 'DefaultValue', '(R=1.000000,G=0.500000,B=0.250000,A=1.000000)')\n"
			"half = editor.create_material_expression(m, '/Script/Engine.MaterialExpressionConstant', -400, 200)\n"
			"editor.set_expression_property(half, 'R', '0.500000')\n"
			"mul = editor.create_material_expression(m, 'MaterialExpressionMultiply', -200, 100)\n"
			"rough = editor.create_material_expression(m, 'MaterialExpressionScalarParameter', -400, 400)\n"
			"editor.set_expression_property(rough, 'ParameterName', '\"Roughness\"')\n"
			"editor.set_expression_property(rough, 'DefaultValue', '0.750000')\n");
	}
}

TEST(EditorPythonMaterials, ScriptBuildsWiresCompilesAndSavesAMaterial)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	MakeTintedMaterial();
	EXPECT_EQ(EvalPython(Editor, "(m.get_path_name(), [e.get_name() for e in editor.get_material_expressions(m)])"),
		"('/Game/Generated/M_Tinted.M_Tinted', ['Tint', 'MaterialExpressionConstant_0', 'MaterialExpressionMultiply_0', "
		"'MaterialExpressionScalarParameter_0'])");
	EXPECT_EQ(EvalPython(Editor, "editor.create_material('/Game/Generated', 'M_Tinted')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.create_material_expression(m, 'MaterialExpressionAdd', 0, 0, 'Tint')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.create_material_expression(m, 'Actor')"), "<error>");

	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_expressions(tint, '', mul, 'A')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_expressions(half, '', mul, 'B')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_expressions(half, 'NoSuchOutput', mul, 'B')"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_expressions(half, '', mul, 'NoSuchInput')"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_property(mul, '', 'BaseColor')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_property(rough, '', 'Roughness')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_property(rough, '', 'NoSuchProperty')"), "False");
	EXPECT_EQ(EvalPython(Editor, "[(i['name'], i['expression'].get_name() if i['expression'] else None, i['output_index']) for i in editor.get_expression_inputs(mul)]"),
		"[('A', 'Tint', 0), ('B', 'MaterialExpressionConstant_0', 0)]");
	EXPECT_EQ(EvalPython(Editor, "{k: (v[0].get_name(), v[1], v[2]) for k, v in editor.get_material_property_inputs(m).items()}"),
		"{'BaseColor': ('MaterialExpressionMultiply_0', '', 0), 'Roughness': ('MaterialExpressionScalarParameter_0', '', 0)}");

	EXPECT_EQ(EvalPython(Editor, "editor.set_material_settings(m, {'blendMode': 'Masked', 'twoSided': True, 'domain': 'Nowhere', 'shadingModel': 'Unlit'})"),
		"(3, ['domain'])");
	EXPECT_EQ(EvalPython(Editor, "[editor.get_material_settings(m)[k] for k in ('domain', 'blendMode', 'shadingModels', 'twoSided')]"),
		"['Surface', 'Masked', ['Unlit'], True]");

	EXPECT_EQ(EvalPython(Editor, "editor.recompile_material(m)"), "[]");
	EXPECT_EQ(EvalPython(Editor, "[(p['kind'], p['name'], p['association'], p['value']) for p in editor.get_material_parameters(m)]"),
		"[('scalar', 'Roughness', 'GlobalParameter', 0.75), ('vector', 'BaseTint', 'GlobalParameter', (1.0, 0.5, 0.25, 1.0))]");
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(m)"), "True");
	const std::string Saved = Editor.Project().ReadFile("Content/Generated/M_Tinted.asset.json");
	EXPECT_THAT(Saved, HasSubstr("BLEND_Masked"));
	EXPECT_THAT(Saved, HasSubstr("MaterialExpressionMultiply_0"));
}

TEST(EditorPythonMaterials, ExpressionsMoveChangeAndGoWithTheirLinks)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	MakeTintedMaterial();
	RunPython("editor.connect_material_expressions(tint, '', mul, 'A')\neditor.connect_material_property(tint, '', 'EmissiveColor')");
	RunPython("editor.move_material_expression(mul, 10, 20)");
	EXPECT_EQ(EvalPython(Editor, "editor.get_expression_position(mul)"), "(10, 20)");
	EXPECT_EQ(EvalPython(Editor, "editor.get_expression_properties(half)"), "{'R': '0.500000'}");
	EXPECT_EQ(EvalPython(Editor, "editor.set_expression_property(half, 'NoSuchProperty', '1')"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.find_material_expression(m, 'Tint') == tint"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.get_expression_outputs(editor.create_material_expression(m, 'MaterialExpressionTextureSample'))"),
		"['RGB', 'R', 'G', 'B', 'A', 'RGBA']");

	RunPython("editor.set_expression_description(mul, 'Tints the colour')");
	EXPECT_EQ(EvalPython(Editor, "editor.get_expression_description(mul)"), "'Tints the colour'");
	RunPython("note = editor.create_material_expression(m, 'MaterialExpressionComment', 0, 0, 'Note')\n"
			  "editor.set_expression_description(note, 'Colour', 'Text')");
	EXPECT_EQ(EvalPython(Editor, "([c.get_name() for c in editor.get_material_comments(m)], editor.get_expression_description(note, 'Text'))"),
		"(['Note'], 'Colour')");

	EXPECT_EQ(EvalPython(Editor, "editor.delete_material_expression(m, tint)"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.delete_material_expression(m, tint)"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "(editor.get_expression_inputs(mul)[0]['expression'], editor.get_material_property_inputs(m))"), "(None, {})");
	EXPECT_EQ(EvalPython(Editor, "[e.get_name() for e in editor.get_material_expressions(m)]"),
		"['MaterialExpressionConstant_0', 'MaterialExpressionMultiply_0', 'MaterialExpressionScalarParameter_0', 'MaterialExpressionTextureSample_0']");

	RunPython("editor.clear_material(m)");
	EXPECT_EQ(EvalPython(Editor, "(editor.get_material_expressions(m), editor.get_material_comments(m))"), "([], [])");
}

TEST(EditorPythonMaterials, CustomCodeKeepsItsNamedInputs)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	RunPython("import editor\nm = editor.create_material('/Game/Generated', 'M_Custom')\n"
			  "code = editor.create_material_expression(m, 'MaterialExpressionCustom')\n"
			  "one = editor.create_material_expression(m, 'MaterialExpressionConstant')");
	EXPECT_EQ(EvalPython(Editor, "editor.set_expression_property(code, 'Inputs', '((InputName=\"Color\"),(InputName=\"Amount\"))')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.connect_material_expressions(one, '', code, 'Amount')"), "True");
	EXPECT_EQ(EvalPython(Editor, "[i['name'] for i in editor.get_expression_inputs(code)]"), "['Color', 'Amount']");
	RunPython("editor.set_expression_property(code, 'Inputs', '((InputName=\"Amount\"))')");
	EXPECT_EQ(EvalPython(Editor, "[(i['name'], i['expression'] == one) for i in editor.get_expression_inputs(code)]"), "[('Amount', True)]");
	EXPECT_EQ(EvalPython(Editor, "editor.get_expression_properties(code)['Inputs']"), "'((InputName=\"Amount\"))'");
	RunPython("editor.connect_material_property(code, '', 'EmissiveColor')");
	EXPECT_EQ(EvalPython(Editor, "editor.recompile_material(m)"), "[]");
	EXPECT_EQ(EvalPython(Editor, "editor.set_expression_property(code, 'Code', '\"\"')"), "True");
	EXPECT_THAT(EvalPython(Editor, "editor.recompile_material(m)"), HasSubstr("Custom"));
}

TEST(EditorPythonMaterials, InstancesOverrideThroughTheirParentChain)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	MakeTintedMaterial();
	RunPython("red = editor.create_material_instance('/Game/Generated', 'MI_Red', m)\n"
			  "editor.set_vector_parameter_value(red, 'BaseTint', (1.0, 0.0, 0.0))\n"
			  "shiny = editor.create_material_instance('/Game/Generated', 'MI_RedShiny', red)\n"
			  "editor.set_scalar_parameter_value(shiny, 'Roughness', 0.1)");
	EXPECT_EQ(EvalPython(Editor, "[(p['name'], p['value']) for p in editor.get_material_parameters(shiny)]"),
		"[('Roughness', 0.10000000149011612), ('BaseTint', (1.0, 0.0, 0.0, 1.0))]");
	EXPECT_EQ(EvalPython(Editor, "editor.get_material_instance_parent(shiny) == red"), "True");
	RunPython("editor.set_material_instance_parent(shiny, None)");
	EXPECT_EQ(EvalPython(Editor, "editor.get_material_instance_parent(shiny)"), "None");
	EXPECT_EQ(EvalPython(Editor, "editor.create_material_instance('/Game/Generated', 'MI_Bad', m, 'Material')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.set_scalar_parameter_value(red, 'Roughness', 1.0, 'Elsewhere')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset(red)"), "True");
	EXPECT_THAT(Editor.Project().ReadFile("Content/Generated/MI_Red.asset.json"), HasSubstr("/Game/Generated/M_Tinted.M_Tinted"));
}

TEST(EditorPythonMaterials, OtherObjectsAreRefusedWithATypeError)
{
	FTestEditor Editor(EmbeddedPythonOptions(true));
	FLogCapture Log;
	EXPECT_EQ(EvalPython(Editor, "editor.get_material_expressions(editor.load_asset('/Game/Props/SM_Crate'))"), "<error>");
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), ::testing::Contains("TypeError: expected a Material"));
	EXPECT_EQ(EvalPython(Editor, "editor.get_expression_inputs(editor.load_asset('/Game/Props/SM_Crate'))"), "<error>");
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), Not(::testing::IsEmpty()));
}
