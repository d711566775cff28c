#include "Assets/AssetFiles.h"

#include "Assets/AssetRegistry.h"
#include "Core/Log.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Runtime/ModuleManager.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	const FTopLevelAssetPath AnimSequence("/Script/Engine.AnimSequence");
	const FTopLevelAssetPath AnimationAsset("/Script/Engine.AnimationAsset");
	const FTopLevelAssetPath BlendSpace("/Script/Engine.BlendSpace");
	const FTopLevelAssetPath BlendSpace1D("/Script/Engine.BlendSpace1D");

	std::vector<std::string> ObjectPaths(const std::vector<FAssetData>& Assets)
	{
		std::vector<std::string> Paths;
		for (const FAssetData& Asset : Assets)
		{
			Paths.push_back(Asset.GetObjectPathString());
		}
		return Paths;
	}

	/** A small project: animations in nested folders, blend spaces, a mesh and an empty folder. */
	class AssetRegistryTests : public ::testing::Test
	{
	protected:
		AssetRegistryTests()
		{
			FTestProject& Project = Editor.Project();
			WriteAsset(Project, "Anims/Run", "/Script/Engine.AnimSequence", {{"Skeleton", "/Game/Hero/Skel.Skel"}});
			WriteAsset(Project, "Anims/Locomotion/Walk", "/Script/Engine.AnimSequence");
			WriteAsset(Project, "Anims/Locomotion/Moves", "/Script/Engine.BlendSpace");
			WriteAsset(Project, "Anims/Locomotion/Lean", "/Script/Engine.BlendSpace1D");
			WriteAsset(Project, "Anims/Attack", "/Script/Engine.AnimMontage");
			WriteAsset(Project, "Hero/Mesh", "/Script/Engine.SkeletalMesh");
			WriteAsset(Project, "Plugins/Thing", "/Script/SomePlugin.Thing");
			std::filesystem::create_directories(Project.PathOf("Content/Empty/Deeper"));
			Registry().SearchAllAssets();
		}

		IAssetRegistry& Registry() { return *IAssetRegistry::Get(); }

		std::vector<std::string> Query(const FARFilter& Filter)
		{
			std::vector<FAssetData> Assets;
			EXPECT_TRUE(Registry().GetAssets(Filter, Assets));
			return ObjectPaths(Assets);
		}

		FTestEditor Editor{HostOnly()};
	};
}

TEST_F(AssetRegistryTests, TheRegistryIsTheAssetRegistryModuleLoadedAtStartUp)
{
	EXPECT_TRUE(FModuleManager::Get().IsModuleLoaded("AssetRegistry"));
	EXPECT_EQ(&FModuleManager::GetModulePtr<FAssetRegistryModule>("AssetRegistry")->Get(), &Registry());
}

TEST_F(AssetRegistryTests, ClassQueriesWithAndWithoutSubclasses)
{
	FARFilter Filter;
	Filter.ClassPaths = {BlendSpace};
	EXPECT_EQ(Query(Filter), (std::vector<std::string>{"/Game/Anims/Locomotion/Moves.Moves"}));

	Filter.bRecursiveClasses = true;
	EXPECT_EQ(Query(Filter), (std::vector<std::string>{"/Game/Anims/Locomotion/Lean.Lean", "/Game/Anims/Locomotion/Moves.Moves"}));

	Filter.RecursiveClassPathsExclusionSet = {BlendSpace1D};
	EXPECT_EQ(Query(Filter), (std::vector<std::string>{"/Game/Anims/Locomotion/Moves.Moves"}));

	FARFilter Animations;
	Animations.ClassPaths = {AnimationAsset};
	EXPECT_TRUE(Query(Animations).empty()) << "no asset is of the abstract base class itself";
	Animations.bRecursiveClasses = true;
	Animations.PackagePaths = {"/Game"};
	Animations.bRecursivePaths = true;
	EXPECT_EQ(Query(Animations), (std::vector<std::string>{"/Game/Anims/Attack.Attack", "/Game/Anims/Run.Run", "/Game/Anims/Locomotion/Lean.Lean",
									 "/Game/Anims/Locomotion/Moves.Moves", "/Game/Anims/Locomotion/Walk.Walk"}))
		<< "files by name in each folder, then its sub-folders";

	FARFilter Unknown;
	Unknown.ClassPaths = {FTopLevelAssetPath("/Script/SomePlugin.Thing")};
	Unknown.bRecursiveClasses = true;
	EXPECT_EQ(Query(Unknown), (std::vector<std::string>{"/Game/Plugins/Thing.Thing"})) << "classes the host does not know are listed by path";

	std::vector<FAssetData> ByClass;
	Registry().GetAssetsByClass(AnimSequence, ByClass);
	EXPECT_EQ(ObjectPaths(ByClass), (std::vector<std::string>{"/Game/Anims/Run.Run", "/Game/Anims/Locomotion/Walk.Walk"}));
}

