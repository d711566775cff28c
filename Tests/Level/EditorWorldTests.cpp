#include "Assets/AssetFiles.h"

#include "Assets/AssetRegistry.h"
#include "Level/EditorWorld.h"
#include "Level/World.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

namespace
{
	void WriteMap(FTestProject& Project, std::string_view Relative)
	{
		WriteAsset(Project, Relative, "/Script/Engine.World", {}, R"("actors":[])");
	}

	void SetStartupMap(FTestProject& Project, std::string_view Map)
	{
		Project.WriteFile("Config/DefaultEngine.ini", "[/Script/EngineSettings.GameMapsSettings]\nEditorStartupMap=" + std::string(Map) + "\n");
	}

	void Rescan()
	{
		IAssetRegistry::Get()->SearchAllAssets();
	}
}

TEST(EditorWorldTests, TheConfiguredStartupMapIsTheEditorWorld)
{
	FTestEditor Editor(HostOnly());
	WriteMap(Editor.Project(), "Maps/A_First");
	WriteMap(Editor.Project(), "Maps/Main");
	SetStartupMap(Editor.Project(), "/Game/Maps/Main.Main");
	Rescan();

	UWorld* World = GetEditorWorld();
	ASSERT_NE(World, nullptr);
	EXPECT_EQ(World->GetPathName(), "/Game/Maps/Main.Main");
	EXPECT_EQ(GetEditorWorld(), World) << "the same world on every ask";
}

TEST(EditorWorldTests, AStartupMapGivenAsAPackageNameIsCompleted)
{
	FTestEditor Editor(HostOnly());
	WriteMap(Editor.Project(), "Maps/Main");
	SetStartupMap(Editor.Project(), "/Game/Maps/Main");
	EXPECT_EQ(GetConfiguredEditorStartupMap(), "/Game/Maps/Main.Main");
	ASSERT_NE(GetEditorWorld(), nullptr);
}

TEST(EditorWorldTests, AStartupMapThatDoesNotLoadLeavesNoWorldEvenWhenOthersExist)
{
	FTestEditor Editor(HostOnly());
	WriteMap(Editor.Project(), "Maps/Other");
	SetStartupMap(Editor.Project(), "/Game/Maps/Gone.Gone");
	Rescan();
	EXPECT_EQ(GetEditorWorld(), nullptr);
}

TEST(EditorWorldTests, WithoutTheSettingTheFirstMapOfTheRegistryIsUsed)
{
	FTestEditor Editor(HostOnly());
	EXPECT_EQ(GetEditorWorld(), nullptr) << "an empty project has no world";
	WriteMap(Editor.Project(), "Maps/Zeta");
	WriteMap(Editor.Project(), "Levels/Alpha");
	Rescan();
	UWorld* World = GetEditorWorld();
	ASSERT_NE(World, nullptr);
	EXPECT_EQ(World->GetPathName(), "/Game/Levels/Alpha.Alpha");
}

TEST(EditorWorldTests, NoEditorMeansNoWorld)
{
	EXPECT_EQ(GetEditorWorld(), nullptr);
}
