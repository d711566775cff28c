#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialShaderMap.h"
#include "Materials/MaterialShared.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	std::vector<FAssetData> BaseMaterialsUnder(std::string_view Root)
	{
		FARFilter Filter;
		Filter.PackagePaths = {std::string(Root)};
		Filter.bRecursivePaths = true;
		Filter.ClassPaths = {UMaterial::StaticClass()->GetClassPathName()};
		std::vector<FAssetData> Assets;
		IAssetRegistry::Get()->GetAssets(Filter, Assets);
		return Assets;
	}
}

TEST(DemoMaterialShaders, EveryDemoMaterialCompilesToAPixelShaderButTheBrokenOne)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	std::vector<FAssetData> Assets = BaseMaterialsUnder("/Game");
	const std::vector<FAssetData> Engine = BaseMaterialsUnder("/Engine");
	Assets.insert(Assets.end(), Engine.begin(), Engine.end());
	ASSERT_GE(Assets.size(), 16u);
	for (const FAssetData& Asset : Assets)
	{
		auto* const Material = Cast<UMaterial>(StaticLoadObject(nullptr, Asset.GetObjectPathString()));
		ASSERT_NE(Material, nullptr) << Asset.GetObjectPathString();
		UMaterialEditingLibrary::RecompileMaterial(Material);
		const FMaterialResource* const Resource = Material->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
		ASSERT_NE(Resource, nullptr);
		if (Asset.AssetName == "M_Broken")
		{
			EXPECT_EQ(Resource->GetCompileErrors(), std::vector<std::string>{"(Node TextureSample) No texture assigned> Missing input texture"});
			EXPECT_EQ(Resource->GetShaderMap(), nullptr);
			continue;
		}
		EXPECT_EQ(Resource->GetCompileErrors(), std::vector<std::string>()) << Asset.GetObjectPathString();
		ASSERT_NE(Resource->GetShaderMap(), nullptr) << Asset.GetObjectPathString();
		EXPECT_NE(Resource->GetShaderMap()->PixelGlsl.find("#version 450"), std::string::npos);
	}
}

namespace
{
	std::vector<std::string> UniformNames(const FMaterialShaderMap& Map)
	{
		std::vector<std::string> Names;
		for (const FMaterialUniformParameter& Uniform : Map.Uniforms)
		{
			Names.push_back(Uniform.Name);
		}
		return Names;
	}
}

TEST(DemoMaterialShaders, TheMasterMaterialReadsItsParametersTexturesFunctionAndCustomCode)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	auto* const Material = Cast<UMaterial>(StaticLoadObject(nullptr, "/Game/Materials/M_Master.M_Master"));
	ASSERT_NE(Material, nullptr);
	UMaterialEditingLibrary::RecompileMaterial(Material);
	const FMaterialShaderMap* const Map = Material->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High)->GetShaderMap();
	ASSERT_NE(Map, nullptr);
	// UseDetail is off by default, so the tint function's branch is compiled and DetailMap is not read.
	EXPECT_EQ(UniformNames(*Map), (std::vector<std::string>{"BaseTint", "Roughness", "Metallic"}));
	ASSERT_EQ(Map->Textures.size(), 2u);
	EXPECT_EQ(Map->Textures[0].ParameterName, "BaseColorMap");
	EXPECT_EQ(Map->Textures[0].DefaultTexturePath, "/Game/Textures/T_Checker.T_Checker");
	EXPECT_EQ(Map->Textures[1].ParameterName, "");
	EXPECT_NE(Map->Hlsl.find("float3 CustomExpression0(FMaterialPixelParameters Parameters, float3 Color, float Amount)"), std::string::npos);
	EXPECT_NE(Map->Hlsl.find("return lerp(Color, grey.xxx, Amount);"), std::string::npos);
	EXPECT_NE(Map->Hlsl.find("View.TimeParams.x"), std::string::npos) << "the noise is panned over time";
}

