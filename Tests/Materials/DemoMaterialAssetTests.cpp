#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialInstance.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Textures/Texture.h"

#include <gtest/gtest.h>

namespace
{
	/** Every material, material function (layers and blends included) and constant instance the registry lists under a root. */
	std::vector<FAssetData> MaterialAssetsUnder(std::string_view Root)
	{
		FARFilter Filter;
		Filter.PackagePaths = {std::string(Root)};
		Filter.bRecursivePaths = true;
		Filter.ClassPaths = {UMaterial::StaticClass()->GetClassPathName(), UMaterialFunction::StaticClass()->GetClassPathName(),
			UMaterialInstanceConstant::StaticClass()->GetClassPathName()};
		Filter.bRecursiveClasses = true;
		std::vector<FAssetData> Assets;
		IAssetRegistry::Get()->GetAssets(Filter, Assets);
		return Assets;
	}

	std::vector<std::string> Warnings(const FLogCapture& Log)
	{
		std::vector<std::string> Lines;
		for (const FLogLine& Line : Log.Lines())
		{
			if (Line.Verbosity <= ELogVerbosity::Warning)
			{
				Lines.push_back(Line.Message);
			}
		}
		return Lines;
	}
}

TEST(DemoMaterials, EveryMaterialAssetLoadsCleanlyAndSavesBackByteForByte)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	const std::vector<FAssetData> Assets = MaterialAssetsUnder("/Game");
	ASSERT_GE(Assets.size(), 20u);
	for (const FAssetData& Asset : Assets)
	{
		FLogCapture Log;
		UObject* const Loaded = StaticLoadObject(nullptr, Asset.GetObjectPathString());
		ASSERT_NE(Loaded, nullptr) << Asset.GetObjectPathString();
		EXPECT_EQ(Warnings(Log), std::vector<std::string>()) << Asset.GetObjectPathString();
		const std::string Relative = "Content" + Asset.PackageName.substr(std::string_view("/Game").size()) + ".asset.json";
		const std::string Before = Editor.Project().ReadFile(Relative);
		ASSERT_TRUE(UPackage::SavePackage(Loaded->GetPackage(), Loaded, Editor.Project().PathOf(Relative))) << Relative;
		EXPECT_EQ(Editor.Project().ReadFile(Relative), Before) << Relative;
	}
}

TEST(DemoMaterials, MeshSlotsAndInstancesReachRealMaterials)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	for (const char* Path : {"/Game/Props/Materials/M_Crate.M_Crate", "/Game/Props/Materials/M_Stone.M_Stone", "/Game/Props/Materials/M_BarrelWood.M_BarrelWood",
			 "/Game/Props/Materials/M_BarrelMetal.M_BarrelMetal", "/Game/Props/Materials/M_Rock.M_Rock"})
	{
		const UMaterial* const Material = LoadObject<UMaterial>(Path);
		ASSERT_NE(Material, nullptr) << Path;
		std::vector<UMaterialExpressionTextureBase*> Samples;
		Material->GetAllExpressionsInMaterialAndFunctionsOfType(Samples);
		ASSERT_FALSE(Samples.empty()) << Path;
		EXPECT_NE(Samples.front()->GetTexture(), nullptr) << Path;
	}

	UMaterialInstanceConstant* const Body = LoadObject<UMaterialInstanceConstant>("/Game/Characters/Mannequin/Materials/MI_Mannequin_Body.MI_Mannequin_Body");
	ASSERT_NE(Body, nullptr);
	EXPECT_EQ(Body->GetMaterial(), LoadObject<UMaterial>("/Game/Characters/Mannequin/Materials/M_Mannequin.M_Mannequin"));

	// The instance whose parent lives in the engine content reaches the engine's world grid.
	UMaterialInstanceConstant* const Grid = LoadObject<UMaterialInstanceConstant>("/Game/Materials/Instances/MI_EngineGrid.MI_EngineGrid");
	ASSERT_NE(Grid, nullptr);
	ASSERT_NE(Grid->GetMaterial(), nullptr);
	EXPECT_EQ(Grid->GetMaterial()->GetPathName(), "/Engine/EngineMaterials/WorldGridMaterial.WorldGridMaterial");
	std::vector<UTexture*> Textures;
	Grid->GetUsedTextures(Textures);
	ASSERT_EQ(Textures.size(), 1u);
	EXPECT_EQ(Textures.front()->GetPathName(), "/Engine/EngineMaterials/T_Default_Grid.T_Default_Grid");
}

TEST(DemoMaterials, TheMasterMaterialHoldsEveryParameterKind)
{
	FTestEditorOptions Options = HostOnly();
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	const UMaterial* const Master = LoadObject<UMaterial>("/Game/Materials/M_Master.M_Master");
	ASSERT_NE(Master, nullptr);
	std::vector<std::string> Names;
	const auto AddNames = [&Names, Master](auto Query) {
		std::vector<FMaterialParameterInfo> Infos;
		std::vector<FGuid> Ids;
		(Master->*Query)(Infos, Ids);
		for (const FMaterialParameterInfo& Info : Infos)
		{
			Names.push_back(Info.Name);
		}
	};
	AddNames(&UMaterialInterface::GetAllScalarParameterInfo);
	AddNames(&UMaterialInterface::GetAllVectorParameterInfo);
	AddNames(&UMaterialInterface::GetAllTextureParameterInfo);
	AddNames(&UMaterialInterface::GetAllStaticSwitchParameterInfo);
	EXPECT_EQ(Names, (std::vector<std::string>{"Roughness", "Metallic", "BaseTint", "BaseColorMap", "DetailMap", "UseDetail"}));
	EXPECT_EQ(Master->GetExpressionCollection().EditorComments.size(), 2u);
	std::vector<UMaterialExpressionCustom*> Custom;
	Master->GetAllExpressionsInMaterialAndFunctionsOfType(Custom);
	ASSERT_EQ(Custom.size(), 1u);
	EXPECT_EQ(Custom.front()->Inputs.size(), 2u);
}
