#include "Level/SceneComponent.h"

#include "Level/Actor.h"
#include "Level/TransformJson.h"

bool USceneComponent::SetupAttachment(USceneComponent* Parent)
{
	for (const USceneComponent* Ancestor = Parent; Ancestor != nullptr; Ancestor = Ancestor->AttachParent)
	{
		if (Ancestor == this)
		{
			return false;
		}
	}
	AttachParent = Parent;
	return true;
}

void USceneComponent::SetRelativeTransform(const FTransform& Transform)
{
	RelativeLocation = Transform.Translation;
	RelativeRotation = FRotator::FromQuat(Transform.Rotation);
	RelativeScale3D = Transform.Scale3D;
}

FTransform USceneComponent::GetRelativeTransform() const
{
	return {RelativeRotation.Quaternion(), RelativeLocation, RelativeScale3D};
}

FTransform USceneComponent::GetComponentTransform() const
{
	FTransform World = GetRelativeTransform();
	for (const USceneComponent* Parent = AttachParent; Parent != nullptr; Parent = Parent->AttachParent)
	{
		World = World * Parent->GetRelativeTransform();
	}
	return World;
}

FVector USceneComponent::GetComponentLocation() const
{
	return AttachParent == nullptr ? RelativeLocation : GetComponentTransform().Translation;
}

FRotator USceneComponent::GetComponentRotation() const
{
	return AttachParent == nullptr ? RelativeRotation : FRotator::FromQuat(GetComponentTransform().Rotation);
}

bool USceneComponent::LoadAssetFields(const FJsonObject& Fields, std::string& OutError)
{
	if (!Super::LoadAssetFields(Fields, OutError) || !ReadVectorField(Fields, "relativeLocation", RelativeLocation, OutError)
		|| !ReadRotatorField(Fields, "relativeRotation", RelativeRotation, OutError)
		|| !ReadVectorField(Fields, "relativeScale3D", RelativeScale3D, OutError))
	{
		return false;
	}
	const FJsonValue* Parent = Fields.TryGetField("attachParent");
	if (Parent != nullptr && Parent->TryGetString() == nullptr)
	{
		OutError = "\"attachParent\" is not a component name";
		return false;
	}
	PendingAttachParentName = Parent != nullptr ? *Parent->TryGetString() : std::string();
	for (std::string_view Key : {"relativeLocation", "relativeRotation", "relativeScale3D", "attachParent"})
	{
		ForgetKeptField(Key);
	}
	return true;
}

void USceneComponent::SaveAssetFields(FJsonObject& OutFields) const
{
	OutFields.SetObjectField("relativeLocation", MakeVectorObject(RelativeLocation));
	OutFields.SetObjectField("relativeRotation", MakeRotatorObject(RelativeRotation));
	OutFields.SetObjectField("relativeScale3D", MakeVectorObject(RelativeScale3D));
	if (AttachParent != nullptr)
	{
		const bool bSameActor = AttachParent->GetOuter() == GetOuter();
		OutFields.SetStringField("attachParent", bSameActor ? AttachParent->GetName() : AttachParent->GetOuter()->GetName() + "." + AttachParent->GetName());
	}
	Super::SaveAssetFields(OutFields);
}