TEST(DemoMaterialShaders, EachAttributeLayerAndBlendHasItsOwnParameterValues)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	auto* const Material = Cast<UMaterial>(StaticLoadObject(nullptr, "/Game/Materials/M_LayeredGround.M_LayeredGround"));
	ASSERT_NE(Material, nullptr);
	UMaterialEditingLibrary::RecompileMaterial(Material);
	const FMaterialShaderMap* const Map = Material->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High)->GetShaderMap();
	ASSERT_NE(Map, nullptr);
	EXPECT_EQ(UniformNames(*Map), (std::vector<std::string>{"Tint", "Roughness", "Tint", "Roughness", "BlendSharpness"}));
	EXPECT_EQ(Map->Uniforms[1].DefaultValue[0], 0.85f) << "ML_Rock's roughness";
	EXPECT_NE(Map->Uniforms[1].DefaultValue, Map->Uniforms[3].DefaultValue);
	EXPECT_NE(Map->Hlsl.find("LerpMaterialAttributes("), std::string::npos);
}

TEST(DemoMaterialShaders, AnInstanceThatTurnsAStaticSwitchOnCompilesItsOwnPermutation)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	auto* const Red = Cast<UMaterialInstanceConstant>(StaticLoadObject(nullptr, "/Game/Materials/Instances/MI_Master_Red.MI_Master_Red"));
	ASSERT_NE(Red, nullptr);
	UMaterial* const Base = Red->GetMaterial();
	ASSERT_NE(Base, nullptr);
	EXPECT_EQ(Red->GetStaticSwitchOverrides(), (std::vector<FStaticSwitchOverride>{{"UseDetail", true}}));

	// UseDetail on: the detail branch, which reads DetailMap, instead of the base's tint function.
	const FMaterialResource* const Permutation = Red->GetRenderingMaterialResource();
	ASSERT_NE(Permutation, nullptr);
	ASSERT_NE(Permutation->GetShaderMap(), nullptr) << ::testing::PrintToString(Permutation->GetCompileErrors());
	const FMaterialResource* const BaseResource = Base->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
	ASSERT_NE(BaseResource->GetShaderMap(), nullptr);
	EXPECT_NE(Permutation, BaseResource);
	EXPECT_NE(Permutation->GetShaderMap()->Hlsl, BaseResource->GetShaderMap()->Hlsl);
	const auto ReadsTexture = [](const FMaterialShaderMap& Map, std::string_view Name) {
		return std::any_of(Map.Textures.begin(), Map.Textures.end(), [Name](const FMaterialTextureParameter& Texture) { return Texture.ParameterName == Name; });
	};
	EXPECT_TRUE(ReadsTexture(*Permutation->GetShaderMap(), "DetailMap"));
	EXPECT_FALSE(ReadsTexture(*BaseResource->GetShaderMap(), "DetailMap"));
	EXPECT_EQ(Red->GetRenderingMaterialResource(), Permutation) << "asked again, the permutation is kept";

	// The switch set back to its default gives the base's shader; an instance without overrides renders with the base's resource.
	Red->SetStaticSwitchParameterValueEditorOnly({"UseDetail"}, false);
	const FMaterialResource* const Off = Red->GetRenderingMaterialResource();
	ASSERT_NE(Off, nullptr);
	ASSERT_NE(Off->GetShaderMap(), nullptr);
	EXPECT_EQ(Off->GetShaderMap()->Hlsl, BaseResource->GetShaderMap()->Hlsl);
	Red->StaticSwitchParameters.clear();
	EXPECT_EQ(Red->GetRenderingMaterialResource(), BaseResource);

	// After a recompile of the base the permutation is made from the new compile.
	Red->SetStaticSwitchParameterValueEditorOnly({"UseDetail"}, true);
	UMaterialEditingLibrary::RecompileMaterial(Base);
	const FMaterialResource* const Recompiled = Red->GetRenderingMaterialResource();
	ASSERT_NE(Recompiled, nullptr);
	ASSERT_NE(Recompiled->GetShaderMap(), nullptr);
	EXPECT_TRUE(ReadsTexture(*Recompiled->GetShaderMap(), "DetailMap"));
}
