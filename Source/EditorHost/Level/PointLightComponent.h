#pragma once

#include "Level/SceneComponent.h"
#include "Render/SceneInterface.h"

/**
 * A light at the component's location that falls off to zero at its attenuation radius.
 * FPreviewScene::AddComponent puts it into the scene as a point light.
 */
class UPointLightComponent : public USceneComponent
{
	DECLARE_ENGINE_CLASS(UPointLightComponent, USceneComponent, "/Script/Engine.PointLightComponent")

public:
	/** Candela. */
	float Intensity = 5000.0f;
	float AttenuationRadius = 1000.0f;
	float SourceRadius = 0.0f;
	float SoftSourceRadius = 0.0f;
	bool bCastShadows = true;

	void SetIntensity(float NewIntensity) { Intensity = NewIntensity; }
	void SetAttenuationRadius(float NewRadius) { AttenuationRadius = NewRadius; }
	void SetSourceRadius(float NewRadius) { SourceRadius = NewRadius; }
	void SetSoftSourceRadius(float NewRadius) { SoftSourceRadius = NewRadius; }
	void SetCastShadows(bool bNewValue) { bCastShadows = bNewValue; }

	/** The scene's point light this component stands for, at its component location. */
	FPointLight MakePointLight() const;
};
