#include "EditorUI/WorldOutlinerView.h"

#include "Core/JsonObject.h"
#include "Level/ActorIterator.h"

std::shared_ptr<FJsonObject> DescribeWorldOutliner(UWorld& World)
{
	auto Result = std::make_shared<FJsonObject>();
	Result->SetStringField("world", World.GetName());
	FJsonValueArray Actors;
	for (TActorIterator<AActor> It(&World); It; ++It)
	{
		auto Actor = std::make_shared<FJsonObject>();
		Actor->SetStringField("label", It->GetActorLabel());
		Actor->SetStringField("class", It->GetClass()->GetName());
		Actors.emplace_back(std::move(Actor));
	}
	Result->SetArrayField("actors", std::move(Actors));
	return Result;
}
