#pragma once

#include "Meshes/ReferenceSkeleton.h"
#include "Objects/Object.h"

#include <cstdint>

class USkeletalMesh;

/**
 * A skeleton asset: the bone tree shared by meshes and animations. Its reference
 * skeleton comes from the first skin of the glTF file that the "source" field names.
 * The host reads these assets and never edits them, so saving writes the fields back
 * as they were read.
 */
class USkeleton : public UObject
{
	DECLARE_ENGINE_CLASS(USkeleton, UObject, "/Script/Engine.Skeleton")

public:
	static constexpr int32_t INDEX_NONE = -1;

	const FReferenceSkeleton& GetReferenceSkeleton() const { return ReferenceSkeleton; }
	/**
	 * The index in Mesh's reference skeleton of this skeleton's bone SkeletonBoneIndex, matched by
	 * name; INDEX_NONE when there is no such skeleton bone, no mesh, or the mesh lacks the bone.
	 */
	int32_t GetMeshBoneIndexFromSkeletonBoneIndex(const USkeletalMesh* Mesh, int32_t SkeletonBoneIndex) const;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;

private:
	FReferenceSkeleton ReferenceSkeleton;
};
