#include "Level/Level.h"

#include "Level/Actor.h"
#include "Level/World.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>

UWorld* ULevel::GetWorld() const
{
	return Cast<UWorld>(GetOuter());
}

AActor* ULevel::FindActorByName(std::string_view ActorName) const
{
	const auto Found = std::find_if(Actors.begin(), Actors.end(), [ActorName](const AActor* Actor) { return Actor->GetName() == ActorName; });
	return Found != Actors.end() ? *Found : nullptr;
}

AActor* ULevel::SpawnActor(UClass* Class, std::string_view ActorName)
{
	if (Class == nullptr || !Class->IsChildOf(AActor::StaticClass()) || (!ActorName.empty() && FindInnerObject(ActorName) != nullptr))
	{
		return nullptr;
	}
	AActor* Actor = NewObject<AActor>(this, Class, ActorName);
	if (Actor != nullptr)
	{
		Actors.push_back(Actor);
	}
	return Actor;
}
