#include "Connector/MaterialTestAssets.h"
#include "Support/TestEditor.h"

#include "Assets/AssetFiles.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Endpoints/MaterialExport.h"

#include <gtest/gtest.h>

namespace
{
	class MaterialExport : public ::testing::Test
	{
	protected:
		MaterialExport() : Editor(HostOnly()) {}

		/** The payload as the send builds it before bundling: SerializeMaterial, then both node maps. */
		static std::string Export(const UMaterialInterface* Material)
		{
			const std::shared_ptr<FJsonObject> Payload = SerializeMaterial(Material);
			PopulateNodeTextures(Material, Payload);
			PopulateNodeCustomCode(Material, Payload);
			return FJsonSerializer::SerializeCondensed(*Payload);
		}

		static std::string SettingsOf(const UMaterial& Material)
		{
			const std::shared_ptr<FJsonObject> Settings = SerializeMaterial(&Material)->TryGetObjectField("materialSettings");
			return Settings ? FJsonSerializer::SerializeCondensed(*Settings) : std::string("(no materialSettings)");
		}

		static std::string MemberOf(const std::string& PayloadText, std::string_view Key)
		{
			const std::shared_ptr<FJsonObject> Payload = FJsonSerializer::DeserializeObject(PayloadText);
			const FJsonValue* Value = Payload ? Payload->TryGetField(Key) : nullptr;
			if (Value == nullptr)
			{
				return "(absent)";
			}
			std::string Text;
			FJsonSerializer::AppendCondensed(Text, *Value);
			return Text;
		}

		FTestEditor Editor;
	};

	constexpr std::string_view EmptyParameterLists = R"("scalarParameters":[],"vectorParameters":[],"textureParameters":[],"staticSwitchParameters":[])";
}

TEST_F(MaterialExport, ABaseMaterialWithoutParametersHasEmptyListsAndEmptyNodeMaps)
{
	const UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Plain");
	FLogCapture Log;
	EXPECT_EQ(Export(Material),
		R"({"name":"M_Plain","path":"/Game/Materials/M_Plain.M_Plain","sourceAddon":"materials","isMaterialInstance":false,)"
		R"("materialSettings":{"domain":"Surface","blendMode":"Opaque","shadingModel":"DefaultLit","twoSided":false,"opacityMaskClipValue":0.33329999446868896,)"
		R"("translucencyLightingMode":"VolumetricNonDirectional","refractionMethod":"IndexOfRefraction","numCustomizedUVs":0,"maxWorldPositionOffsetDisplacement":0,)"
		R"("allowNegativeEmissiveColor":false,"useMaterialAttributes":false,"ditheredLODTransition":false},)" +
			std::string(EmptyParameterLists) + R"(,"nodeTextures":{},"nodeCustomCode":{}})");
	EXPECT_EQ(Log.Messages("LogKorvane"), (std::vector<std::string>{"Populated nodeTextures map: 0 entries", "Populated nodeCustomCode map: 0 entries"}));
}

TEST_F(MaterialExport, SettingsAreWrittenByTheirWordsInTheirOrder)
{
	UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Settings");
	Material->MaterialDomain = MD_UI;
	Material->BlendMode = BLEND_TranslucentColoredTransmittance;
	FMaterialShadingModelField Models;
	Models.AddShadingModel(MSM_Hair);
	Models.AddShadingModel(MSM_Subsurface);
	Models.AddShadingModel(MSM_ClearCoat);
	Material->SetShadingModels(Models);
	Material->TwoSided = true;
	Material->OpacityMaskClipValue = 0.5f;
	Material->TranslucencyLightingMode = TLM_SurfacePerPixelLighting;
	Material->RefractionMethod = RM_None;
	Material->NumCustomizedUVs = 3;
	Material->MaxWorldPositionOffsetDisplacement = 12.5f;
	Material->bAllowNegativeEmissiveColor = true;
	Material->bUseMaterialAttributes = true;
	Material->DitheredLODTransition = true;
	EXPECT_EQ(SettingsOf(*Material),
		R"({"domain":"UserInterface","blendMode":"TranslucentColoredTransmittance","shadingModel":"Subsurface","twoSided":true,"opacityMaskClipValue":0.5,)"
		R"("translucencyLightingMode":"SurfaceForwardShading","refractionMethod":"None","numCustomizedUVs":3,"maxWorldPositionOffsetDisplacement":12.5,)"
		R"("allowNegativeEmissiveColor":true,"useMaterialAttributes":true,"ditheredLODTransition":true})")
		<< "an expression-driven material reports the lowest model of its set";

	Material->MaterialDomain = MD_DeferredDecal;
	Material->SetShadingModel(MSM_Unlit);
	Material->TranslucencyLightingMode = TLM_Surface;
	Material->RefractionMethod = RM_PixelNormalOffset;
	EXPECT_EQ(SettingsOf(*Material),
		R"({"domain":"DeferredDecal","blendMode":"TranslucentColoredTransmittance","shadingModel":"Unlit","twoSided":true,"opacityMaskClipValue":0.5,)"
		R"("translucencyLightingMode":"SurfaceTranslucencyVolume","refractionMethod":"PixelNormalOffset","numCustomizedUVs":3,"maxWorldPositionOffsetDisplacement":12.5,)"
		R"("allowNegativeEmissiveColor":true,"useMaterialAttributes":true,"ditheredLODTransition":true})");
}