TEST_F(AssetRegistryTests, PathQueriesRecursiveOrNot)
{
	FARFilter Filter;
	Filter.PackagePaths = {"/Game/Anims"};
	EXPECT_EQ(Query(Filter), (std::vector<std::string>{"/Game/Anims/Attack.Attack", "/Game/Anims/Run.Run"}));
	Filter.bRecursivePaths = true;
	EXPECT_EQ(Query(Filter).size(), 5u);
	Filter.PackagePaths = {"/Game/Anims/"};
	EXPECT_EQ(Query(Filter).size(), 5u) << "a trailing slash names the same folder";
	Filter.PackagePaths = {"/Game/Anim"};
	EXPECT_TRUE(Query(Filter).empty()) << "a folder name is not a prefix match";

	FARFilter Both;
	Both.PackagePaths = {"/Game/Anims/Locomotion", "/Game/Hero"};
	Both.ClassPaths = {AnimSequence, FTopLevelAssetPath("/Script/Engine.SkeletalMesh")};
	EXPECT_EQ(Query(Both), (std::vector<std::string>{"/Game/Anims/Locomotion/Walk.Walk", "/Game/Hero/Mesh.Mesh"}));

	std::vector<FAssetData> All;
	Registry().GetAssetsByPath("/Game", All, true);
	EXPECT_EQ(All.size(), 7u);
}

