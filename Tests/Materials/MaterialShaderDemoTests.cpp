#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialShaderMap.h"
#include "Materials/MaterialShared.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

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
			EXPECT_FALSE(Resource->GetCompileErrors().empty());
			EXPECT_EQ(Resource->GetShaderMap(), nullptr);
			continue;
		}
		EXPECT_EQ(Resource->GetCompileErrors(), std::vector<std::string>()) << Asset.GetObjectPathString();
		ASSERT_NE(Resource->GetShaderMap(), nullptr) << Asset.GetObjectPathString();
		EXPECT_NE(Resource->GetShaderMap()->PixelGlsl.find("#version 450"), std::string::npos);
	}
}