TEST_F(MaterialExport, SettingsWithoutAWordLeaveOnlyTheirOwnKeyOut)
{
	UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Wordless");
	Material->MaterialDomain = MD_RuntimeVirtualTexture;
	Material->RefractionMethod = RM_2DOffset;
	Material->SetShadingModel(MSM_Strata);
	EXPECT_EQ(SettingsOf(*Material),
		R"({"blendMode":"Opaque","twoSided":false,"opacityMaskClipValue":0.33329999446868896,"translucencyLightingMode":"VolumetricNonDirectional",)"
		R"("numCustomizedUVs":0,"maxWorldPositionOffsetDisplacement":0,"allowNegativeEmissiveColor":false,"useMaterialAttributes":false,"ditheredLODTransition":false})");

	// Values past the end of their tables (as a newer editor may write them) have no word either.
	Material->MaterialDomain = MD_Surface;
	Material->BlendMode = BLEND_MAX;
	Material->TranslucencyLightingMode = TLM_MAX;
	Material->RefractionMethod = static_cast<ERefractionMode>(4);
	Material->SetShadingModel(MSM_FromMaterialExpression);
	EXPECT_EQ(SettingsOf(*Material),
		R"({"domain":"Surface","twoSided":false,"opacityMaskClipValue":0.33329999446868896,)"
		R"("numCustomizedUVs":0,"maxWorldPositionOffsetDisplacement":0,"allowNegativeEmissiveColor":false,"useMaterialAttributes":false,"ditheredLODTransition":false})");
}

TEST_F(MaterialExport, ParametersAreListedInTheHostsOrderWithTheirValues)
{
	UTexture* Rock = NewTestTexture("/Game/Textures/T_Rock");
	UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Params");
	AddTestScalarParameter(*Material, "Roughness", 0.75f);
	AddTestStaticSwitch(*Material, "UseDetail", true);
	AddTestTextureParameter(*Material, "Albedo", Rock);
	AddTestVectorParameter(*Material, "Tint", {1.0f, 0.5f, 0.25f, 1.0f});
	AddTestScalarParameter(*Material, "Metallic", 0.1f);
	AddTestTextureParameter(*Material, "Detail", nullptr);

	const std::string Payload = Export(Material);
	EXPECT_EQ(MemberOf(Payload, "scalarParameters"), R"([{"name":"Roughness","value":0.75},{"name":"Metallic","value":0.10000000149011612}])");
	EXPECT_EQ(MemberOf(Payload, "vectorParameters"), R"([{"name":"Tint","value":[1,0.5,0.25,1]}])");
	EXPECT_EQ(MemberOf(Payload, "textureParameters"),
		R"([{"name":"Albedo","texturePath":"/Game/Textures/T_Rock.T_Rock","textureName":"T_Rock"},{"name":"Detail"}])")
		<< "a parameter without a texture holds its name alone";
	EXPECT_EQ(MemberOf(Payload, "staticSwitchParameters"), R"([{"name":"UseDetail"}])") << "the switch's value is not written";
	EXPECT_EQ(MemberOf(Payload, "nodeTextures"), R"({"MaterialExpressionTextureSampleParameter2D_0":"/Game/Textures/T_Rock.T_Rock"})")
		<< "texture parameters sample textures too; one without a texture is skipped";
}

