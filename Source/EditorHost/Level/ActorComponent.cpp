#include "Level/ActorComponent.h"

#include "Level/Actor.h"

AActor* UActorComponent::GetOwner() const
{
	return Cast<AActor>(GetOuter());
}

bool UActorComponent::LoadAssetFields(const FJsonObject& Fields, [[maybe_unused]] std::string& OutError)
{
	KeptFields = FJsonObject();
	for (const FJsonObject::FMember& Member : Fields.Values())
	{
		if (Member.first != "name" && Member.first != "class")
		{
			KeptFields.SetField(Member.first, Member.second);
		}
	}
	return true;
}

void UActorComponent::SaveAssetFields(FJsonObject& OutFields) const
{
	for (const FJsonObject::FMember& Member : KeptFields.Values())
	{
		OutFields.SetField(Member.first, Member.second);
	}
}
