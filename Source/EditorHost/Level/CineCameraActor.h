#pragma once

#include "Level/Actor.h"

class UCineCameraComponent;

/**
 * A cinematic camera placed in the level. As the editor's constructor does, a
 * cine camera actor always has its cine camera component: loading one whose
 * file lists none gives it "CameraComponent" with the default lens, attached to
 * the root component (or made the root when there is none).
 */
class ACineCameraActor : public AActor
{
	DECLARE_ENGINE_CLASS(ACineCameraActor, AActor, "/Script/CinematicCamera.CineCameraActor")

public:
	/** Never nullptr for a loaded actor. */
	UCineCameraComponent* GetCineCameraComponent() const;

	bool LoadAssetFields(const FJsonObject& Fields, std::string& OutError) override;
};
