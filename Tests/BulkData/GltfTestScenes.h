#pragma once

#include "BulkData/GltfTestFile.h"
#include "Meshes/Gltf/GltfFile.h"

#include <string>

/**
 * A two-bone skin and one skinned triangle, the scene most glTF tests start from:
 * node 0 "Spine" (joint 0) is the child of node 1 "Hips" (joint 1), so the skin
 * lists the child first; Hips stands at (0, 1, 0) m, Spine 0.5 m above it turned
 * 90 degrees about glTF's up axis. The triangle (0,0,0), (1,0,0), (0,1,0) m faces
 * glTF's front (+Z), uses 16-bit indices and material "Skin", and has the morph
 * target "Smile" that lifts vertex 1 by 0.1 m.
 */
struct FSkinnedTriangleScene
{
	FGltfTestFile File;
	std::string Nodes;
	std::string Meshes;
	std::string Skins;
	std::string Materials = "\"materials\":[{\"name\":\"Skin\"}]";

	FSkinnedTriangleScene();
	std::string Members(const std::string& Extra = "") const;
};

/** Loads glTF JSON text as the file "Scene.gltf"; throws (failing the test) when it is refused. */
FGltfFile LoadGltfText(const std::string& Json);
