#include "Python/PythonTestSupport.h"

#include "Python/PythonScriptPlugin.h"

#include <gtest/gtest.h>

// What the enrich and component library scripts read through the editor module:
// component templates found by path, their changed values, class and property types.

TEST(EditorPythonComponents, TemplatesAreFoundInMemoryAndListTheirChangedValues)
{
	FTestEditor Editor(EmbeddedPythonOptions(true));
	const std::string FireLight = "'/Game/Blueprints/BP_Campfire.BP_Campfire:FireLight_GEN_VARIABLE'";
	EXPECT_EQ(EvalPython(Editor, "editor.find_object(" + FireLight + ")"), "None") << "find_object never loads";
	EXPECT_EQ(EvalPython(Editor, "editor.load_asset('/Game/Blueprints/BP_Campfire') is not None"), "True");

	ASSERT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand("import editor\nlight = editor.find_object(" + FireLight + ")"));
	EXPECT_EQ(EvalPython(Editor, "light.get_class().get_name()"), "'PointLightComponent'");
	EXPECT_EQ(EvalPython(Editor, "light.get_changed_property_texts()"),
		"{'RelativeLocation': '(X=0.000000,Y=0.000000,Z=120.000000)', 'Intensity': '5000.000000', 'LightColor': '(B=40,G=140,R=255,A=255)'}");
	ASSERT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand("light.set_property_text('Intensity', '3.141593')"));
	EXPECT_EQ(EvalPython(Editor, "list(light.get_changed_property_texts())"), "['RelativeLocation', 'LightColor']") << "back to the class default";
	EXPECT_EQ(EvalPython(Editor, "editor.find_object('/Game/Blueprints/BP_Campfire.BP_Campfire:Nothing')"), "None");
}

TEST(EditorPythonComponents, ClassesSayWhetherTheyAreAbstractAndPropertiesGiveTheirPinTypes)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	EXPECT_EQ(EvalPython(Editor, "[editor.find_class(n).is_abstract() for n in ('LightComponentBase', 'PointLightComponent')]"), "[True, False]");
	const auto PinType = [&Editor](std::string_view Class, std::string_view Property) {
		return EvalPython(Editor, "editor.find_class('" + std::string(Class) + "').find_property('" + std::string(Property) + "').pin_type");
	};
	EXPECT_EQ(PinType("PointLightComponent", "Intensity"), "<editor.PinType real>");
	EXPECT_EQ(PinType("SceneComponent", "bVisible"), "<editor.PinType bool>") << "a uint8 bit-field named bX";
	EXPECT_EQ(PinType("SceneComponent", "RelativeLocation"), "<editor.PinType struct \"/Script/CoreUObject.ScriptStruct'/Script/CoreUObject.Vector'\">");
	EXPECT_EQ(PinType("MeshComponent", "OverrideMaterials"), "<editor.PinType object \"/Script/CoreUObject.Class'/Script/Engine.MaterialInterface'\" (Array)>");
	EXPECT_EQ(PinType("WidgetComponent", "DrawSize"), "None") << "a structure the class database lacks has no pin";
}
