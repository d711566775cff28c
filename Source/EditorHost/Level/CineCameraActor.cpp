#include "Level/CineCameraActor.h"

#include "Level/CineCameraComponent.h"

UCineCameraComponent* ACineCameraActor::GetCineCameraComponent() const
{
	return FindComponentByClass<UCineCameraComponent>();
}

bool ACineCameraActor::LoadAssetFields(const FJsonObject& Fields, std::string& OutError)
{
	if (!Super::LoadAssetFields(Fields, OutError))
	{
		return false;
	}
	if (GetCineCameraComponent() != nullptr)
	{
		return true;
	}
	const std::string_view Name = FindInnerObject("CameraComponent") == nullptr ? "CameraComponent" : "";
	USceneComponent* Camera = Cast<UCineCameraComponent>(static_cast<UObject*>(AddComponent(UCineCameraComponent::StaticClass(), Name)));
	if (Camera == nullptr)
	{
		OutError = "its cine camera component cannot be created";
		return false;
	}
	if (GetRootComponent() == nullptr)
	{
		SetRootComponent(Camera);
	}
	else
	{
		Camera->SetupAttachment(GetRootComponent());
	}
	return true;
}
