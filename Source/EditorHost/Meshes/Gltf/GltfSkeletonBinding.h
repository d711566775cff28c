#pragma once

#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/ReferenceSkeleton.h"

#include <vector>

/**
 * A glTF skin turned into the editor's reference skeleton, with the maps the mesh
 * and animation builders need. Bones are the skin's joints in depth-first order
 * from the single root joint, so parents come first.
 */
struct FGltfSkeletonBinding
{
	FReferenceSkeleton Skeleton;
	/** Skin joint index (what JOINTS_n holds) to bone index. */
	std::vector<int32_t> BoneOfJoint;
	/** Node index to bone index, -1 for nodes that are not joints. */
	std::vector<int32_t> BoneOfNode;
	/**
	 * Per bone, in glTF units: what lies between the joint's node and its parent bone
	 * (nodes that are not joints; for the root, every ancestor), so that
	 * glTF bone local = node local * ParentChain.
	 */
	std::vector<FTransform> ParentChain;
};

/** Builds the skeleton of skin SkinIndex; refuses skins with several root joints or repeated names. */
TGltfResult<FGltfSkeletonBinding> BindGltfSkeleton(const FGltfDocument& Document, int32_t SkinIndex);
