#pragma once

#include "Level/Actor.h"
#include "Level/Level.h"
#include "Level/World.h"
#include "Objects/Class.h"

#include <cstddef>
#include <vector>

/**
 * Walks the actors of a world's persistent level in the level's order, keeping
 * those of Class (T's class by default; subclasses count) that are not marked as
 * garbage. Actors placed while walking are reached too.
 *
 *   for (TActorIterator<ACineCameraActor> It(World); It; ++It) { ACineCameraActor* Camera = *It; }
 */
template <typename T = AActor>
class TActorIterator
{
public:
	explicit TActorIterator(UWorld* World, UClass* InClass = T::StaticClass())
		: Actors(World->GetPersistentLevel()->GetActors())
		, Class(InClass)
	{
		SkipUnwanted();
	}

	explicit operator bool() const { return Index < Actors.size(); }
	T* operator*() const { return Cast<T>(static_cast<UObject*>(Actors[Index])); }
	T* operator->() const { return **this; }
	TActorIterator& operator++()
	{
		++Index;
		SkipUnwanted();
		return *this;
	}

private:
	void SkipUnwanted()
	{
		while (Index < Actors.size() && (!IsValid(Actors[Index]) || !Actors[Index]->IsA(Class) || Cast<T>(static_cast<UObject*>(Actors[Index])) == nullptr))
		{
			++Index;
		}
	}

	const std::vector<AActor*>& Actors;
	UClass* Class;
	std::size_t Index = 0;
};
