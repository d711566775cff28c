#pragma once

#include "Meshes/MeshSection.h"
#include "Meshes/MultiSizeIndexContainer.h"
#include "Meshes/SkeletalMeshModel.h"
#include "Meshes/SkeletalMeshVertexBuffers.h"

#include <vector>

/** The vertex streams of one level of detail. */
struct FStaticMeshVertexBuffers
{
	FPositionVertexBuffer PositionVertexBuffer;
	FStaticMeshVertexBuffer StaticMeshVertexBuffer;
};

/**
 * One level of detail as the renderer keeps it (the CPU copies the editor holds):
 * positions, packed tangent bases, the index buffer (16 or 32 bits wide) and sections.
 */
struct FSkeletalMeshLODRenderData
{
	FStaticMeshVertexBuffers StaticVertexBuffers;
	FMultiSizeIndexContainer MultiSizeIndexContainer;
	std::vector<FMeshSection> RenderSections;

	uint32_t GetNumVertices() const { return StaticVertexBuffers.PositionVertexBuffer.GetNumVertices(); }

	/** Builds the render form of an imported level; the normals pack 16 bits wide with bUseHighPrecisionTangentBasis. */
	static FSkeletalMeshLODRenderData Build(const FSkeletalMeshLODModel& Model, bool bUseHighPrecisionTangentBasis);
};

/** Every level of detail of a skeletal mesh, level 0 first. */
struct FSkeletalMeshRenderData
{
	std::vector<FSkeletalMeshLODRenderData> LODRenderData;
};