TEST_F(MaterialExport, NodeMapsReachIntoCalledFunctionsAndLaterNamesReplaceEarlierOnes)
{
	UTexture* Rock = NewTestTexture("/Game/Textures/T_Rock");
	UTexture* Moss = NewTestTexture("/Game/Textures/T_Moss");
	UTexture* Sand = NewTestTexture("/Game/Textures/T_Sand");

	UMaterialFunction* Inner = NewTestAsset<UMaterialFunction>("/Game/Functions/MF_Inner");
	AddTestTextureSample(*Inner, Moss); // MaterialExpressionTextureSample_0 inside the inner function
	UMaterialFunction* Outer = NewTestAsset<UMaterialFunction>("/Game/Functions/MF_Outer");
	AddTestExpression<UMaterialExpressionMaterialFunctionCall>(*Outer)->SetMaterialFunction(Inner);
	AddTestTextureSample(*Outer, nullptr);
	AddTestTextureSample(*Outer, Sand); // MaterialExpressionTextureSample_1

	UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Nodes");
	AddTestTextureSample(*Material, Rock);    // MaterialExpressionTextureSample_0
	AddTestTextureSample(*Material, nullptr); // MaterialExpressionTextureSample_1
	auto* Blend = AddTestExpression<UMaterialExpressionCustom>(*Material);
	Blend->SetCode("return lerp(A, B, 0.5);");
	Blend->SetKeptPropertyText("Description", "\"Half blend\"");
	Blend->SetKeptPropertyText("OutputType", "CMOT_Float4");
	Blend->Inputs = {FExpressionInput{.InputName = "A"}, FExpressionInput{.InputName = "B"}};
	AddTestExpression<UMaterialExpressionCustom>(*Material)->SetCode("return 1;");
	AddTestExpression<UMaterialExpressionMaterialFunctionCall>(*Material)->SetMaterialFunction(Outer);

	FLogCapture Log;
	const std::string Payload = Export(Material);
	EXPECT_EQ(MemberOf(Payload, "nodeTextures"),
		R"({"MaterialExpressionTextureSample_0":"/Game/Textures/T_Moss.T_Moss","MaterialExpressionTextureSample_1":"/Game/Textures/T_Sand.T_Sand"})")
		<< "the material's own samples come first; the functions' samples of the same names replace them where they stand";
	EXPECT_EQ(MemberOf(Payload, "nodeCustomCode"),
		R"({"MaterialExpressionCustom_0":{"code":"return lerp(A, B, 0.5);","description":"Half blend","inputs":["A","B"],"outputType":"CMOT_Float4"},)"
		R"("MaterialExpressionCustom_1":{"code":"return 1;","description":"Custom","inputs":[],"outputType":"CMOT_Float3"}})");
	EXPECT_EQ(Log.Messages("LogKorvane"), (std::vector<std::string>{"Populated nodeTextures map: 2 entries", "Populated nodeCustomCode map: 2 entries"}));
}

TEST_F(MaterialExport, LayerParametersOfOneNameAreListedOncePerLayer)
{
	const auto NewLayer = [](std::string_view PackageName, std::string_view ClassPath, std::string_view ParameterName, float Value) {
		UMaterialFunction* Function = NewTestAsset<UMaterialFunction>(PackageName, FindEngineClassChecked(ClassPath));
		AddTestScalarParameter(*Function, ParameterName, Value);
		return Function;
	};
	const UMaterialFunction* Rock = NewLayer("/Game/Layers/ML_Rock", "/Script/Engine.MaterialFunctionMaterialLayer", "Roughness", 0.9f);
	const UMaterialFunction* Moss = NewLayer("/Game/Layers/ML_Moss", "/Script/Engine.MaterialFunctionMaterialLayer", "Roughness", 0.4f);
	const UMaterialFunction* Height = NewLayer("/Game/Layers/MLB_Height", "/Script/Engine.MaterialFunctionMaterialLayerBlend", "Sharpness", 2.0f);
	UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Layered");
	AddTestScalarParameter(*Material, "Roughness", 0.5f);
	AddTestAttributeLayers(*Material, {Rock, Moss}, {Height});

	EXPECT_EQ(MemberOf(Export(Material), "scalarParameters"),
		R"([{"name":"Roughness","value":0.5},{"name":"Roughness","value":0.89999997615814209},{"name":"Roughness","value":0.40000000596046448},)"
		R"({"name":"Sharpness","value":2}])")
		<< "names alone, without the layer association or index";
}