TEST_F(AssetRegistryTests, ObjectPathLookupIsExactAndCountsAssetsInMemory)
{
	const FAssetData Run = Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Anims/Run.Run"));
	ASSERT_TRUE(Run.IsValid());
	EXPECT_EQ(Run.PackageName, "/Game/Anims/Run");
	EXPECT_EQ(Run.PackagePath, "/Game/Anims");
	EXPECT_EQ(Run.AssetName, "Run");
	EXPECT_EQ(Run.AssetClassPath, AnimSequence);
	std::string Skeleton;
	EXPECT_TRUE(Run.GetTagValue("Skeleton", Skeleton));
	EXPECT_EQ(Skeleton, "/Game/Hero/Skel.Skel");
	EXPECT_FALSE(Run.GetTagValue("TargetSkeleton", Skeleton));
	EXPECT_EQ(FObjectStore::Get().FindPackage("/Game/Anims/Run"), nullptr) << "the registry never loads";
	EXPECT_EQ(Run.GetClass(), FClassDatabase::Get().FindClass(AnimSequence));
	EXPECT_EQ(Run.GetAsset(), StaticLoadObject(nullptr, "/Game/Anims/Run.Run"));

	EXPECT_FALSE(Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Anims/Run")).IsValid());
	EXPECT_FALSE(Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Anims/Run.Walk")).IsValid());

	UPackage* Package = CreatePackage("/Game/Deployed/NewCurve");
	NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.CurveFloat"), "NewCurve", RF_Public | RF_Standalone);
	const FAssetData Created = Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Deployed/NewCurve.NewCurve"));
	EXPECT_TRUE(Created.IsValid());
	EXPECT_FALSE(Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Deployed/NewCurve.NewCurve"), true).IsValid());

	FARFilter Curves;
	Curves.ClassPaths = {FTopLevelAssetPath("/Script/Engine.CurveBase")};
	Curves.bRecursiveClasses = true;
	EXPECT_EQ(Query(Curves), (std::vector<std::string>{"/Game/Deployed/NewCurve.NewCurve"}));
	Curves.bIncludeOnlyOnDiskAssets = true;
	EXPECT_TRUE(Query(Curves).empty());

	Registry().SearchAllAssets();
	Curves.bIncludeOnlyOnDiskAssets = false;
	EXPECT_EQ(Query(Curves).size(), 1u) << "a rescan keeps assets that exist only in memory";
	EXPECT_FALSE(CreatePackage("/Game/Deployed/Scratch")->IsAsset());
	NewObject<UObject>(GetTransientPackage(), FindEngineClassChecked("/Script/Engine.CurveFloat"), "Temp");
	EXPECT_EQ(Query(Curves).size(), 1u) << "transient objects are not assets";
}

TEST_F(AssetRegistryTests, SubPathsAreSortedAndRecursiveOnRequest)
{
	std::vector<std::string> Direct;
	Registry().GetSubPaths("/Game", Direct, false);
	EXPECT_EQ(Direct, (std::vector<std::string>{"/Game/Anims", "/Game/Empty", "/Game/Hero", "/Game/Plugins"}));

	std::vector<std::string> All;
	Registry().GetSubPaths("/Game", All, true);
	EXPECT_EQ(All, (std::vector<std::string>{"/Game/Anims", "/Game/Anims/Locomotion", "/Game/Empty", "/Game/Empty/Deeper", "/Game/Hero", "/Game/Plugins"}));

	std::vector<std::string> Below;
	Registry().GetSubPaths("/Game/Anims/", Below, true);
	EXPECT_EQ(Below, (std::vector<std::string>{"/Game/Anims/Locomotion"}));

	NewObject<UObject>(CreatePackage("/Game/New/Folder/Asset"), FindEngineClassChecked("/Script/Engine.DataTable"), "Asset");
	std::vector<std::string> WithNew;
	Registry().GetSubPaths("/Game/New", WithNew, true);
	EXPECT_EQ(WithNew, (std::vector<std::string>{"/Game/New/Folder"}));
}

TEST_F(AssetRegistryTests, DamagedFilesAreSkippedWithAWarningNamingTheFile)
{
	FTestProject& Project = Editor.Project();
	Project.WriteFile("Content/Anims/Cut.asset.json", AssetFileText("/Script/Engine.AnimSequence", {{"Skeleton", "x"}}).substr(0, 40));
	Project.WriteFile("Content/Anims/Garbage.asset.json", "\xff\xfe not json");
	Project.WriteFile("Content/Anims/Bad Name.asset.json", AssetFileText("/Script/Engine.AnimSequence"));
	Project.WriteFile("Content/Anims/Empty.asset.json", "");
	Project.WriteFile("Content/Anims/NotAnAsset.json", "{}");

	FLogCapture Log;
	Registry().SearchAllAssets();
	std::vector<FAssetData> All;
	Registry().GetAssetsByPath("/Game", All, true);
	EXPECT_EQ(All.size(), 7u);
	std::size_t Warnings = 0;
	for (const FLogLine& Line : Log.Lines())
	{
		if (Line.Verbosity == ELogVerbosity::Warning)
		{
			++Warnings;
			EXPECT_NE(Line.Message.find(Project.PathOf("Content/Anims/")), std::string::npos) << Line.Message;
		}
	}
	EXPECT_EQ(Warnings, 4u);
}

TEST_F(AssetRegistryTests, SavingWritesAtomicallyAndTheRegistrySeesTheFile)
{
	UPackage* Package = CreatePackage("/Game/Saved/Table");
	UObject* Table = NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.DataTable"), "Table", RF_Public | RF_Standalone);
	const std::string Filename = Editor.Project().PathOf("Content/Saved/Table.asset.json");
	ASSERT_TRUE(UPackage::SavePackage(Package, Table, Filename));

	std::vector<std::string> Files;
	for (const auto& Entry : std::filesystem::directory_iterator(Editor.Project().PathOf("Content/Saved")))
	{
		Files.push_back(Entry.path().filename().string());
	}
	EXPECT_EQ(Files, (std::vector<std::string>{"Table.asset.json"})) << "no temporary file is left behind";
	EXPECT_EQ(Editor.Project().ReadFile("Content/Saved/Table.asset.json"), "{\r\n\t\"class\": \"/Script/Engine.DataTable\",\r\n\t\"tags\":\r\n\t{\r\n\t}\r\n}");
	EXPECT_TRUE(Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Saved/Table.Table"), true).IsValid());

	Registry().SearchAllAssets();
	EXPECT_TRUE(Registry().GetAssetByObjectPath(FSoftObjectPath("/Game/Saved/Table.Table"), true).IsValid());

	FLogCapture Log;
	EXPECT_FALSE(UPackage::SavePackage(Package, Table, Editor.Project().PathOf("Content/Elsewhere.asset.json")));
	EXPECT_FALSE(UPackage::SavePackage(Package, Table, Editor.Project().PathOf("Content/Saved/../../Escaped.asset.json")));
	EXPECT_FALSE(UPackage::SavePackage(GetTransientPackage(), nullptr, Filename));
	EXPECT_FALSE(Editor.Project().Exists("Escaped.asset.json"));
	EXPECT_EQ(Log.Lines().size(), 3u);
}
