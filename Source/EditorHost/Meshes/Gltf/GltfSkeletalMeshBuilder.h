#pragma once

#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/Gltf/GltfSkeletonBinding.h"
#include "Meshes/SkeletalMeshModel.h"

/**
 * Builds the skeletal mesh skinned to skin SkinIndex: every node that instances a
 * mesh with that skin, grouped into levels of detail by the "_LOD<n>" ending of the
 * node's name (nodes without it are level 0; a level may combine several nodes).
 * Vertices are in bind space as the file stores them; skinned nodes' own transforms
 * are ignored, as the glTF 2.0 standard asks.
 */
TGltfResult<FSkeletalMeshModel> BuildGltfSkeletalMesh(const FGltfDocument& Document, int32_t SkinIndex, const FGltfSkeletonBinding& Binding);
