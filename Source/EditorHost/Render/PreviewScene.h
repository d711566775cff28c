#pragma once

#include "Render/SceneInterface.h"

#include <vector>

class UActorComponent;

/**
 * A small scene outside any level for previews: primitives, a sky light and a directional
 * light, as the editor's FPreviewScene.
 */
class FPreviewScene
{
public:
	/** What a preview scene starts with, as the editor's FPreviewScene::ConstructionValues. */
	struct ConstructionValues
	{
		ConstructionValues& SetLightRotation(const FRotator& Rotation)
		{
			LightRotation = Rotation;
			return *this;
		}
		ConstructionValues& SetLightBrightness(float Brightness)
		{
			LightBrightness = Brightness;
			return *this;
		}
		ConstructionValues& SetSkyBrightness(float Brightness)
		{
			SkyBrightness = Brightness;
			return *this;
		}

		FRotator LightRotation{-40.0, -67.5, 0.0};
		float LightBrightness = 3.14159265f;
		float SkyBrightness = 1.0f;
	};

	FPreviewScene();
	explicit FPreviewScene(const ConstructionValues& CVS);
	virtual ~FPreviewScene();
	FPreviewScene(const FPreviewScene&) = delete;
	FPreviewScene& operator=(const FPreviewScene&) = delete;

	FSceneInterface* GetScene() { return &Scene; }
	const FSceneInterface* GetScene() const { return &Scene; }

	/** The scene's main directional light (the first one). */
	FDirectionalLight& GetDirectionalLight() { return Scene.GetDirectionalLights().front(); }
	void SetLightDirection(const FRotator& Rotation) { GetDirectionalLight().Rotation = Rotation; }
	void SetLightBrightness(float Brightness) { GetDirectionalLight().Intensity = Brightness; }
	void SetSkyBrightness(float Brightness) { Scene.GetSkyLight().Intensity = Brightness; }

	/**
	 * Puts a component into the scene at LocalToWorld: a primitive component keeps its primitive
	 * here from now on (until it is destroyed or the scene ends), a point light component adds its
	 * light. The scene does not own the component; the component must not outlive the scene
	 * without being removed (RemoveComponent).
	 */
	void AddComponent(UActorComponent* Component, const FTransform& LocalToWorld, bool bAttachToRoot = false);
	void RemoveComponent(UActorComponent* Component);

protected:
	FSceneInterface Scene;
	std::vector<UActorComponent*> Components;
};
