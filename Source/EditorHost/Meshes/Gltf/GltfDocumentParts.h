#pragma once

#include "Meshes/Gltf/GltfDocument.h"

#include <vector>

namespace tinygltf
{
	class Model;
}

/** The steps of ParseGltfDocument, one per part of the file; each checks what it reads. */
TGltfResult<std::vector<FGltfNode>> ReadGltfNodes(const tinygltf::Model& Model);
TGltfResult<std::vector<FGltfSkin>> ReadGltfSkins(const tinygltf::Model& Model);
TGltfResult<std::vector<FGltfMesh>> ReadGltfMeshes(const tinygltf::Model& Model);
/** Needs the meshes already read: a morph weight channel has one value per target of its node's mesh. */
TGltfResult<std::vector<FGltfAnimation>> ReadGltfAnimations(const tinygltf::Model& Model, const std::vector<FGltfNode>& Nodes, const std::vector<FGltfMesh>& Meshes);
