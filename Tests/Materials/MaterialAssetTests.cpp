#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Assets/AssetToolsModule.h"
#include "Editor/Factories/MaterialFactoryNew.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialTestGraphs.h"
#include "Objects/ObjectStore.h"
#include "Objects/SoftObjectPath.h"
#include "Textures/Texture.h"

#include <gtest/gtest.h>

using namespace MaterialTestGraphs;

namespace
{
	class MaterialAsset : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		std::string Save(UObject& Asset)
		{
			const std::string Relative = "Content" + Asset.GetPackage()->GetName().substr(std::string_view("/Game").size()) + ".asset.json";
			EXPECT_TRUE(UPackage::SavePackage(Asset.GetPackage(), &Asset, Editor.Project().PathOf(Relative))) << Relative;
			return Editor.Project().ReadFile(Relative);
		}

		/** Drops the package from memory, so the next load reads its file. */
		static void Forget(std::string_view PackageName) { ASSERT_TRUE(FObjectStore::Get().DestroyPackage(PackageName)); }

		/** M_Saved: a tinted texture into Base Color, a constant into Roughness, a comment. */
		UMaterial* MakeMaterial()
		{
			UTexture* Bricks = NewObject<UTexture>(CreatePackage("/Game/Textures/T_Bricks"), FindEngineClassChecked("/Script/Engine.Texture2D"), "T_Bricks");
			UMaterial* Material = NewAsset<UMaterial>("/Game/Materials/M_Saved");
			Material->BlendMode = BLEND_Masked;
			Material->TwoSided = true;
			Material->OpacityMaskClipValue = 0.25f;
			Material->NumCustomizedUVs = 2;
			FMaterialShadingModelField Models(MSM_DefaultLit);
			Models.AddShadingModel(MSM_ClearCoat);
			Material->SetShadingModels(Models);
			auto* Sample = Cast<UMaterialExpressionTextureBase>(AddExpression(*Material, "/Script/Engine.MaterialExpressionTextureSample"));
			Sample->SetTexture(Bricks);
			Sample->MaterialExpressionEditorX = -400;
			UMaterialExpression* Tint = AddExpression(*Material, "/Script/Engine.MaterialExpressionConstant3Vector");
			Tint->SetKeptPropertyText("Constant", "(R=1.000000,G=0.500000,B=0.250000,A=0.000000)");
			UMaterialExpression* Multiply = AddExpression(*Material, "/Script/Engine.MaterialExpressionMultiply");
			Multiply->GetInput(0)->Connect(0, *Sample);
			Multiply->GetInput(1)->Connect(0, *Tint);
			Multiply->Desc = "tinted \"bricks\"";
			Multiply->UpdateMaterialExpressionGuid(true, false);
			UMaterialExpression* Rough = AddExpression(*Material, "/Script/Engine.MaterialExpressionConstant");
			Rough->SetKeptPropertyText("R", "0.800000");
			Material->GetExpressionInputForProperty(MP_BaseColor)->Connect(0, *Multiply);
			Material->GetExpressionInputForProperty(MP_Roughness)->Connect(0, *Rough);
			auto* Comment = Cast<UMaterialExpressionComment>(NewMaterialExpression(Material, "/Script/Engine.MaterialExpressionComment"));
			Comment->SetKeptPropertyText("Text", "\"Bricks\"");
			Comment->Material = Material;
			Material->GetExpressionCollection().AddComment(Comment);
			return Material;
		}
	};
}

