#include "Assets/AssetFiles.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

namespace
{
	UClass* EngineClass(std::string_view Name)
	{
		return FClassDatabase::Get().FindClass("/Script/Engine." + std::string(Name));
	}
}

TEST(LoadObjectTests, LoadsByExactObjectPathWithTheClassTestIncludingSubclasses)
{
	FTestEditor Editor(HostOnly());
	WriteAsset(Editor.Project(), "Anims/Run", "/Script/Engine.AnimSequence", {{"Skeleton", "/Game/Hero_Skeleton.Hero_Skeleton"}});

	EXPECT_EQ(StaticLoadObject(EngineClass("AnimSequence"), "/Game/Anims/Run"), nullptr) << "the object name is never completed";
	EXPECT_EQ(FObjectStore::Get().FindPackage("/Game/Anims/Run"), nullptr);

	UObject* Run = StaticLoadObject(EngineClass("AnimationAsset"), "/Game/Anims/Run.Run");
	ASSERT_NE(Run, nullptr);
	EXPECT_EQ(Run->GetClass(), EngineClass("AnimSequence"));
	EXPECT_EQ(Run->GetPathName(), "/Game/Anims/Run.Run");
	EXPECT_TRUE(Run->HasAllFlags(RF_Public | RF_Standalone));
	EXPECT_FALSE(Run->GetPackage()->IsDirty());
	EXPECT_EQ(Run->GetPackage()->GetLoadedPath(), Editor.Project().PathOf("Content/Anims/Run.asset.json"));

	EXPECT_EQ(StaticLoadObject(EngineClass("AnimSequence"), "/Game/Anims/Run.Run"), Run) << "loaded once, then kept";
	EXPECT_EQ(LoadObject<UObject>("/Game/Anims/Run.Run"), Run);
	EXPECT_EQ(StaticLoadObject(nullptr, "/Game/Anims/Run.Run"), Run);
	EXPECT_EQ(StaticLoadObject(EngineClass("SkeletalMesh"), "/Game/Anims/Run.Run"), nullptr) << "wrong class";
	EXPECT_EQ(StaticLoadObject(EngineClass("AnimMontage"), "/Game/Anims/Run.Run"), nullptr) << "a sibling class is not a match";
	EXPECT_EQ(StaticLoadObject(nullptr, "/Game/Anims/Run.Walk"), nullptr);
	EXPECT_EQ(StaticLoadObject(nullptr, "/Game/Anims/Missing.Missing"), nullptr);
	EXPECT_EQ(StaticLoadObject(nullptr, "/Script/Engine.Actor"), EngineClass("Actor"));
}

TEST(LoadObjectTests, AnAssetWithoutItsOwnCppTypeSavesBackWhatItRead)
{
	FTestEditor Editor(HostOnly());
	WriteAsset(Editor.Project(), "Physics/Body", "/Script/Engine.PhysicsAsset", {{"Bodies", "3"}}, R"("bodies":[{"bone":"pelvis","radius":12.5}],"note":"kept")");
	UObject* Body = LoadObject<UObject>("/Game/Physics/Body.Body");
	ASSERT_NE(Body, nullptr);
	Body->MarkPackageDirty();
	const std::string Filename = Editor.Project().PathOf("Content/Physics/Body.asset.json");
	ASSERT_TRUE(UPackage::SavePackage(Body->GetPackage(), nullptr, Filename));
	EXPECT_FALSE(Body->GetPackage()->IsDirty());

	const std::shared_ptr<FJsonObject> Saved = FJsonSerializer::DeserializeObject(Editor.Project().ReadFile("Content/Physics/Body.asset.json"));
	ASSERT_NE(Saved, nullptr);
	ASSERT_EQ(Saved->Num(), 4u);
	EXPECT_EQ(Saved->Values()[0].first, "class");
	EXPECT_EQ(Saved->TryGetStringField("class"), "/Script/Engine.PhysicsAsset");
	EXPECT_EQ(Saved->TryGetObjectField("tags")->TryGetStringField("Bodies"), "3");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Saved), R"({"class":"/Script/Engine.PhysicsAsset","tags":{"Bodies":"3"},"bodies":[{"bone":"pelvis","radius":12.5}],"note":"kept"})");
}

TEST(LoadObjectTests, FilesThatDoNotLoadAreLoggedAndLeaveNothingBehind)
{
	FTestEditor Editor(HostOnly());
	FTestProject& Project = Editor.Project();
	Project.WriteFile("Content/Broken/Truncated.asset.json", AssetFileText("/Script/Engine.AnimSequence").substr(0, 30));
	WriteAsset(Project, "Broken/UnknownClass", "/Script/Nowhere.Thing");
	WriteAsset(Project, "Broken/Abstract", "/Script/Engine.AnimationAsset");
	Project.WriteFile("Content/Broken/NoClass.asset.json", R"({"tags":{},"class":"/Script/Engine.World"})");

	FLogCapture Log;
	for (const char* Path : {"/Game/Broken/Truncated.Truncated", "/Game/Broken/UnknownClass.UnknownClass", "/Game/Broken/Abstract.Abstract", "/Game/Broken/NoClass.NoClass"})
	{
		EXPECT_EQ(StaticLoadObject(nullptr, Path), nullptr) << Path;
		EXPECT_EQ(FObjectStore::Get().FindPackage(std::string_view(Path).substr(0, std::string_view(Path).find('.'))), nullptr) << Path;
	}
	const std::vector<std::string> Warnings = Log.Messages("LogHost");
	ASSERT_EQ(Warnings.size(), 4u);
	EXPECT_NE(Warnings[0].find(Project.PathOf("Content/Broken/Truncated.asset.json")), std::string::npos) << Warnings[0];
	EXPECT_NE(Warnings[1].find("/Script/Nowhere.Thing is unknown"), std::string::npos) << Warnings[1];
	EXPECT_NE(Warnings[2].find("abstract"), std::string::npos) << Warnings[2];
	EXPECT_NE(Warnings[3].find("first member"), std::string::npos) << Warnings[3];
}
