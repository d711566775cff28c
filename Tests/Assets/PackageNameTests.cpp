#include "Assets/AssetFiles.h"

#include "Assets/AssetRegistry.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(PackageNameTests, GamePackagesMapToFilesInsideContentOnly)
{
	FTestEditor Editor(HostOnly());
	const std::string Content = Editor.Project().PathOf("Content/");
	EXPECT_EQ(FPackageName::TryConvertLongPackageNameToFilename("/Game/A/B"), Content + "A/B.asset.json");
	EXPECT_EQ(FPackageName::TryConvertFilenameToLongPackageName(Content + "A/B.asset.json"), "/Game/A/B");
	EXPECT_EQ(FPackageName::GetLongPackagePath("/Game/A/B"), "/Game/A");
	EXPECT_EQ(FPackageName::GetShortName("/Game/A/B"), "B");

	for (const char* Refused : {"/Game/../Secret", "/Game/A/../../Secret", "/Game/..", "/Game", "/Game/", "/Game//A", "Game/A", "/Game/A\\..\\B",
			 "/Game/A:B", "/Game/A.B", "/Engine/Transient", "/GameX/A", "//etc/passwd", "/Game/A\nB", ""})
	{
		EXPECT_FALSE(FPackageName::TryConvertLongPackageNameToFilename(Refused)) << Refused;
	}
	EXPECT_FALSE(FPackageName::TryConvertFilenameToLongPackageName(Content + "../Outside.asset.json"));
	EXPECT_FALSE(FPackageName::TryConvertFilenameToLongPackageName("/etc/passwd.asset.json"));
	EXPECT_FALSE(FPackageName::TryConvertFilenameToLongPackageName(Content + "A/B.json"));
}

TEST(PackageNameTests, LinksLeadingOutOfContentAreNotFollowed)
{
	FTestEditor Editor(HostOnly());
	FTestProject& Project = Editor.Project();
	Project.WriteFile("Outside/Secret.asset.json", AssetFileText("/Script/Engine.DataTable"));
	std::filesystem::create_directory_symlink(Project.PathOf("Outside"), Project.PathOf("Content/Linked"));
	std::filesystem::create_symlink(Project.PathOf("Outside/Secret.asset.json"), Project.PathOf("Content/Alias.asset.json"));

	EXPECT_FALSE(FPackageName::TryConvertLongPackageNameToFilename("/Game/Linked/Secret"));
	EXPECT_FALSE(FPackageName::TryConvertLongPackageNameToFilename("/Game/Alias"));
	EXPECT_EQ(StaticLoadObject(nullptr, "/Game/Linked/Secret.Secret"), nullptr);
	EXPECT_EQ(StaticLoadObject(nullptr, "/Game/Alias.Alias"), nullptr);

	IAssetRegistry& Registry = *IAssetRegistry::Get();
	Registry.SearchAllAssets();
	std::vector<FAssetData> All;
	Registry.GetAssetsByPath("/Game", All, true);
	EXPECT_TRUE(All.empty());

	UObject* Table = NewObject<UObject>(CreatePackage("/Game/Linked/Written"), FindEngineClassChecked("/Script/Engine.DataTable"), "Written");
	EXPECT_FALSE(UPackage::SavePackage(Table->GetPackage(), Table, Project.PathOf("Content/Linked/Written.asset.json")));
	EXPECT_FALSE(Project.Exists("Outside/Written.asset.json"));
}
