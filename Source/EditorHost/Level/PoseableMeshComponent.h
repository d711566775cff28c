#pragma once

#include "Level/MeshComponent.h"

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
 * SetBoneTransformByName moves it (its children follow). The mesh is skinned on the CPU when
 * the render state is made; the bounds are those of the posed vertices.
 */
class UPoseableMeshComponent : public UMeshComponent
{
	DECLARE_ENGINE_CLASS(UPoseableMeshComponent, UMeshComponent, "/Script/Engine.PoseableMeshComponent")

public:
	/** Shows Mesh in its reference pose. */
	void SetSkinnedAssetAndUpdate(USkeletalMesh* Mesh);
	USkeletalMesh* GetSkinnedAsset() const { return SkeletalMesh; }
	/** Moves the named bone to Transform; nothing for a name the mesh lacks. */
	void SetBoneTransformByName(std::string_view BoneName, const FTransform& Transform, EBoneSpaces Space);
	FTransform GetBoneTransformByName(std::string_view BoneName, EBoneSpaces Space) const;
	int32_t GetNumMaterials() const override;
	UMaterialInterface* GetMaterial(int32_t ElementIndex) const override;

protected:
	int32_t CreateScenePrimitive(FSceneInterface& InScene) override;
	FBoxSphereBounds CalcBounds(const FTransform& LocalToWorld) const override;

private:
	USkeletalMesh* SkeletalMesh = nullptr;
	/** Component-space transform per reference bone. */
	std::vector<FTransform> ComponentSpaceTransforms;
};
