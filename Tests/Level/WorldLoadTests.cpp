#include "Assets/AssetFiles.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Level/ActorIterator.h"
#include "Level/CineCameraActor.h"
#include "Level/CineCameraComponent.h"
#include "Level/World.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	constexpr const char* WorldClass = "/Script/Engine.World";

	/** Writes /Game/Maps/<Name> with the actors (JSON array text) and loads it. */
	UWorld* LoadWorld(FTestEditor& Editor, std::string_view Name, std::string_view ActorsJson)
	{
		WriteAsset(Editor.Project(), "Maps/" + std::string(Name), WorldClass, {}, "\"actors\":" + std::string(ActorsJson));
		return LoadObject<UWorld>("/Game/Maps/" + std::string(Name) + "." + std::string(Name));
	}

	std::vector<std::string> Labels(UWorld* World, UClass* Class)
	{
		std::vector<std::string> Result;
		for (TActorIterator<AActor> It(World, Class); It; ++It)
		{
			Result.push_back(It->GetActorLabel());
		}
		return Result;
	}

	constexpr std::string_view CraneAndCamera = R"([
		{"name":"Crane","class":"/Script/Engine.Actor","label":"Crane","rootComponent":"Base","components":[
			{"name":"Base","class":"/Script/Engine.SceneComponent","relativeLocation":{"x":100,"y":0,"z":0},"relativeRotation":{"pitch":0,"yaw":90,"roll":0}},
			{"name":"Arm","class":"/Script/Engine.SceneComponent","attachParent":"Base","relativeLocation":{"x":50,"y":0,"z":20},"relativeScale3D":{"x":2,"y":2,"z":2}}]},
		{"name":"CineCameraActor_7","class":"/Script/CinematicCamera.CineCameraActor","rootComponent":"Root","components":[
			{"name":"Root","class":"/Script/Engine.SceneComponent","attachParent":"Crane.Arm","relativeLocation":{"x":10,"y":0,"z":0},"relativeRotation":{"pitch":-10,"yaw":0,"roll":0}}]},
		{"name":"Note_3","class":"/Script/Engine.Actor","tags":["A","B"]}
	])";
}

TEST(WorldLoadTests, ActorsLoadInOrderWithLabelsTagsAndWorldTransforms)
{
	FTestEditor Editor(HostOnly());
	UWorld* World = LoadWorld(Editor, "Crane", CraneAndCamera);
	ASSERT_NE(World, nullptr);

	const std::vector<AActor*>& Actors = World->GetPersistentLevel()->GetActors();
	ASSERT_EQ(Actors.size(), 3u);
	EXPECT_EQ(Actors[0]->GetPathName(), "/Game/Maps/Crane.Crane:PersistentLevel.Crane");
	EXPECT_EQ(Actors[0]->GetWorld(), World);

	// Labels made for actors without one: class name and the object name's number.
	EXPECT_EQ(Actors[1]->GetActorLabel(false), "");
	EXPECT_EQ(Labels(World, AActor::StaticClass()), (std::vector<std::string>{"Crane", "CineCameraActor7", "Actor3"}));
	EXPECT_EQ(Actors[1]->GetActorLabel(false), "CineCameraActor7") << "the made label is kept";
	EXPECT_EQ(Actors[2]->Tags, (std::vector<std::string>{"A", "B"}));

	// The camera hangs from the crane's arm in another actor: (10,0,0) scaled by 2, (50,0,20) on the base, all turned by the base's yaw.
	const FVector CameraLocation = Actors[1]->GetActorLocation();
	EXPECT_NEAR(CameraLocation.X, 100, 1e-9);
	EXPECT_NEAR(CameraLocation.Y, 70, 1e-9);
	EXPECT_NEAR(CameraLocation.Z, 20, 1e-9);
	const FRotator CameraRotation = Actors[1]->GetActorRotation();
	EXPECT_NEAR(CameraRotation.Pitch, -10, 1e-9);
	EXPECT_NEAR(CameraRotation.Yaw, 90, 1e-9);
	EXPECT_NEAR(CameraRotation.Roll, 0, 1e-9);
	EXPECT_EQ(Actors[0]->GetActorRotation(), (FRotator{0, 90, 0})) << "an unattached root answers its rotation as set";

	EXPECT_EQ(Actors[2]->GetRootComponent(), nullptr);
	EXPECT_EQ(Actors[2]->GetActorLocation(), FVector::ZeroVector());
	EXPECT_EQ(Actors[2]->GetActorRotation(), FRotator::ZeroRotator());
}

