#pragma once

#include "Meshes/MeshBounds.h"
#include "Meshes/MeshSection.h"
#include "Meshes/MeshVector.h"
#include "Meshes/MultiSizeIndexContainer.h"

#include <cstdint>
#include <vector>

/** One level of detail of a static mesh, in the mesh's own space (centimetres, the editor's axes). */
struct FStaticMeshLODResources
{
	std::vector<FVector3f> Positions;
	std::vector<FVector3f> Normals;
	std::vector<std::vector<FVector2f>> UVs;
	std::vector<FMeshSection> Sections;
	FMultiSizeIndexContainer IndexBuffer;

	uint32_t GetNumVertices() const { return static_cast<uint32_t>(Positions.size()); }
	uint32_t GetNumTriangles() const { return static_cast<uint32_t>(IndexBuffer.Num() / 3); }
};

/** The heavy data of a static mesh: levels of detail, material slots and the bounds of level 0. */
struct FStaticMeshModel
{
	std::vector<FStaticMeshLODResources> LODResources;
	std::vector<FMaterialSlot> Materials;
	FBoxSphereBounds Bounds;
};