TEST_F(MaterialExport, InstancesHaveTheirParametersButNoSettingsOrNodeMaps)
{
	UTexture* Rock = NewTestTexture("/Game/Textures/T_Rock");
	UMaterial* Base = NewTestAsset<UMaterial>("/Game/Materials/M_Base");
	AddTestScalarParameter(*Base, "Roughness", 0.5f);
	AddTestVectorParameter(*Base, "Tint", {1.0f, 1.0f, 1.0f, 1.0f});
	AddTestTextureParameter(*Base, "Albedo", nullptr);
	AddTestStaticSwitch(*Base, "UseDetail", false);
	AddTestTextureSample(*Base, Rock);

	UMaterialInstanceConstant* Red = NewTestAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Red");
	Red->Parent = Base;
	Red->SetVectorParameterValueEditorOnly({.Name = "Tint"}, {1.0f, 0.0f, 0.0f, 1.0f});
	Red->SetTextureParameterValueEditorOnly({.Name = "Albedo"}, Rock);
	const std::string Parameters = R"("scalarParameters":[{"name":"Roughness","value":0.5}],"vectorParameters":[{"name":"Tint","value":[1,0,0,1]}],)"
								   R"("textureParameters":[{"name":"Albedo","texturePath":"/Game/Textures/T_Rock.T_Rock","textureName":"T_Rock"}],)"
								   R"("staticSwitchParameters":[{"name":"UseDetail"}])";
	EXPECT_EQ(Export(Red), R"({"name":"MI_Red","path":"/Game/Materials/MI_Red.MI_Red","sourceAddon":"materials","isMaterialInstance":true,)"
						   R"("parentMaterial":"/Game/Materials/M_Base.M_Base",)" +
							   Parameters + "}");

	UMaterialInstanceConstant* Orphan = NewTestAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Orphan");
	EXPECT_EQ(Export(Orphan),
		R"({"name":"MI_Orphan","path":"/Game/Materials/MI_Orphan.MI_Orphan","sourceAddon":"materials","isMaterialInstance":true,)" + std::string(EmptyParameterLists) + "}");

	UMaterialInstanceDynamic* Dynamic = UMaterialInstanceDynamic::Create(Red, nullptr);
	ASSERT_NE(Dynamic, nullptr);
	Dynamic->SetScalarParameterValue("Roughness", 0.25f);
	const std::string DynamicPayload = Export(Dynamic);
	EXPECT_EQ(DynamicPayload.substr(0, DynamicPayload.find(R"(,"scalarParameters")")),
		R"({"name":")" + Dynamic->GetName() + R"(","path":")" + Dynamic->GetPathName() + R"(","sourceAddon":"materials","isMaterialInstance":true)")
		<< "a dynamic instance names no parent even when it has one";
	EXPECT_EQ(MemberOf(DynamicPayload, "scalarParameters"), R"([{"name":"Roughness","value":0.25}])");
	EXPECT_EQ(MemberOf(DynamicPayload, "vectorParameters"), R"([{"name":"Tint","value":[1,0,0,1]}])") << "inherited through the constant instance";
	EXPECT_TRUE(DynamicPayload.ends_with(R"("staticSwitchParameters":[{"name":"UseDetail"}]})"));
}

TEST_F(MaterialExport, NoMaterialGivesAnEmptyObjectAndNoPayloadIsLeftAlone)
{
	EXPECT_EQ(Export(nullptr), "{}");
	const UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Plain");
	FLogCapture Log;
	PopulateNodeTextures(Material, nullptr);
	PopulateNodeCustomCode(Material, nullptr);
	EXPECT_TRUE(Log.Messages("LogKorvane").empty());
}
