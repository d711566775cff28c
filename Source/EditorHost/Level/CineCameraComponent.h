#pragma once

#include "Level/SceneComponent.h"

/** The camera's sensor size in millimetres (single precision, as the editor keeps it). */
struct FCameraFilmbackSettings
{
	float SensorWidth = 23.76f;
	float SensorHeight = 13.365f;
};

/** The physical limits of the mounted lens. */
struct FCameraLensSettings
{
	float MinFocalLength = 4.0f;
	float MaxFocalLength = 1000.0f;
	float MinFStop = 1.2f;
	float MaxFStop = 22.0f;
};

/** How the camera focuses; the manual focus distance (centimetres) is kept whatever the method. */
struct FCameraFocusSettings
{
	std::string FocusMethod = "Manual";
	float ManualFocusDistance = 100000.0f;
};

/**
 * A cinematic camera: filmback, lens and focus settings and the current focal
 * length and aperture, with the editor's defaults (a 16:9 digital film back and
 * a universal zoom lens). As in the editor, loading brings the current focal
 * length and aperture inside the lens limits.
 *
 * File fields: `filmback` {sensorWidth, sensorHeight}, `lensSettings`
 * {minFocalLength, maxFocalLength, minFStop, maxFStop}, `focusSettings`
 * {focusMethod, manualFocusDistance}, `currentFocalLength`, `currentAperture`.
 */
class UCineCameraComponent : public USceneComponent
{
	DECLARE_ENGINE_CLASS(UCineCameraComponent, USceneComponent, "/Script/CinematicCamera.CineCameraComponent")

public:
	FCameraFilmbackSettings Filmback;
	FCameraLensSettings LensSettings;
	FCameraFocusSettings FocusSettings;
	float CurrentFocalLength = 35.0f;
	float CurrentAperture = 2.8f;

	bool LoadAssetFields(const FJsonObject& Fields, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFields) const override;
};
