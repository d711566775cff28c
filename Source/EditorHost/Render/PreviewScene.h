#pragma once

#include "Objects/WeakObjectPtr.h"
#include "Render/SceneInterface.h"

#include <optional>
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
	 * Puts a component into the scene at LocalToWorld (its relative transform; the scene has no root
	 * component of its own, so bAttachToRoot changes nothing): a primitive component keeps its
	 * primitive here from now on (until it is destroyed, removed or the scene ends), a point light
	 * component adds its light as it is now. The scene does not own the component. Adding a
	 * component again places it anew.
	 */
	void AddComponent(UActorComponent* Component, const FTransform& LocalToWorld, bool bAttachToRoot = false);
	/** Takes the component's primitive or light out of the scene; nothing for a component the scene does not hold. */
	void RemoveComponent(UActorComponent* Component);

protected:
	FSceneInterface Scene;

private:
	/** A component the scene took: weakly, so one destroyed first is simply skipped. */
	struct FAddedComponent
	{
		FWeakObjectPtr Component;
		/** The light a point light component added, to take out again. */
		std::optional<FPointLight> Light;
	};

	/** Undoes what adding the component did to the scene. */
	void DetachComponent(const FAddedComponent& Added);

	std::vector<FAddedComponent> Components;
};
