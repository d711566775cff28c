#include "Assets/AssetFiles.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialTestGraphs.h"
#include "Textures/Texture.h"

#include <gtest/gtest.h>

using namespace MaterialTestGraphs;

namespace
{
	class MaterialParameters : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		/**
		 * M_Layered: Roughness and Tint of its own, a call of MF_Detail (DetailScale), attribute
		 * layers over ML_Rock and ML_Moss (both with Wetness; the moss one also with Roughness)
		 * blended by MLB_Height (BlendSharpness).
		 */
		UMaterial* MakeLayeredMaterial()
		{
			UMaterialFunction* Detail = NewAsset<UMaterialFunction>("/Game/Functions/MF_Detail");
			AddScalar(*Detail, "DetailScale", 4.0f);
			UMaterialFunction* Rock = NewAsset<UMaterialFunction>("/Game/Layers/ML_Rock", "/Script/Engine.MaterialFunctionMaterialLayer");
			AddScalar(*Rock, "Wetness", 0.1f);
			UMaterialFunction* Moss = NewAsset<UMaterialFunction>("/Game/Layers/ML_Moss", "/Script/Engine.MaterialFunctionMaterialLayer");
			AddScalar(*Moss, "Wetness", 0.8f);
			AddScalar(*Moss, "Roughness", 0.9f);
			UMaterialFunction* Height = NewAsset<UMaterialFunction>("/Game/Layers/MLB_Height", "/Script/Engine.MaterialFunctionMaterialLayerBlend");
			AddScalar(*Height, "BlendSharpness", 2.0f);

			UMaterial* Material = NewAsset<UMaterial>("/Game/Materials/M_Layered");
			AddScalar(*Material, "Roughness", 0.5f);
			AddLayers(*Material, {Rock, Moss}, {Height});
			AddCall(*Material, Detail);
			AddScalar(*Material, "Roughness", 0.25f);
			auto* Tint = Cast<UMaterialExpressionVectorParameter>(AddExpression(*Material, "/Script/Engine.MaterialExpressionVectorParameter"));
			FMaterialParameterFields::SetParameterName(*Tint, "Tint");
			Tint->SetDefaultValue({1.0f, 0.0f, 0.0f, 1.0f});
			return Material;
		}

		static std::vector<std::string> Describe(const std::vector<FMaterialParameterInfo>& Infos)
		{
			std::vector<std::string> Names;
			for (const FMaterialParameterInfo& Info : Infos)
			{
				Names.push_back(Info.Name + "/" + std::to_string(Info.Association) + "/" + std::to_string(Info.Index));
			}
			return Names;
		}
	};
}

TEST_F(MaterialParameters, ListsOwnAndFunctionParametersFirstThenLayersThenBlendsEachOnce)
{
	UMaterial* Material = MakeLayeredMaterial();
	std::vector<FMaterialParameterInfo> Infos;
	std::vector<FGuid> Ids;
	Material->GetAllScalarParameterInfo(Infos, Ids);
	// Association numbers: LayerParameter 0, BlendParameter 1, GlobalParameter 2.
	EXPECT_EQ(Describe(Infos), (std::vector<std::string>{"Roughness/2/-1", "DetailScale/2/-1", "Wetness/0/0", "Wetness/0/1", "Roughness/0/1", "BlendSharpness/1/0"}));
	EXPECT_EQ(Ids.size(), Infos.size());

	Infos.clear();
	Material->GetAllVectorParameterInfo(Infos, Ids);
	EXPECT_EQ(Describe(Infos), (std::vector<std::string>{"Tint/2/-1"}));
	Infos.clear();
	Material->GetAllTextureParameterInfo(Infos, Ids);
	EXPECT_TRUE(Infos.empty());

	float Value = -1.0f;
	EXPECT_TRUE(Material->GetScalarParameterValue({"Roughness", GlobalParameter, -1}, Value));
	EXPECT_FLOAT_EQ(Value, 0.5f) << "the first expression of a name gives its default";
	EXPECT_TRUE(Material->GetScalarParameterValue({"Wetness", LayerParameter, 1}, Value));
	EXPECT_FLOAT_EQ(Value, 0.8f);
	EXPECT_TRUE(Material->GetScalarParameterValue({"BlendSharpness", BlendParameter, 0}, Value));
	EXPECT_FLOAT_EQ(Value, 2.0f);
	Value = -1.0f;
	EXPECT_FALSE(Material->GetScalarParameterValue({"Wetness", LayerParameter, 2}, Value));
	EXPECT_FALSE(Material->GetScalarParameterValue({"Roughness", GlobalParameter, -1}, Value, true)) << "a material overrides nothing";
	EXPECT_FLOAT_EQ(Value, -1.0f);
}

