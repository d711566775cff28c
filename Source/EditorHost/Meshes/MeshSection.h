#pragma once

#include <cstdint>
#include <string>

/** A run of triangles drawn with one material slot. */
struct FMeshSection
{
	int32_t MaterialIndex = 0;
	uint32_t BaseIndex = 0;
	uint32_t NumTriangles = 0;
	uint32_t BaseVertexIndex = 0;
	uint32_t NumVertices = 0;
};

/** A mesh's material slot; the material itself is bound by the asset, not by the source file. */
struct FMaterialSlot
{
	std::string SlotName;
};
