#pragma once

#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/StaticMeshModel.h"

/**
 * Builds a static mesh from the nodes that instance a mesh without a skin (or, when
 * there are none, from every mesh node), each baked with its node's world transform
 * and grouped into levels of detail by the "_LOD<n>" ending of the node's name.
 */
TGltfResult<FStaticMeshModel> BuildGltfStaticMesh(const FGltfDocument& Document);