TEST(WorldLoadTests, CineCamerasAlwaysHaveTheirComponentWithLensLimitsApplied)
{
	FTestEditor Editor(HostOnly());
	UWorld* World = LoadWorld(Editor, "Cameras", R"([
		{"name":"Bare","class":"/Script/CinematicCamera.CineCameraActor"},
		{"name":"Mounted","class":"/Script/CinematicCamera.CineCameraActor","rootComponent":"Root","components":[
			{"name":"Root","class":"/Script/Engine.SceneComponent"}]},
		{"name":"Prime","class":"/Script/CinematicCamera.CineCameraActor","rootComponent":"Lens","components":[
			{"name":"Lens","class":"/Script/CinematicCamera.CineCameraComponent","currentFocalLength":200,"currentAperture":0.5,
			 "lensSettings":{"minFocalLength":50,"maxFocalLength":50,"minFStop":1.4,"maxFStop":16}}]},
		{"name":"Light","class":"/Script/Engine.PointLight"}
	])");
	ASSERT_NE(World, nullptr);

	std::vector<ACineCameraActor*> Cameras;
	for (TActorIterator<ACineCameraActor> It(World); It; ++It)
	{
		Cameras.push_back(*It);
	}
	ASSERT_EQ(Cameras.size(), 3u) << "the iterator keeps cine cameras only";

	const UCineCameraComponent* Bare = Cameras[0]->GetCineCameraComponent();
	ASSERT_NE(Bare, nullptr);
	EXPECT_EQ(Cameras[0]->GetRootComponent(), Bare) << "made the root when there is none";
	EXPECT_EQ(Bare->GetName(), "CameraComponent");
	EXPECT_EQ(Bare->CurrentFocalLength, 35.0f);
	EXPECT_EQ(Bare->Filmback.SensorWidth, 23.76f);
	EXPECT_EQ(Bare->FocusSettings.ManualFocusDistance, 100000.0f);

	const UCineCameraComponent* Mounted = Cameras[1]->GetCineCameraComponent();
	ASSERT_NE(Mounted, nullptr);
	EXPECT_EQ(Mounted->GetAttachParent(), Cameras[1]->GetRootComponent());

	const UCineCameraComponent* Prime = Cameras[2]->GetCineCameraComponent();
	EXPECT_EQ(Prime->CurrentFocalLength, 50.0f);
	EXPECT_EQ(Prime->CurrentAperture, 1.4f);
	EXPECT_EQ(Cameras[2]->GetComponents().size(), 1u);
}

TEST(WorldLoadTests, DamagedLevelsDoNotLoad)
{
	FTestEditor Editor(HostOnly());
	const std::pair<std::string_view, std::string_view> Cases[] = {
		{"attach loop", R"([{"name":"A","class":"/Script/Engine.Actor","components":[
			{"name":"One","class":"/Script/Engine.SceneComponent","attachParent":"Two"},
			{"name":"Two","class":"/Script/Engine.SceneComponent","attachParent":"One"}]}])"},
		{"attached to itself", R"([{"name":"A","class":"/Script/Engine.Actor","components":[
			{"name":"One","class":"/Script/Engine.SceneComponent","attachParent":"One"}]}])"},
		{"loop across actors", R"([
			{"name":"A","class":"/Script/Engine.Actor","components":[{"name":"C","class":"/Script/Engine.SceneComponent","attachParent":"B.C"}]},
			{"name":"B","class":"/Script/Engine.Actor","components":[{"name":"C","class":"/Script/Engine.SceneComponent","attachParent":"A.C"}]}])"},
		{"missing parent", R"([{"name":"A","class":"/Script/Engine.Actor","components":[
			{"name":"One","class":"/Script/Engine.SceneComponent","attachParent":"Nobody.Root"}]}])"},
		{"root not a component", R"([{"name":"A","class":"/Script/Engine.Actor","rootComponent":"Missing"}])"},
		{"duplicate actors", R"([{"name":"A","class":"/Script/Engine.Actor"},{"name":"A","class":"/Script/Engine.Actor"}])"},
		{"duplicate components", R"([{"name":"A","class":"/Script/Engine.Actor","components":[
			{"name":"C","class":"/Script/Engine.SceneComponent"},{"name":"C","class":"/Script/Engine.SceneComponent"}]}])"},
		{"abstract actor", R"([{"name":"A","class":"/Script/Engine.Light"}])"},
		{"not an actor", R"([{"name":"A","class":"/Script/Engine.SceneComponent"}])"},
		{"component not a component", R"([{"name":"A","class":"/Script/Engine.Actor","components":[{"name":"C","class":"/Script/Engine.Actor"}]}])"},
		{"bad name", R"([{"name":"A.B","class":"/Script/Engine.Actor"}])"},
		{"bad vector", R"([{"name":"A","class":"/Script/Engine.Actor","components":[
			{"name":"C","class":"/Script/Engine.SceneComponent","relativeLocation":{"x":1,"y":"2","z":3}}]}])"},
		{"bad tags", R"([{"name":"A","class":"/Script/Engine.Actor","tags":["ok",3]}])"},
		{"inverted lens", R"([{"name":"A","class":"/Script/CinematicCamera.CineCameraActor","components":[
			{"name":"C","class":"/Script/CinematicCamera.CineCameraComponent","lensSettings":{"minFStop":8,"maxFStop":2}}]}])"},
		{"huge float", R"([{"name":"A","class":"/Script/CinematicCamera.CineCameraActor","components":[
			{"name":"C","class":"/Script/CinematicCamera.CineCameraComponent","currentAperture":1e300}]}])"},
	};
	int Index = 0;
	for (const auto& [Fault, Actors] : Cases)
	{
		FLogCapture Log;
		EXPECT_EQ(LoadWorld(Editor, "Damaged" + std::to_string(Index++), Actors), nullptr) << Fault;
		const std::vector<FLogLine> Lines = Log.Lines();
		const bool bWarned = std::any_of(Lines.begin(), Lines.end(), [](const FLogLine& Line) { return Line.Message.starts_with("Cannot load asset file"); });
		EXPECT_TRUE(bWarned) << Fault << ": the file is named in a warning";
	}
}

