#include "Endpoints/LevelEndpoints.h"

#include "Assets/AssetRegistry.h"
#include "Core/Text.h"
#include "Endpoints/GameAssetQuery.h"
#include "Level/ActorIterator.h"
#include "Level/CineCameraActor.h"
#include "Level/CineCameraComponent.h"
#include "Level/EditorWorld.h"

#include <algorithm>
#include <cstddef>

namespace
{
	constexpr std::size_t MaxContentFolders = 500;

	std::shared_ptr<FJsonObject> MakeActorEntry(AActor& Actor)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Actor.GetActorLabel());
		Entry->SetStringField("path", Actor.GetPathName());
		Entry->SetStringField("class", Actor.GetClass()->GetName());
		const FVector Location = Actor.GetActorLocation();
		Entry->SetNumberField("x", Location.X);
		Entry->SetNumberField("y", Location.Y);
		Entry->SetNumberField("z", Location.Z);
		if (!Actor.Tags.empty())
		{
			Entry->SetArrayField("tags", FJsonValueArray(Actor.Tags.begin(), Actor.Tags.end()));
		}
		return Entry;
	}

	std::shared_ptr<FJsonObject> MakeCameraEntry(ACineCameraActor& Camera)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Camera.GetActorLabel());
		Entry->SetStringField("path", Camera.GetPathName());

		auto Transform = std::make_shared<FJsonObject>();
		const FVector Location = Camera.GetActorLocation();
		const FRotator Rotation = Camera.GetActorRotation();
		Transform->SetNumberField("x", Location.X);
		Transform->SetNumberField("y", Location.Y);
		Transform->SetNumberField("z", Location.Z);
		Transform->SetNumberField("pitch", Rotation.Pitch);
		Transform->SetNumberField("yaw", Rotation.Yaw);
		Transform->SetNumberField("roll", Rotation.Roll);
		Entry->SetObjectField("transform", Transform);

		const UCineCameraComponent& Component = *Camera.GetCineCameraComponent();
		auto Lens = std::make_shared<FJsonObject>();
		Lens->SetNumberField("focalLength", Component.CurrentFocalLength);
		Lens->SetNumberField("aperture", Component.CurrentAperture);
		Lens->SetNumberField("focusDistance", Component.FocusSettings.ManualFocusDistance);
		Entry->SetObjectField("lens", Lens);

		auto Sensor = std::make_shared<FJsonObject>();
		Sensor->SetNumberField("sensorWidth", Component.Filmback.SensorWidth);
		Sensor->SetNumberField("sensorHeight", Component.Filmback.SensorHeight);
		Entry->SetObjectField("sensor", Sensor);

		auto Constraints = std::make_shared<FJsonObject>();
		Constraints->SetNumberField("minFocalLength", Component.LensSettings.MinFocalLength);
		Constraints->SetNumberField("maxFocalLength", Component.LensSettings.MaxFocalLength);
		Constraints->SetNumberField("minFStop", Component.LensSettings.MinFStop);
		Constraints->SetNumberField("maxFStop", Component.LensSettings.MaxFStop);
		Entry->SetObjectField("constraints", Constraints);
		return Entry;
	}
}

std::shared_ptr<FJsonObject> ListLevelActors()
{
	FJsonValueArray Actors;
	if (UWorld* World = GetEditorWorld())
	{
		for (TActorIterator<AActor> It(World); It; ++It)
		{
			Actors.emplace_back(MakeActorEntry(**It));
		}
	}
	auto Response = std::make_shared<FJsonObject>();
	const std::size_t Count = Actors.size();
	Response->SetArrayField("actors", std::move(Actors));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> ListSequencerCameras()
{
	auto Response = std::make_shared<FJsonObject>();
	UWorld* World = GetEditorWorld();
	if (World == nullptr)
	{
		Response->SetArrayField("cameras", FJsonValueArray());
		Response->SetNumberField("count", 0);
		Response->SetStringField("error", "No editor world available");
		return Response;
	}
	FJsonValueArray Cameras;
	for (TActorIterator<ACineCameraActor> It(World); It; ++It)
	{
		Cameras.emplace_back(MakeCameraEntry(**It));
	}
	const std::size_t Count = Cameras.size();
	Response->SetArrayField("cameras", std::move(Cameras));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> ListLevelSequences()
{
	FJsonValueArray Sequences;
	for (const FAssetData& Asset : GetGameAssetsOfClass("/Script/LevelSequence", "LevelSequence", false))
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("packagePath", Asset.PackagePath);
		Sequences.emplace_back(std::move(Entry));
	}
	auto Response = std::make_shared<FJsonObject>();
	const std::size_t Count = Sequences.size();
	Response->SetArrayField("sequences", std::move(Sequences));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> ListContentFolders()
{
	std::vector<std::string> SubPaths;
	if (IAssetRegistry* Registry = IAssetRegistry::Get())
	{
		Registry->GetSubPaths("/Game", SubPaths, true);
	}
	// Stable, so folders that differ only in letter case keep the registry's order.
	std::stable_sort(SubPaths.begin(), SubPaths.end(), [](const std::string& A, const std::string& B) { return Text::Stricmp(A, B) < 0; });

	const std::size_t Total = SubPaths.size() + 1;
	FJsonValueArray Folders;
	Folders.reserve(std::min(Total, MaxContentFolders));
	Folders.emplace_back("/Game");
	for (std::size_t Index = 0; Index < SubPaths.size() && Folders.size() < MaxContentFolders; ++Index)
	{
		Folders.emplace_back(std::move(SubPaths[Index]));
	}

	auto Response = std::make_shared<FJsonObject>();
	Response->SetBoolField("success", true);
	Response->SetArrayField("folders", std::move(Folders));
	Response->SetNumberField("total", Total);
	if (Total > MaxContentFolders)
	{
		Response->SetBoolField("truncated", true);
	}
	return Response;
}