TEST_F(MaterialAsset, AMaterialSavesLoadsAndSavesTheSameBytes)
{
	const std::string First = Save(*MakeMaterial());
	EXPECT_NE(First.find("\"materialDomain\": \"MD_Surface\""), std::string::npos) << First;
	EXPECT_NE(First.find("\"shadingModels\": [\r\n\t\t\"MSM_DefaultLit\",\r\n\t\t\"MSM_ClearCoat\"\r\n\t]"), std::string::npos) << First;
	EXPECT_NE(First.find("\"   A=(Expression=/Script/Engine.MaterialExpressionTextureSample'\\\"MaterialExpressionTextureSample_0\\\"',Mask=1,MaskR=1,MaskG=1,MaskB=1)\""), std::string::npos)
		<< "the output's mask comes along";
	Forget("/Game/Materials/M_Saved");

	UMaterial* Loaded = LoadObject<UMaterial>("/Game/Materials/M_Saved.M_Saved");
	ASSERT_NE(Loaded, nullptr);
	EXPECT_EQ(Loaded->BlendMode, BLEND_Masked);
	EXPECT_TRUE(Loaded->TwoSided);
	EXPECT_FLOAT_EQ(Loaded->OpacityMaskClipValue, 0.25f);
	EXPECT_TRUE(Loaded->GetShadingModels().HasShadingModel(MSM_ClearCoat));
	ASSERT_EQ(Loaded->GetExpressions().size(), 4u);
	ASSERT_EQ(Loaded->GetExpressionCollection().EditorComments.size(), 1u);
	EXPECT_EQ(Loaded->GetExpressionCollection().EditorComments[0]->GetText(), "Bricks");
	UMaterialExpression* Multiply = Loaded->GetExpressions()[2];
	EXPECT_EQ(Multiply->GetInput(0)->Expression, Loaded->GetExpressions()[0]);
	EXPECT_EQ(Multiply->GetInput(1)->Expression, Loaded->GetExpressions()[1]);
	EXPECT_EQ(Multiply->Desc, "tinted \"bricks\"");
	EXPECT_EQ(Multiply->Material, Loaded);
	EXPECT_EQ(Multiply->GetOuter(), Loaded);
	EXPECT_EQ(Loaded->GetExpressionInputForProperty(MP_BaseColor)->Expression, Multiply);
	EXPECT_EQ(Loaded->GetExpressionInputForProperty(MP_Roughness)->Expression, Loaded->GetExpressions()[3]);
	EXPECT_FALSE(Loaded->GetExpressionInputForProperty(MP_Metallic)->IsConnected());
	EXPECT_EQ(Loaded->GetExpressionInputForProperty(MP_MAX), nullptr);
	EXPECT_NE(Cast<UMaterialExpressionTextureBase>(Loaded->GetExpressions()[0])->GetTexture(), nullptr);
	EXPECT_EQ(Save(*Loaded), First);
}

TEST_F(MaterialAsset, WrittenValuesTheHostDoesNotChangeStayAsWritten)
{
	WriteAsset(Editor.Project(), "Materials/M_Hand", "/Script/Engine.Material", {{"Custom", "kept"}}, R"(
		"materialDomain": "MD_Surface",
		"blendMode": "BLEND_FromTheFuture",
		"opacityMaskClipValue": 0.3333,
		"futureField": {"a": 1},
		"propertyInputs": {"EmissiveColor": {"expression": "Nobody", "outputIndex": 0}, "NoSuchPin": {"expression": "MaterialExpressionConstant_0"}},
		"expressions": ["Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\"", "    R=2.000000", "End Object", 7])");
	UMaterial* Material = LoadObject<UMaterial>("/Game/Materials/M_Hand.M_Hand");
	ASSERT_NE(Material, nullptr);
	EXPECT_EQ(Material->BlendMode, BLEND_Opaque);
	EXPECT_FLOAT_EQ(Material->OpacityMaskClipValue, 0.3333f);
	ASSERT_EQ(Material->GetExpressions().size(), 1u);
	const std::string Saved = Save(*Material);
	EXPECT_NE(Saved.find("\"blendMode\": \"BLEND_FromTheFuture\""), std::string::npos) << Saved;
	EXPECT_NE(Saved.find("\"opacityMaskClipValue\": 0.33329999999999999,"), std::string::npos) << "the number as read, not as the float it became";
	EXPECT_NE(Saved.find("\"futureField\""), std::string::npos);
	EXPECT_NE(Saved.find("\"Custom\": \"kept\""), std::string::npos);
	EXPECT_NE(Saved.find("\"    R=2.000000\""), std::string::npos) << "the indentation as written";

	Material->OpacityMaskClipValue = 0.5f;
	Material->BlendMode = BLEND_Translucent;
	const std::string Changed = Save(*Material);
	EXPECT_NE(Changed.find("\"opacityMaskClipValue\": 0.5,"), std::string::npos) << Changed;
	EXPECT_NE(Changed.find("\"blendMode\": \"BLEND_Translucent\""), std::string::npos) << Changed;
}

