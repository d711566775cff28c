#pragma once

#include "Core/Color.h"
#include "Meshes/MeshVector.h"
#include "Render/GlResources.h"

#include <cstdint>
#include <span>
#include <vector>

/** A run of a GPU mesh's indices drawn with one material slot. */
struct FGpuMeshSection
{
	uint32_t FirstIndex = 0;
	uint32_t NumIndices = 0;
	int32_t MaterialIndex = 0;
};

/** The attributes of a mesh as the material vertex shader reads them; missing ones are filled in. */
struct FMeshVertexStreams
{
	std::span<const FVector3f> Positions;
	std::span<const FVector3f> Normals;
	/** Empty to have them made from UV0. */
	std::span<const FVector4f> Tangents;
	std::span<const FVector2f> UV0;
	std::span<const FVector2f> UV1;
	/** Empty for white. */
	std::span<const FLinearColor> Colors;
	std::span<const uint32_t> Indices;
};

/** A mesh on the device: one interleaved vertex buffer, 32-bit indices and its sections. */
class FGpuMesh
{
public:
	/** Uploads the streams; indices that point past the vertices are dropped with their triangle. */
	static FGpuMesh Create(const FMeshVertexStreams& Streams, std::vector<FGpuMeshSection> Sections);

	/** Draws one section with whatever program is bound. */
	void DrawSection(const FGpuMeshSection& Section) const;
	const std::vector<FGpuMeshSection>& GetSections() const { return Sections; }

private:
	FGlVertexArray VertexArray;
	FGlBuffer Vertices;
	FGlBuffer Indices;
	std::vector<FGpuMeshSection> Sections;
};
