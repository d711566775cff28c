#pragma once

#include "Meshes/MeshTransform.h"
#include "Render/SceneInterface.h"

#include <optional>
#include <span>

class USkeletalMesh;

/**
 * Level 0 of a skeletal mesh skinned on the CPU: each vertex follows its bones from the
 * reference pose to the pose given as component-space bone transforms (one per reference bone;
 * bones past the end keep their reference pose). Sections take the slot's override material
 * when there is one, else the mesh's. Nothing for a mesh without geometry.
 */
std::optional<FDynamicMeshPrimitive> MakeSkinnedMeshPrimitive(const USkeletalMesh& Mesh, std::span<const FTransform> ComponentSpaceBoneTransforms,
	std::span<UMaterialInterface* const> OverrideMaterials = {});
