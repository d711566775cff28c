#include "Render/PreviewScene.h"

#include "Level/PointLightComponent.h"
#include "Level/PrimitiveComponent.h"

#include <algorithm>

FPreviewScene::FPreviewScene() : FPreviewScene(ConstructionValues())
{
}

FPreviewScene::FPreviewScene(const ConstructionValues& CVS)
{
	FDirectionalLight Light;
	Light.Rotation = CVS.LightRotation;
	Light.Intensity = CVS.LightBrightness;
	Scene.GetDirectionalLights().push_back(Light);
	Scene.GetSkyLight().Intensity = CVS.SkyBrightness;
}

FPreviewScene::~FPreviewScene()
{
	for (const FAddedComponent& Added : Components)
	{
		DetachComponent(Added);
	}
}

void FPreviewScene::AddComponent(UActorComponent* Component, const FTransform& LocalToWorld, [[maybe_unused]] bool bAttachToRoot)
{
	// Only a component the object table knows can be held weakly (every object NewObject makes).
	FAddedComponent Added{Component, std::nullopt};
	if (Added.Component.Get(true) == nullptr)
	{
		return;
	}
	RemoveComponent(Component);
	if (auto* SceneComponent = Cast<USceneComponent>(static_cast<UObject*>(Component)))
	{
		SceneComponent->SetRelativeTransform(LocalToWorld);
	}
	if (auto* Primitive = Cast<UPrimitiveComponent>(static_cast<UObject*>(Component)))
	{
		Primitive->SetScene(&Scene);
	}
	else if (const auto* PointLight = Cast<UPointLightComponent>(static_cast<UObject*>(Component)))
	{
		Added.Light = PointLight->MakePointLight();
		Scene.GetPointLights().push_back(*Added.Light);
	}
	Components.push_back(std::move(Added));
}

void FPreviewScene::RemoveComponent(UActorComponent* Component)
{
	const FWeakObjectPtr Weak(Component);
	const auto Found = std::find_if(Components.begin(), Components.end(), [&Weak](const FAddedComponent& Added) { return Added.Component == Weak; });
	if (Component == nullptr || Found == Components.end())
	{
		return;
	}
	DetachComponent(*Found);
	Components.erase(Found);
}

void FPreviewScene::DetachComponent(const FAddedComponent& Added)
{
	if (auto* Primitive = Cast<UPrimitiveComponent>(Added.Component.Get(true)); Primitive != nullptr && Primitive->GetScene() == &Scene)
	{
		Primitive->SetScene(nullptr);
	}
	if (Added.Light)
	{
		// Equal lights light alike, so taking out any one of them leaves the scene as it was before.
		std::vector<FPointLight>& Lights = Scene.GetPointLights();
		const auto Light = std::find(Lights.begin(), Lights.end(), *Added.Light);
		if (Light != Lights.end())
		{
			Lights.erase(Light);
		}
	}
}
