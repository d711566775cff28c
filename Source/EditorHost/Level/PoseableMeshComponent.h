#pragma once

#include "Level/MeshComponent.h"
#include "Render/SceneInterface.h"

#include <optional>
#include <string_view>
#include <vector>

class USkeletalMesh;

/** Which space a bone transform is given in. */
enum class EBoneSpaces : uint8_t
{
	WorldSpace,
	ComponentSpace,
};

/**
 * Draws a skeletal mesh in a pose set bone by bone: each bone starts at its reference pose and
 * SetBoneTransformByName moves it (its children follow, keeping their place relative to it). The
 * mesh is skinned on the CPU when the render state is made; the bounds are those of the posed
 * vertices. A new pose shows once the component is updated (UpdateComponentToWorld, or a render
 * state update for the picture alone).
 */
class UPoseableMeshComponent : public UMeshComponent
{
	DECLARE_ENGINE_CLASS(UPoseableMeshComponent, UMeshComponent, "/Script/Engine.PoseableMeshComponent")

public:
	/** Shows Mesh (nullptr: nothing) in its reference pose. */
	void SetSkinnedAssetAndUpdate(USkeletalMesh* Mesh);
	USkeletalMesh* GetSkinnedAsset() const { return SkeletalMesh; }
	/** Moves the named bone to Transform; nothing for a name the mesh lacks or a transform that is not finite. */
	void SetBoneTransformByName(std::string_view BoneName, const FTransform& Transform, EBoneSpaces Space);
	/** The named bone's transform; identity for a name the mesh lacks. */
	FTransform GetBoneTransformByName(std::string_view BoneName, EBoneSpaces Space) const;
	int32_t GetNumMaterials() const override;
	UMaterialInterface* GetMaterial(int32_t ElementIndex) const override;

protected:
	int32_t CreateScenePrimitive(FSceneInterface& InScene) override;
	FBoxSphereBounds CalcBounds(const FTransform& LocalToWorld) const override;

private:
	/** The mesh skinned to the current pose in component space, made when first asked after a change. */
	const std::optional<FDynamicMeshPrimitive>& GetSkinnedMesh() const;
	/** Component-space transforms from FirstBone on, from the bone-space ones (parents come before children). */
	void FillComponentSpaceTransforms(int32_t FirstBone);

	USkeletalMesh* SkeletalMesh = nullptr;
	/** Each reference bone's transform relative to its parent. */
	std::vector<FTransform> BoneSpaceTransforms;
	/** Component-space transform per reference bone. */
	std::vector<FTransform> ComponentSpaceTransforms;

	struct FSkinnedMeshCache
	{
		bool bCurrent = false;
		/** The slot overrides the sections were given. */
		std::vector<UMaterialInterface*> Materials;
		std::optional<FDynamicMeshPrimitive> Mesh;
	};
	mutable FSkinnedMeshCache SkinnedMesh;
};