TEST_F(MaterialParameters, ValuesComeFromTheNearestInstanceOfTheChainThenTheDefaults)
{
	UMaterial* Material = MakeLayeredMaterial();
	auto* Base = NewAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Base");
	Base->Parent = Material;
	Base->SetScalarParameterValueEditorOnly({"Roughness", GlobalParameter, -1}, 0.7f);
	Base->SetScalarParameterValueEditorOnly({"Wetness", LayerParameter, 0}, 0.3f);
	auto* Middle = NewAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Middle", "/Script/DemoProject.DemoMaterialInstance");
	Middle->Parent = Base;
	Middle->SetScalarParameterValueEditorOnly({"Roughness", GlobalParameter, -1}, 0.6f);
	Middle->SetVectorParameterValueEditorOnly({"Tint", GlobalParameter, -1}, {0.0f, 1.0f, 0.0f, 1.0f});
	auto* Top = NewAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Top");
	Top->Parent = Middle;
	Top->SetScalarParameterValueEditorOnly({"DetailScale", GlobalParameter, -1}, 8.0f);
	Top->SetScalarParameterValueEditorOnly({"DetailScale", GlobalParameter, -1}, 9.0f);
	ASSERT_EQ(Top->ScalarParameterValues.size(), 1u) << "setting a value again replaces it";

	EXPECT_EQ(Top->GetMaterial(), Material);
	float Value = 0.0f;
	ASSERT_TRUE(Top->GetScalarParameterValue({"Roughness", GlobalParameter, -1}, Value));
	EXPECT_FLOAT_EQ(Value, 0.6f);
	ASSERT_TRUE(Top->GetScalarParameterValue({"Wetness", LayerParameter, 0}, Value));
	EXPECT_FLOAT_EQ(Value, 0.3f);
	ASSERT_TRUE(Top->GetScalarParameterValue({"Wetness", LayerParameter, 1}, Value));
	EXPECT_FLOAT_EQ(Value, 0.8f) << "the other layer's parameter of the same name keeps its default";
	ASSERT_TRUE(Top->GetScalarParameterValue({"DetailScale", GlobalParameter, -1}, Value));
	EXPECT_FLOAT_EQ(Value, 9.0f);
	FLinearColor Tint;
	ASSERT_TRUE(Top->GetVectorParameterValue({"Tint", GlobalParameter, -1}, Tint));
	EXPECT_EQ(Tint, (FLinearColor{0.0f, 1.0f, 0.0f, 1.0f}));

	EXPECT_TRUE(Top->GetScalarParameterValue({"Roughness", GlobalParameter, -1}, Value, true));
	Value = -1.0f;
	EXPECT_FALSE(Top->GetScalarParameterValue({"BlendSharpness", BlendParameter, 0}, Value, true)) << "nobody overrides it";
	EXPECT_FLOAT_EQ(Value, -1.0f);
	ASSERT_TRUE(Top->GetScalarParameterValue({"BlendSharpness", BlendParameter, 0}, Value));
	EXPECT_FLOAT_EQ(Value, 2.0f);

	std::vector<FMaterialParameterInfo> Infos;
	std::vector<FGuid> Ids;
	Top->GetAllScalarParameterInfo(Infos, Ids);
	EXPECT_EQ(Infos.size(), 6u) << "an instance lists its base material's parameters";
}

