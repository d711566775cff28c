#pragma once

#include "Endpoints/ControlRigSnapshotMath.h"

#include "Core/Color.h"
#include "Meshes/MeshBounds.h"
#include "Meshes/MeshTransform.h"
#include "Render/PreviewScene.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class FTextureRenderTargetResource;
class UControlRigShapeLibrary;
class UObject;
class UPoseableMeshComponent;
class URigHierarchy;
class USceneComponent;
class USkeletalMesh;
class UStaticMeshComponent;

/**
 * The off-screen scene a rig snapshot is rendered in: a preview scene with the snapshot's sky
 * and sun, the rig's preview mesh on a poseable mesh component, the control shapes, two point
 * lights and a ground plane. Everything it makes is transient and is removed from the scene and
 * marked as garbage when the scene goes, at the end of the request.
 */
class FControlRigSnapshotScene
{
public:
	explicit FControlRigSnapshotScene(USkeletalMesh& PreviewMesh);
	~FControlRigSnapshotScene();
	FControlRigSnapshotScene(const FControlRigSnapshotScene&) = delete;
	FControlRigSnapshotScene& operator=(const FControlRigSnapshotScene&) = delete;

	/** Moves each mesh bone to the current global transform of the rig bone of its name; the number of rig bones copied. */
	int32_t PoseBones(const URigHierarchy& Hierarchy);
	/**
	 * Adds a tinted static mesh for every control whose shape is visible and found in the
	 * libraries (falling back to the first library's default shape); the number added.
	 */
	int32_t AddControlShapes(const URigHierarchy& Hierarchy, std::span<UControlRigShapeLibrary* const> Libraries);
	/** The poseable mesh's bounds as of its last pose. */
	const FBoxSphereBounds& GetMeshBounds() const;
	/** Adds the two point lights and, when the plane mesh loads, the ground plane, scaled to the camera distance. */
	void AddLightsAndGround(double CameraDistance);
	/**
	 * Renders one view at the camera distance into the target (size × size, cleared to the
	 * background first) and reads its pixels back; nothing when the read-back fails. The ground
	 * plane shows in every view but the one from below.
	 */
	std::optional<std::vector<FColor>> RenderView(FTextureRenderTargetResource& Target, int32_t Size, const FRigSnapshotView& View, double CameraDistance);

private:
	/** A new transient component of type T put into the scene at the transform. */
	template <typename T>
	T* AddComponent(const FTransform& LocalToWorld);
	void AddPointLight(const FVector& Direction, double CameraDistance, float Intensity);

	FPreviewScene Scene;
	UPoseableMeshComponent* PoseableMesh = nullptr;
	UStaticMeshComponent* GroundPlane = nullptr;
	/** In the order they were added to the scene. */
	std::vector<USceneComponent*> Components;
	/** The shapes' dynamic material instances. */
	std::vector<UObject*> Materials;
};
