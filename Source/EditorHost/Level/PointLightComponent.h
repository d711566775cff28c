#pragma once

#include "Core/Color.h"
#include "Level/SceneComponent.h"
#include "Render/SceneInterface.h"

/** The units a local light's intensity is given in, as the editor's ELightUnits. */
enum class ELightUnits : uint8_t
{
	/** The engine's historic units: 625 to a candela. */
	Unitless,
	Candelas,
	/** Luminous power, spread over the whole sphere (4π steradians). */
	Lumens,
};

/**
 * A light at the component's location that falls off to zero at its attenuation radius.
 * FPreviewScene::AddComponent puts it into the scene as a point light, as the component is then.
 * The host's renderer draws no shadows, so bCastShadows changes nothing in a picture.
 */
class UPointLightComponent : public USceneComponent
{
	DECLARE_ENGINE_CLASS(UPointLightComponent, USceneComponent, "/Script/Engine.PointLightComponent")

public:
	/** In IntensityUnits. */
	float Intensity = 5000.0f;
	ELightUnits IntensityUnits = ELightUnits::Candelas;
	FLinearColor LightColor{1.0f, 1.0f, 1.0f, 1.0f};
	float AttenuationRadius = 1000.0f;
	float SourceRadius = 0.0f;
	float SoftSourceRadius = 0.0f;
	bool bCastShadows = true;

	void SetIntensity(float NewIntensity) { Intensity = NewIntensity; }
	void SetIntensityUnits(ELightUnits NewUnits) { IntensityUnits = NewUnits; }
	void SetLightColor(const FLinearColor& NewColor) { LightColor = NewColor; }
	void SetAttenuationRadius(float NewRadius) { AttenuationRadius = NewRadius; }
	void SetSourceRadius(float NewRadius) { SourceRadius = NewRadius; }
	void SetSoftSourceRadius(float NewRadius) { SoftSourceRadius = NewRadius; }
	void SetCastShadows(bool bNewValue) { bCastShadows = bNewValue; }

	/** The scene's point light this component stands for, at its component location, its intensity in candela. */
	FPointLight MakePointLight() const;
};