TEST_F(MaterialAsset, AFunctionSavesLoadsAndSavesTheSameBytes)
{
	UMaterialFunction* Function = NewAsset<UMaterialFunction>("/Game/Functions/MF_Saved");
	Function->Description = "Scales a value";
	UMaterialExpression* Input = AddExpression(*Function, "/Script/Engine.MaterialExpressionFunctionInput");
	Input->SetKeptPropertyText("InputName", "\"Value\"");
	UMaterialExpression* Scale = AddScalar(*Function, "Scale", 2.0f);
	UMaterialExpression* Multiply = AddExpression(*Function, "/Script/Engine.MaterialExpressionMultiply");
	Multiply->GetInput(0)->Connect(0, *Input);
	Multiply->GetInput(1)->Connect(0, *Scale);
	UMaterialExpression* Output = AddExpression(*Function, "/Script/Engine.MaterialExpressionFunctionOutput");
	Output->GetInput(0)->Connect(0, *Multiply);
	const std::string First = Save(*Function);
	Forget("/Game/Functions/MF_Saved");

	UMaterialFunction* Loaded = LoadObject<UMaterialFunction>("/Game/Functions/MF_Saved.MF_Saved");
	ASSERT_NE(Loaded, nullptr);
	EXPECT_EQ(Loaded->Description, "Scales a value");
	ASSERT_EQ(Loaded->FunctionExpressions.size(), 4u);
	EXPECT_EQ(Loaded->FunctionExpressions[3]->GetInput(0)->Expression, Loaded->FunctionExpressions[2]);
	EXPECT_EQ(Loaded->FunctionExpressions[3]->Function, Loaded);
	std::vector<FFunctionExpressionInput> Inputs;
	std::vector<FFunctionExpressionOutput> Outputs;
	Loaded->GetInputsAndOutputs(Inputs, Outputs);
	ASSERT_EQ(Inputs.size(), 1u);
	EXPECT_EQ(Inputs[0].InputName, "Value");
	ASSERT_EQ(Outputs.size(), 1u);
	EXPECT_EQ(Outputs[0].OutputName, "Result");
	EXPECT_EQ(Save(*Loaded), First);
}

TEST_F(MaterialAsset, AnInstanceSavesLoadsAndSavesTheSameBytesWithItsParentTag)
{
	UMaterial* Material = MakeMaterial();
	Save(*Material);
	auto* Instance = NewAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Saved", "/Script/DemoProject.DemoMaterialInstance");
	Instance->Parent = Material;
	Instance->SetScalarParameterValueEditorOnly({"Roughness", GlobalParameter, -1}, 0.3f);
	Instance->SetScalarParameterValueEditorOnly({"Wetness", LayerParameter, 1}, 0.75f);
	Instance->SetVectorParameterValueEditorOnly({"Tint", BlendParameter, 0}, {0.1f, 0.2f, 0.3f, 1.0f});
	Instance->SetTextureParameterValueEditorOnly({"Albedo", GlobalParameter, -1}, LoadObject<UTexture>("/Game/Textures/T_Bricks.T_Bricks"));
	Instance->SetTextureParameterValueEditorOnly({"Empty", GlobalParameter, -1}, nullptr);
	Instance->SetStaticSwitchParameterValueEditorOnly({"UseDetail", GlobalParameter, -1}, true);
	const std::string First = Save(*Instance);
	EXPECT_NE(First.find("\"Parent\": \"/Game/Materials/M_Saved.M_Saved\""), std::string::npos) << First;
	EXPECT_NE(First.find("\"association\": \"LayerParameter\""), std::string::npos);
	Forget("/Game/Materials/MI_Saved");

	auto* Loaded = LoadObject<UMaterialInstanceConstant>("/Game/Materials/MI_Saved.MI_Saved");
	ASSERT_NE(Loaded, nullptr);
	EXPECT_EQ(Loaded->GetClass()->GetName(), "DemoMaterialInstance");
	EXPECT_EQ(Loaded->Parent, Material);
	ASSERT_EQ(Loaded->ScalarParameterValues.size(), 2u);
	EXPECT_EQ(Loaded->ScalarParameterValues[1].ParameterInfo, (FMaterialParameterInfo{"Wetness", LayerParameter, 1}));
	EXPECT_FLOAT_EQ(Loaded->ScalarParameterValues[0].ParameterValue, 0.3f);
	EXPECT_EQ(Loaded->VectorParameterValues[0].ParameterValue, (FLinearColor{0.1f, 0.2f, 0.3f, 1.0f}));
	EXPECT_NE(Loaded->TextureParameterValues[0].ParameterValue, nullptr);
	EXPECT_EQ(Loaded->TextureParameterValues[1].ParameterValue, nullptr);
	EXPECT_TRUE(Loaded->StaticSwitchParameters[0].Value);
	EXPECT_EQ(Save(*Loaded), First);

	const FAssetData Listed = IAssetRegistry::Get()->GetAssetByObjectPath(FSoftObjectPath("/Game/Materials/MI_Saved.MI_Saved"));
	std::string ParentTag;
	ASSERT_TRUE(Listed.GetTagValue("Parent", ParentTag));
	EXPECT_EQ(ParentTag, "/Game/Materials/M_Saved.M_Saved");
}

