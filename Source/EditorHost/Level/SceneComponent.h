#pragma once

#include "Level/ActorComponent.h"
#include "Level/Rotator.h"
#include "Meshes/MeshTransform.h"

#include <string>

/**
 * A component with a place in the world: a transform relative to the component
 * it is attached to (or to the world, when attached to none). An actor's root
 * component places the actor.
 *
 * File fields: `relativeLocation`, `relativeRotation`, `relativeScale3D`, and
 * `attachParent`, which names the parent by its name inside the same actor
 * ("SceneRoot") or, for a parent in another actor of the level, by
 * "ActorName.ComponentName". The level resolves the names once every actor is
 * loaded.
 */
class USceneComponent : public UActorComponent
{
	DECLARE_ENGINE_CLASS(USceneComponent, UActorComponent, "/Script/Engine.SceneComponent")

public:
	const FVector& GetRelativeLocation() const { return RelativeLocation; }
	const FRotator& GetRelativeRotation() const { return RelativeRotation; }
	const FVector& GetRelativeScale3D() const { return RelativeScale3D; }
	void SetRelativeLocation(const FVector& Location) { RelativeLocation = Location; }
	void SetRelativeRotation(const FRotator& Rotation) { RelativeRotation = Rotation; }
	void SetRelativeScale3D(const FVector& Scale) { RelativeScale3D = Scale; }
	/** Sets location, rotation (as a rotator) and scale relative to the attach parent at once. */
	void SetRelativeTransform(const FTransform& Transform);

	USceneComponent* GetAttachParent() const { return AttachParent; }
	/** Attaches to Parent (nullptr detaches); false, and nothing changes, when Parent is this component or lies below it. */
	bool SetupAttachment(USceneComponent* Parent);

	/** The component's transform in the world: its relative transform followed by its parents'. */
	FTransform GetComponentTransform() const;
	FVector GetComponentLocation() const;
	/**
	 * The world rotation. A component attached to nothing answers its relative
	 * rotation as it was set (as the editor's rotation cache does); an attached one
	 * the rotator of its world quaternion.
	 */
	FRotator GetComponentRotation() const;

	bool LoadAssetFields(const FJsonObject& Fields, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFields) const override;

	/** The attach parent as the file named it, until the level resolves it. */
	const std::string& GetPendingAttachParentName() const { return PendingAttachParentName; }

private:
	FTransform GetRelativeTransform() const;

	FVector RelativeLocation = FVector::ZeroVector();
	FRotator RelativeRotation = FRotator::ZeroRotator();
	FVector RelativeScale3D = FVector::OneVector();
	USceneComponent* AttachParent = nullptr;
	std::string PendingAttachParentName;
};
