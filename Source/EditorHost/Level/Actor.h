#pragma once

#include "Core/JsonObject.h"
#include "Level/ActorComponent.h"
#include "Level/Rotator.h"
#include "Meshes/MeshVector.h"
#include "Objects/Object.h"

#include <string>
#include <vector>

class ULevel;
class USceneComponent;
class UWorld;

/**
 * An actor placed in a level; its outer is the level, its components are its
 * inner objects. In the level file it is a nested object with `name` and
 * `class`, then `label` (optional), `tags` (texts), `components` (nested
 * component objects) and `rootComponent` (the name of one of its scene
 * components; an actor without it has no root component and stands at the
 * world origin). Fields its C++ type does not read are kept and written back.
 */
class AActor : public UObject
{
	DECLARE_ENGINE_CLASS(AActor, UObject, "/Script/Engine.Actor")

public:
	/** The actor's tags in their order. */
	std::vector<std::string> Tags;

	/**
	 * The label the editor shows. An actor without one gets it on first ask, as
	 * in the editor: its class name, followed by the number of its object name
	 * when that has one other than 0 ("StaticMeshActor_3" gives
	 * "StaticMeshActor3").
	 */
	const std::string& GetActorLabel(bool bCreateIfNone = true);
	void SetActorLabel(std::string_view NewLabel) { ActorLabel = NewLabel; }

	USceneComponent* GetRootComponent() const { return RootComponent; }
	void SetRootComponent(USceneComponent* NewRoot) { RootComponent = NewRoot; }
	/** The components in the order the actor lists them. */
	const std::vector<UActorComponent*>& GetComponents() const { return Components; }
	UActorComponent* FindComponentByName(std::string_view ComponentName) const;
	/** The first component whose C++ type is a T, or nullptr. */
	template <typename T>
	T* FindComponentByClass() const
	{
		for (UActorComponent* Component : Components)
		{
			if (T* Found = Cast<T>(static_cast<UObject*>(Component)))
			{
				return Found;
			}
		}
		return nullptr;
	}
	/** Creates a component of Class (a component class) inside the actor and lists it last; nullptr when it cannot be made. */
	UActorComponent* AddComponent(UClass* Class, std::string_view ComponentName);

	/** The world location of the root component; the origin without one. */
	FVector GetActorLocation() const;
	/** The world rotation of the root component; zero without one. */
	FRotator GetActorRotation() const;

	ULevel* GetLevel() const;
	UWorld* GetWorld() const;

	bool LoadAssetFields(const FJsonObject& Fields, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFields) const override;

private:
	bool LoadComponents(const FJsonObject& Fields, std::string& OutError);

	std::string ActorLabel;
	USceneComponent* RootComponent = nullptr;
	std::vector<UActorComponent*> Components;
	FJsonObject KeptFields;
};
