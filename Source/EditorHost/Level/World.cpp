#include "Level/World.h"

#include "Core/JsonObject.h"
#include "Level/Actor.h"
#include "Level/Level.h"
#include "Level/SceneComponent.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

ULevel* UWorld::GetPersistentLevel()
{
	if (PersistentLevel == nullptr)
	{
		PersistentLevel = NewObject<ULevel>(this, "PersistentLevel");
	}
	return PersistentLevel;
}

bool UWorld::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	return LoadActors(File, OutError) && ResolveAttachParents(OutError);
}

bool UWorld::LoadActors(const FJsonObject& File, std::string& OutError)
{
	ULevel* Level = GetPersistentLevel();
	const FJsonValue* ActorsValue = File.TryGetField("actors");
	const std::shared_ptr<FJsonValueArray> Entries = ActorsValue != nullptr ? ActorsValue->TryGetArray() : std::make_shared<FJsonValueArray>();
	if (!Entries)
	{
		OutError = "\"actors\" is not an array";
		return false;
	}
	for (const FJsonValue& Value : *Entries)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
		const std::optional<std::string> ClassPath = Entry ? Entry->TryGetStringField("class") : std::nullopt;
		if (!Name || !ClassPath)
		{
			OutError = "an actor has no \"name\" or \"class\"";
			return false;
		}
		UClass* Class = FClassDatabase::Get().FindClass(*ClassPath);
		if (Class == nullptr || !Class->IsChildOf(AActor::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
		{
			OutError = "actor " + *Name + ": " + *ClassPath + " is not an actor class that can be placed";
			return false;
		}
		if (Level->FindInnerObject(*Name) != nullptr)
		{
			OutError = "two actors are named " + *Name;
			return false;
		}
		AActor* Actor = Level->SpawnActor(Class, *Name);
		if (Actor == nullptr)
		{
			OutError = "actor " + *Name + " cannot be created (is its name valid?)";
			return false;
		}
		if (!Actor->LoadAssetFields(*Entry, OutError))
		{
			OutError = "actor " + *Name + ": " + OutError;
			return false;
		}
	}
	return true;
}

bool UWorld::ResolveAttachParents(std::string& OutError) const
{
	for (AActor* Actor : PersistentLevel->GetActors())
	{
		for (UActorComponent* Component : Actor->GetComponents())
		{
			USceneComponent* Child = Cast<USceneComponent>(static_cast<UObject*>(Component));
			if (Child == nullptr || Child->GetPendingAttachParentName().empty())
			{
				continue;
			}
			// "Component" is inside the same actor, "Actor.Component" inside another one.
			const std::string& ParentName = Child->GetPendingAttachParentName();
			const std::size_t Dot = ParentName.find('.');
			const AActor* ParentActor = Dot == std::string::npos ? Actor : PersistentLevel->FindActorByName(std::string_view(ParentName).substr(0, Dot));
			UActorComponent* Found = ParentActor != nullptr ? ParentActor->FindComponentByName(Dot == std::string::npos ? ParentName : ParentName.substr(Dot + 1)) : nullptr;
			USceneComponent* Parent = Cast<USceneComponent>(static_cast<UObject*>(Found));
			const std::string Where = "actor " + Actor->GetName() + ", component " + Child->GetName() + ": ";
			if (Parent == nullptr)
			{
				OutError = Where + "its attach parent " + ParentName + " is not a scene component of the level";
				return false;
			}
			if (!Child->SetupAttachment(Parent))
			{
				OutError = Where + "attaching it to " + ParentName + " would close a loop";
				return false;
			}
		}
	}
	return true;
}

void UWorld::SaveAssetFields(FJsonObject& OutFile) const
{
	FJsonValueArray ActorValues;
	if (PersistentLevel != nullptr)
	{
		for (const AActor* Actor : PersistentLevel->GetActors())
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("name", Actor->GetName());
			Entry->SetStringField("class", Actor->GetClass()->GetPathName());
			Actor->SaveAssetFields(*Entry);
			ActorValues.emplace_back(std::move(Entry));
		}
	}
	OutFile.SetArrayField("actors", std::move(ActorValues));
}
