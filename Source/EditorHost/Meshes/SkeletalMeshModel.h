#pragma once

#include "Meshes/MeshBounds.h"
#include "Meshes/MeshSection.h"
#include "Meshes/MeshVector.h"
#include "Meshes/MultiSizeIndexContainer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/** The most bones one vertex follows. */
inline constexpr int32_t MaxSkinInfluences = 8;

/**
 * The bones a vertex follows, strongest first: bone indices into the reference
 * skeleton and weights that sum to 1. Unused entries have weight 0.
 */
struct FSkinWeightInfo
{
	std::array<uint16_t, MaxSkinInfluences> InfluenceBones{};
	std::array<float, MaxSkinInfluences> InfluenceWeights{};
};

/** One vertex's change in a morph target. */
struct FMorphTargetDelta
{
	FVector3f PositionDelta;
	FVector3f TangentZDelta;
	uint32_t SourceIdx = 0;
};

/** A morph target: its name and, per level of detail, the vertices it moves (only those). */
struct FMorphTarget
{
	std::string Name;
	std::vector<std::vector<FMorphTargetDelta>> LODDeltas;
};

/**
 * One level of detail of a skeletal mesh in the reference pose, in mesh space
 * (centimetres, the editor's axes). Every per-vertex array has NumVertices()
 * entries, except Tangents, which is empty when the source had none.
 */
struct FSkeletalMeshLODModel
{
	std::vector<FVector3f> Positions;
	/** The third tangent basis vector, unit length. */
	std::vector<FVector3f> Normals;
	/** The first tangent basis vector; W is the sign such that the second is (Normal ^ Tangent) * W. */
	std::vector<FVector4f> Tangents;
	/** Texture coordinate channels, each with one entry per vertex. */
	std::vector<std::vector<FVector2f>> UVs;
	std::vector<FSkinWeightInfo> SkinWeights;
	std::vector<FMeshSection> Sections;
	FMultiSizeIndexContainer IndexBuffer;

	uint32_t NumVertices() const { return static_cast<uint32_t>(Positions.size()); }
};

/** The heavy data of a skeletal mesh: its levels of detail, material slots and morph targets. */
struct FSkeletalMeshModel
{
	std::vector<FSkeletalMeshLODModel> LODModels;
	std::vector<FMaterialSlot> Materials;
	std::vector<FMorphTarget> MorphTargets;
	FBoxSphereBounds Bounds;
};
