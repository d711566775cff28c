#include "Assets/AssetFiles.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialInstance.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(MaterialDemoAssets, EveryMaterialFunctionAndInstanceOfTheDemoSavesBackByteForByte)
{
	FTestEditor Editor(DemoProjectOptions());
	const std::filesystem::path Content = Editor.Project().PathOf("Content");
	std::size_t Checked = 0;
	for (const std::filesystem::directory_entry& Entry : std::filesystem::recursive_directory_iterator(Content))
	{
		const std::string File = Entry.path().string();
		if (!Entry.is_regular_file() || !File.ends_with(".asset.json"))
		{
			continue;
		}
		const std::string Relative = File.substr(Editor.Project().Dir().size());
		const std::string Before = Editor.Project().ReadFile(Relative);
		const bool bMaterialKind = Before.find("\"class\": \"/Script/Engine.Material") != std::string::npos || Before.find("\"class\": \"/Script/DemoProject.DemoMaterialInstance\"") != std::string::npos;
		if (!bMaterialKind)
		{
			continue;
		}
		const std::string PackageName = "/Game/" + Relative.substr(std::string_view("Content/").size(), Relative.size() - std::string_view("Content/").size() - std::string_view(".asset.json").size());
		UObject* Asset = StaticLoadObject(nullptr, PackageName + "." + PackageName.substr(PackageName.rfind('/') + 1));
		if (Asset == nullptr) { ADD_FAILURE() << Relative; continue; }
		ASSERT_TRUE(Asset->IsA<UMaterialInterface>() || Asset->IsA<UMaterialFunction>()) << Relative;
		ASSERT_TRUE(UPackage::SavePackage(Asset->GetPackage(), Asset, File)) << Relative;
		EXPECT_EQ(Editor.Project().ReadFile(Relative), Before) << Relative;
		++Checked;
	}
	EXPECT_GE(Checked, 20u);
}
