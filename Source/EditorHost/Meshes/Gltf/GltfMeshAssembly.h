#pragma once

#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/MeshSection.h"
#include "Meshes/MeshTransform.h"
#include "Meshes/MeshVector.h"

#include <optional>
#include <string_view>
#include <vector>

/** The material slots of one mesh asset, shared by all its levels of detail: one per glTF material used. */
class FGltfMaterialSlots
{
public:
	/** The slot of glTF material Material (-1: none), added on first use. */
	int32_t SlotFor(const FGltfDocument& Document, int32_t Material);
	const std::vector<FMaterialSlot>& GetSlots() const { return Slots; }

private:
	std::vector<FMaterialSlot> Slots;
	std::vector<int32_t> MaterialOfSlot;
};

/** One level of detail's vertices, triangles and sections in the editor's space. */
struct FGltfLODGeometry
{
	std::vector<FVector3f> Positions;
	std::vector<FVector3f> Normals;
	/** Emptied when any primitive had no tangents. */
	std::vector<FVector4f> Tangents;
	std::vector<std::vector<FVector2f>> UVs;
	std::vector<uint32_t> Indices;
	/** Whether every indexed primitive stored 8- or 16-bit indices. */
	bool bSourceIndices16Bit = true;
	std::vector<FMeshSection> Sections;
};

/**
 * Appends every primitive of glTF mesh MeshIndex as one section each, with Bake
 * (a node's world transform, glTF units; identity for skinned meshes) applied to its
 * vertices and then the axis conversion. Normals the file lacks are made from the
 * triangles.
 */
void AppendGltfMesh(const FGltfDocument& Document, int32_t MeshIndex, const FTransform& Bake, FGltfMaterialSlots& Slots, FGltfLODGeometry& Geometry);

/** The level of detail a node's name asks for: n for a name ending in "_LOD<n>" (any letter case), else 0. */
int32_t GltfLODOfNodeName(std::string_view Name);

/** The distinct levels named by the nodes, ascending; level k of the asset is the k-th of these. */
std::vector<int32_t> GltfDistinctLODs(const FGltfDocument& Document, const std::vector<int32_t>& Nodes);
