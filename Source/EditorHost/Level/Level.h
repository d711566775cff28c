#pragma once

#include "Objects/Object.h"

#include <string>
#include <string_view>
#include <vector>

class AActor;
class UClass;
class UWorld;

/** A level of a world: its actors, in the order the level lists them. Its outer is the world. */
class ULevel : public UObject
{
	DECLARE_ENGINE_CLASS(ULevel, UObject, "/Script/Engine.Level")

public:
	const std::vector<AActor*>& GetActors() const { return Actors; }
	UWorld* GetWorld() const;
	AActor* FindActorByName(std::string_view ActorName) const;
	/**
	 * Places a new actor of Class (an actor class that is not abstract) in the
	 * level, last in its list. nullptr when the class cannot be placed or an
	 * object of that name is already in the level.
	 */
	AActor* SpawnActor(UClass* Class, std::string_view ActorName);

private:
	std::vector<AActor*> Actors;
};
