#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetRegistry.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace
{
	FTestEditorOptions ProjectOptions(bool bDemoProject, bool bLoadConnector = true)
	{
		FTestEditorOptions Options;
		Options.bDemoProject = bDemoProject;
		Options.bLoadConnector = bLoadConnector;
		return Options;
	}

	class LevelOverHttp : public ::testing::Test
	{
	protected:
		explicit LevelOverHttp(bool bDemoProject = false) : Editor(ProjectOptions(bDemoProject)) {}

		/** Starts serving; the project's files must be in place by then. */
		void Serve()
		{
			Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		std::string Get(std::string_view Path)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("GET", Path);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		void MakeFolders(std::string_view Format, int Count)
		{
			for (int Index = 0; Index < Count; ++Index)
			{
				char Name[64];
				std::snprintf(Name, sizeof(Name), std::string(Format).c_str(), Index);
				std::filesystem::create_directories(Editor.Project().PathOf("Content/" + std::string(Name)));
			}
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	class LevelOverHttpOnDemo : public LevelOverHttp
	{
	protected:
		LevelOverHttpOnDemo() : LevelOverHttp(true) {}
	};
}

TEST_F(LevelOverHttpOnDemo, ActorsOfTheDemoLevelInLevelOrder)
{
	Serve();
	const std::string Level = "/Game/Maps/DemoLevel.DemoLevel:PersistentLevel.";
	const std::string Expected = R"({"actors":[)"
		R"({"name":"Sun","path":")" + Level + R"(DirectionalLight_0","class":"DirectionalLight","x":0,"y":0,"z":1000},)"
		R"({"name":"PlayerStart","path":")" + Level + R"(PlayerStart_0","class":"PlayerStart","x":-600,"y":0,"z":92},)"
		R"({"name":"Crate_01","path":")" + Level + R"(StaticMeshActor_0","class":"StaticMeshActor","x":250,"y":-120,"z":0,"tags":["Cover","Destructible"]},)"
		R"({"name":"Crate_02","path":")" + Level + R"(StaticMeshActor_1","class":"StaticMeshActor","x":310,"y":-40,"z":0,"tags":["Cover"]},)"
		R"({"name":"Crate_Stacked","path":")" + Level + R"(StaticMeshActor_2","class":"StaticMeshActor","x":250,"y":-120,"z":100},)"
		R"({"name":"StaticMeshActor3","path":")" + Level + R"(StaticMeshActor_3","class":"StaticMeshActor","x":-180,"y":260,"z":0},)"
		R"({"name":"Pillar_North","path":")" + Level + R"(StaticMeshActor_4","class":"StaticMeshActor","x":400,"y":400,"z":0},)"
		R"({"name":"Lantern","path":")" + Level + R"(PointLight_0","class":"PointLight","x":240,"y":-100,"z":180,"tags":["Flicker"]},)"
		R"({"name":"StageSpot","path":")" + Level + R"(SpotLight_0","class":"SpotLight","x":0,"y":-400,"z":600},)"
		R"({"name":"AmbienceDirector","path":")" + Level + R"(Actor_0","class":"Actor","x":0,"y":0,"z":0,"tags":["Audio","Persistent"]},)"
		R"({"name":"Cam_Wide","path":")" + Level + R"(CineCameraActor_0","class":"CineCameraActor","x":-800,"y":-600,"z":320},)"
		R"({"name":"Cam_CloseUp","path":")" + Level + R"(CineCameraActor_1","class":"CineCameraActor","x":150,"y":-260,"z":160})"
		R"(],"count":12})";
	EXPECT_EQ(Get("/korvane/level/actors"), Expected);
	EXPECT_EQ(Get("/korvane/level/actors"), Expected) << "a made label stays the same";
}

TEST_F(LevelOverHttpOnDemo, CineCamerasWithTransformLensSensorAndLimits)
{
	Serve();
	const std::string Level = "/Game/Maps/DemoLevel.DemoLevel:PersistentLevel.";
	// Lens values are single precision: 5.6 reads back as 5.5999999046325684.
	EXPECT_EQ(Get("/korvane/sequencer/cameras"),
		R"({"cameras":[)"
		R"({"name":"Cam_Wide","path":")" + Level + R"(CineCameraActor_0",)"
		R"("transform":{"x":-800,"y":-600,"z":320,"pitch":-12,"yaw":35,"roll":0},)"
		R"("lens":{"focalLength":24,"aperture":5.5999999046325684,"focusDistance":1200},)"
		R"("sensor":{"sensorWidth":36,"sensorHeight":24},)"
		R"("constraints":{"minFocalLength":12,"maxFocalLength":120,"minFStop":2.7999999523162842,"maxFStop":22}},)"
		R"({"name":"Cam_CloseUp","path":")" + Level + R"(CineCameraActor_1",)"
		R"("transform":{"x":150,"y":-260,"z":160,"pitch":-5,"yaw":70,"roll":0},)"
		R"("lens":{"focalLength":85,"aperture":1.7999999523162842,"focusDistance":250},)"
		R"("sensor":{"sensorWidth":23.760000228881836,"sensorHeight":13.364999771118164},)"
		R"("constraints":{"minFocalLength":85,"maxFocalLength":85,"minFStop":1.3999999761581421,"maxFStop":16}})"
		R"(],"count":2})");
}

TEST_F(LevelOverHttpOnDemo, SequencesAndTheFolderTree)
{
	// A sequence outside /Game (a plug-in's content) is not listed.
	const UObject* EngineSequence = Editor.OnGameThread([]()
		{ return NewObject<UObject>(CreatePackage("/Engine/Cinematics/LS_EngineIntro"), FClassDatabase::Get().FindClass("/Script/LevelSequence.LevelSequence"), "LS_EngineIntro"); });
	ASSERT_TRUE(EngineSequence != nullptr && EngineSequence->IsAsset());
	Serve();
	EXPECT_EQ(Get("/korvane/sequencer/sequences"),
		R"({"sequences":[)"
		R"({"name":"LS_CampfireCloseUp","path":"/Game/Cinematics/LS_CampfireCloseUp.LS_CampfireCloseUp","packagePath":"/Game/Cinematics"},)"
		R"({"name":"LS_Intro","path":"/Game/Cinematics/LS_Intro.LS_Intro","packagePath":"/Game/Cinematics"})"
		R"(],"count":2})");

	// Other folders of the demo come and go; the environment tree is this family's own.
	const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Get("/korvane/content/folders"));
	ASSERT_NE(Answer, nullptr);
	const std::shared_ptr<FJsonValueArray> Folders = Answer->TryGetArrayField("folders");
	ASSERT_NE(Folders, nullptr);
	EXPECT_EQ(Answer->Values().front().first, "success");
	EXPECT_EQ(*(*Folders)[0].TryGetString(), "/Game");
	EXPECT_EQ(Answer->TryGetNumberField("total"), static_cast<double>(Folders->size()));
	EXPECT_FALSE(Answer->HasField("truncated"));
	std::vector<std::string> Environment;
	for (const FJsonValue& Folder : *Folders)
	{
		if (Folder.TryGetString()->starts_with("/Game/Environment"))
		{
			Environment.push_back(*Folder.TryGetString());
		}
	}
	EXPECT_EQ(Environment, (std::vector<std::string>{"/Game/Environment", "/Game/Environment/Foliage", "/Game/Environment/Foliage/Grass",
		"/Game/Environment/Foliage/Trees", "/Game/Environment/Rocks", "/Game/Environment/Rocks/Large", "/Game/Environment/Rocks/Small"}));
}

TEST_F(LevelOverHttp, AnEmptyProjectHasNoWorldAndOnlyTheContentRoot)
{
	Serve();
	EXPECT_EQ(Get("/korvane/level/actors"), R"({"actors":[],"count":0})");
	EXPECT_EQ(Get("/korvane/sequencer/cameras"), R"({"cameras":[],"count":0,"error":"No editor world available"})");
	EXPECT_EQ(Get("/korvane/sequencer/sequences"), R"({"sequences":[],"count":0})");
	EXPECT_EQ(Get("/korvane/content/folders"), R"({"success":true,"folders":["/Game"],"total":1})");
}

TEST_F(LevelOverHttp, FoldersSortWithoutRegardToCase)
{
	MakeFolders("B", 1);
	MakeFolders("a/x", 1);
	MakeFolders("C_%d", 2);
	MakeFolders("c", 1);
	Serve();
	EXPECT_EQ(Get("/korvane/content/folders"),
		R"({"success":true,"folders":["/Game","/Game/a","/Game/a/x","/Game/B","/Game/c","/Game/C_0","/Game/C_1"],"total":7})");
}

TEST_F(LevelOverHttp, FiveHundredFoldersFitAndOneMoreIsCut)
{
	MakeFolders("F_%03d", 499);
	Serve();
	std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Get("/korvane/content/folders"));
	ASSERT_NE(Answer, nullptr);
	EXPECT_EQ(Answer->TryGetArrayField("folders")->size(), 500u);
	EXPECT_EQ(Answer->TryGetNumberField("total"), 500);
	EXPECT_FALSE(Answer->HasField("truncated"));
	EXPECT_EQ(*Answer->TryGetArrayField("folders")->back().TryGetString(), "/Game/F_498");

	MakeFolders("F_%03d", 500);
	Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
	Answer = FJsonSerializer::DeserializeObject(Get("/korvane/content/folders"));
	ASSERT_NE(Answer, nullptr);
	EXPECT_EQ(Answer->TryGetArrayField("folders")->size(), 500u);
	EXPECT_EQ(*Answer->TryGetArrayField("folders")->back().TryGetString(), "/Game/F_498") << "the last sub-folder is cut";
	EXPECT_EQ(Answer->TryGetNumberField("total"), 501);
	EXPECT_EQ(Answer->TryGetBoolField("truncated"), true);
	EXPECT_EQ(Answer->Values().back().first, "truncated");
}