TEST(WorldLoadTests, SavingKeepsWhatTheHostDoesNotRead)
{
	FTestEditor Editor(HostOnly());
	UWorld* World = LoadWorld(Editor, "Crane", CraneAndCamera);
	ASSERT_NE(World, nullptr);
	World->GetPersistentLevel()->GetActors()[0]->Tags.push_back("Heavy");
	const std::string Filename = Editor.Project().PathOf("Content/Maps/Crane.asset.json");
	WriteAsset(Editor.Project(), "Maps/Props", WorldClass, {}, R"("actors":[
		{"name":"Crate","class":"/Script/Engine.StaticMeshActor","label":"Crate","rootComponent":"Mesh","physics":{"mass":40},"components":[
			{"name":"Mesh","class":"/Script/Engine.StaticMeshComponent","staticMesh":"/Game/Props/SM_Crate.SM_Crate","relativeLocation":{"x":1,"y":2,"z":3}}]}])");
	UWorld* Props = LoadObject<UWorld>("/Game/Maps/Props.Props");
	ASSERT_NE(Props, nullptr);
	ASSERT_TRUE(UPackage::SavePackage(Props->GetPackage(), nullptr, Editor.Project().PathOf("Content/Maps/Props.asset.json")));
	ASSERT_TRUE(UPackage::SavePackage(World->GetPackage(), nullptr, Filename));

	const std::shared_ptr<FJsonObject> Saved = FJsonSerializer::DeserializeObject(Editor.Project().ReadFile("Content/Maps/Props.asset.json"));
	ASSERT_NE(Saved, nullptr);
	const std::shared_ptr<FJsonValueArray> Actors = Saved->TryGetArrayField("actors");
	ASSERT_TRUE(Actors && Actors->size() == 1);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Actors)[0].TryGetObject()),
		R"({"name":"Crate","class":"/Script/Engine.StaticMeshActor","label":"Crate","rootComponent":"Mesh","components":[)"
		R"({"name":"Mesh","class":"/Script/Engine.StaticMeshComponent","relativeLocation":{"x":1,"y":2,"z":3},"relativeRotation":{"pitch":0,"yaw":0,"roll":0},)"
		R"("relativeScale3D":{"x":1,"y":1,"z":1},"staticMesh":"/Game/Props/SM_Crate.SM_Crate"}],"physics":{"mass":40}})");

	// The saved crane level reads back with the same attachments and the new tag.
	Editor.Project().WriteFile("Content/Maps/CraneCopy.asset.json", Editor.Project().ReadFile("Content/Maps/Crane.asset.json"));
	UWorld* Copy = LoadObject<UWorld>("/Game/Maps/CraneCopy.CraneCopy");
	ASSERT_NE(Copy, nullptr);
	const std::vector<AActor*>& CopiedActors = Copy->GetPersistentLevel()->GetActors();
	ASSERT_EQ(CopiedActors.size(), 3u);
	EXPECT_EQ(CopiedActors[0]->Tags, (std::vector<std::string>{"Heavy"}));
	EXPECT_NEAR(CopiedActors[1]->GetActorLocation().Y, 70, 1e-9);
}