TEST_F(MaterialParameters, ALoopingParentChainEndsWithoutAMaterial)
{
	auto* First = NewAsset<UMaterialInstanceConstant>("/Game/Loop/MI_First");
	auto* Second = NewAsset<UMaterialInstanceConstant>("/Game/Loop/MI_Second");
	First->Parent = Second;
	Second->Parent = First;
	EXPECT_EQ(First->GetMaterial(), nullptr);
	float Value = 3.0f;
	EXPECT_FALSE(First->GetScalarParameterValue({"Anything", GlobalParameter, -1}, Value));
	EXPECT_FLOAT_EQ(Value, 3.0f);
	std::vector<FMaterialParameterInfo> Infos;
	std::vector<FGuid> Ids;
	First->GetAllScalarParameterInfo(Infos, Ids);
	EXPECT_TRUE(Infos.empty());
}

TEST_F(MaterialParameters, DynamicInstancesAreTransientAndTakeTheirValues)
{
	UMaterial* Material = MakeLayeredMaterial();
	UMaterialInstanceDynamic* Dynamic = UMaterialInstanceDynamic::Create(Material, nullptr);
	ASSERT_NE(Dynamic, nullptr);
	EXPECT_TRUE(Dynamic->HasAnyFlags(RF_Transient));
	EXPECT_EQ(Dynamic->GetOuter(), GetTransientPackage());
	EXPECT_EQ(Dynamic->Parent, Material);
	Dynamic->SetVectorParameterValue("Tint", {0.0f, 0.0f, 1.0f, 1.0f});
	Dynamic->SetScalarParameterValue("Roughness", 0.125f);
	FLinearColor Tint;
	ASSERT_TRUE(Dynamic->GetVectorParameterValue({"Tint", GlobalParameter, -1}, Tint));
	EXPECT_EQ(Tint, (FLinearColor{0.0f, 0.0f, 1.0f, 1.0f}));
	float Value = 0.0f;
	ASSERT_TRUE(Dynamic->GetScalarParameterValue({"Roughness", GlobalParameter, -1}, Value));
	EXPECT_FLOAT_EQ(Value, 0.125f);
}

TEST_F(MaterialParameters, UsedTexturesFollowTheInstanceValuesEachOnce)
{
	UClass* Texture2D = FindEngineClassChecked("/Script/Engine.Texture2D");
	auto* Bricks = NewObject<UTexture>(CreatePackage("/Game/Textures/T_Bricks"), Texture2D, "T_Bricks");
	auto* Moss = NewObject<UTexture>(CreatePackage("/Game/Textures/T_Moss"), Texture2D, "T_Moss");
	UMaterial* Material = NewAsset<UMaterial>("/Game/Materials/M_Textured");
	auto* Sample = Cast<UMaterialExpressionTextureBase>(AddExpression(*Material, "/Script/Engine.MaterialExpressionTextureSample"));
	Sample->SetTexture(Bricks);
	EXPECT_EQ(Sample->GetTexture(), Bricks);
	auto* Parameter = Cast<UMaterialExpressionTextureSampleParameter>(AddExpression(*Material, "/Script/Engine.MaterialExpressionTextureSampleParameter2D"));
	FMaterialParameterFields::SetParameterName(*Parameter, "Albedo");
	Parameter->SetTexture(Bricks);
	AddExpression(*Material, "/Script/Engine.MaterialExpressionTextureSample");

	std::vector<UTexture*> Used;
	Material->GetUsedTextures(Used);
	EXPECT_EQ(Used, (std::vector<UTexture*>{Bricks}));

	auto* Instance = NewAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Textured");
	Instance->Parent = Material;
	Instance->SetTextureParameterValueEditorOnly({"Albedo", GlobalParameter, -1}, Moss);
	Used.clear();
	Instance->GetUsedTextures(Used);
	EXPECT_EQ(Used, (std::vector<UTexture*>{Bricks, Moss}));
	UTexture* Value = nullptr;
	ASSERT_TRUE(Instance->GetTextureParameterValue({"Albedo", GlobalParameter, -1}, Value));
	EXPECT_EQ(Value, Moss);
}
