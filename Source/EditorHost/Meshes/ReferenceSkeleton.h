#pragma once

#include "Meshes/MeshTransform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** One bone: its name and its parent's index (INDEX_NONE, -1, for the root). */
struct FMeshBoneInfo
{
	std::string Name;
	int32_t ParentIndex = -1;
};

/**
 * A skeleton's bones and their local reference pose (each bone relative to its
 * parent; translations in centimetres). Parents always come before their children
 * and there is exactly one root, bone 0, as the editor requires.
 */
class FReferenceSkeleton
{
public:
	/** Appends a bone; refused (false) when the parent is not an earlier bone, a second root is added or the name is taken. */
	bool Add(FMeshBoneInfo Bone, const FTransform& LocalPose);

	int32_t Num() const { return static_cast<int32_t>(Bones.size()); }
	const std::vector<FMeshBoneInfo>& GetRefBoneInfo() const { return Bones; }
	const std::vector<FTransform>& GetRefBonePose() const { return Pose; }
	std::optional<int32_t> FindBoneIndex(std::string_view Name) const;
	/** The bones whose parent is BoneIndex, in ascending order. */
	std::vector<int32_t> GetDirectChildBones(int32_t BoneIndex) const;
	/** The bone's reference transform in component space (relative to the root's parent). */
	FTransform GetComponentSpaceTransform(int32_t BoneIndex) const;

private:
	std::vector<FMeshBoneInfo> Bones;
	std::vector<FTransform> Pose;
};