TEST_F(MaterialAsset, AnInstanceKeepsAParentAndTexturesThatDoNotLoad)
{
	WriteAsset(Editor.Project(), "Materials/MI_Orphan", "/Script/Engine.MaterialInstanceConstant", {{"Parent", "/Game/Gone/M_Gone.M_Gone"}}, R"(
		"parent": "/Game/Gone/M_Gone.M_Gone",
		"scalarParameterValues": [{"name": "A", "association": "GlobalParameter", "index": -1, "value": 0.3}, {"name": "B", "association": "Nowhere", "value": 1}, 5],
		"textureParameterValues": [{"name": "T", "association": "GlobalParameter", "index": -1, "value": "/Game/Gone/T_Gone.T_Gone"}])");
	auto* Orphan = LoadObject<UMaterialInstanceConstant>("/Game/Materials/MI_Orphan.MI_Orphan");
	ASSERT_NE(Orphan, nullptr);
	EXPECT_EQ(Orphan->Parent, nullptr);
	EXPECT_EQ(Orphan->GetMaterial(), nullptr);
	ASSERT_EQ(Orphan->ScalarParameterValues.size(), 1u);
	const std::string Saved = Save(*Orphan);
	EXPECT_NE(Saved.find("\"parent\": \"/Game/Gone/M_Gone.M_Gone\""), std::string::npos) << Saved;
	EXPECT_NE(Saved.find("\"Parent\": \"/Game/Gone/M_Gone.M_Gone\""), std::string::npos);
	EXPECT_NE(Saved.find("\"value\": \"/Game/Gone/T_Gone.T_Gone\""), std::string::npos);
	EXPECT_NE(Saved.find("\"value\": 0.29999999999999999\r\n"), std::string::npos) << "the number as read, not as the float it became";
}

TEST_F(MaterialAsset, AssetToolsCreateMaterialsWhereAssetsMayGo)
{
	IAssetTools& AssetTools = FAssetToolsModule::GetModule().Get();
	UMaterialFactoryNew* Factory = NewObject<UMaterialFactoryNew>();
	UObject* Created = AssetTools.CreateAsset("M_New", "/Game/Materials", UMaterial::StaticClass(), Factory);
	auto* Material = Cast<UMaterial>(Created);
	ASSERT_NE(Material, nullptr);
	EXPECT_EQ(Material->GetPathName(), "/Game/Materials/M_New.M_New");
	EXPECT_TRUE(Material->GetPackage()->IsDirty());
	EXPECT_TRUE(IAssetRegistry::Get()->GetAssetByObjectPath(FSoftObjectPath("/Game/Materials/M_New.M_New")).IsValid());
	EXPECT_TRUE(Material->GetShadingModels().HasShadingModel(MSM_DefaultLit));

	EXPECT_EQ(AssetTools.CreateAsset("M_New", "/Game/Materials", UMaterial::StaticClass(), Factory), nullptr) << "an asset is there";
	EXPECT_EQ(AssetTools.CreateAsset("M Bad", "/Game/Materials", UMaterial::StaticClass(), Factory), nullptr);
	EXPECT_EQ(AssetTools.CreateAsset("M_New", "/Game//Materials", UMaterial::StaticClass(), Factory), nullptr) << "the same package once the slashes are repaired";
	UObject* Trailing = AssetTools.CreateAsset("M_Trailing", "/Game/Materials/", nullptr, Factory);
	ASSERT_NE(Trailing, nullptr);
	EXPECT_EQ(Trailing->GetPathName(), "/Game/Materials/M_Trailing.M_Trailing");
	EXPECT_EQ(AssetTools.CreateAsset("M_Nowhere", "Materials", UMaterial::StaticClass(), Factory), nullptr) << "no mount root";
	EXPECT_EQ(AssetTools.CreateAsset("M_Engine", "/Engine/Materials", UMaterial::StaticClass(), Factory), nullptr) << "read-only";
	EXPECT_EQ(AssetTools.CreateAsset("MI_New", "/Game/Materials", UMaterialInstanceConstant::StaticClass(), Factory), nullptr);
	EXPECT_EQ(FObjectStore::Get().FindPackage("/Game/Materials/MI_New"), nullptr) << "a refused asset leaves no package";
	EXPECT_NE(Cast<UMaterial>(AssetTools.CreateAsset("M_NoFactory", "/Game/Materials", UMaterial::StaticClass(), nullptr)), nullptr) << "a plain new object of the class";
	EXPECT_EQ(AssetTools.CreateAsset("M_Nothing", "/Game/Materials", nullptr, nullptr), nullptr);
	EXPECT_NE(Cast<UMaterial>(AssetTools.CreateAsset("M_Preview", "/Game/Materials", FindEngineClassChecked("/Script/UnrealEd.PreviewMaterial"), Factory)), nullptr);
}
