#pragma once

#include "Meshes/Gltf/GltfResult.h"
#include "Meshes/MeshTransform.h"
#include "Meshes/MeshVector.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/**
 * A glTF file read and checked, still in glTF's own units and axes (metres, Y up,
 * right-handed). Every index in it is in range, every number finite, every
 * per-vertex array as long as the positions and the node tree free of cycles, so
 * the builders that turn it into editor data need not check again.
 */
struct FGltfNode
{
	std::string Name;
	int32_t Parent = -1;
	std::vector<int32_t> Children;
	int32_t Mesh = -1;
	int32_t Skin = -1;
	FTransform Local;
};

struct FGltfMorphTargetData
{
	std::vector<FVector3f> PositionDeltas;
	/** Empty when the target moves no normals. */
	std::vector<FVector3f> NormalDeltas;
};

struct FGltfPrimitive
{
	std::vector<FVector3f> Positions;
	std::vector<FVector3f> Normals;
	std::vector<FVector4f> Tangents;
	std::vector<std::vector<FVector2f>> TexCoords;
	/** JOINTS_n and WEIGHTS_n sets (at most two), each with one entry per vertex. */
	std::vector<std::vector<std::array<uint16_t, 4>>> JointSets;
	std::vector<std::vector<std::array<float, 4>>> WeightSets;
	/** Three per triangle; made up in vertex order when the source has none. */
	std::vector<uint32_t> Indices;
	/** 1, 2 or 4: the width of the source's indices; 0 when it had none. */
	uint8_t SourceIndexBytes = 0;
	int32_t Material = -1;
	std::vector<FGltfMorphTargetData> Targets;
};

struct FGltfMesh
{
	std::string Name;
	std::vector<FGltfPrimitive> Primitives;
	/** One name per morph target, from the mesh's extras.targetNames or made up. */
	std::vector<std::string> TargetNames;
};

struct FGltfSkin
{
	std::string Name;
	std::vector<int32_t> Joints;
};

enum class EGltfChannelPath : uint8_t
{
	Translation,
	Rotation,
	Scale,
	Weights
};

enum class EGltfInterpolation : uint8_t
{
	Linear,
	Step,
	CubicSpline
};

/** Key times in seconds (non-decreasing) and Components values per key (times three for cubic splines: in-tangent, value, out-tangent). */
struct FGltfSampler
{
	std::vector<float> Times;
	std::vector<float> Values;
	int32_t Components = 0;
	EGltfInterpolation Interpolation = EGltfInterpolation::Linear;
};

struct FGltfChannel
{
	int32_t Node = 0;
	EGltfChannelPath Path = EGltfChannelPath::Translation;
	int32_t Sampler = 0;
};

struct FGltfAnimation
{
	std::string Name;
	std::vector<FGltfSampler> Samplers;
	std::vector<FGltfChannel> Channels;
};

struct FGltfDocument
{
	std::vector<FGltfNode> Nodes;
	std::vector<FGltfMesh> Meshes;
	std::vector<FGltfSkin> Skins;
	std::vector<std::string> MaterialNames;
	std::vector<FGltfAnimation> Animations;
};

/**
 * Reads a .gltf (JSON) or .glb (binary, told apart by its magic) from memory.
 * External buffers are read from BaseDir and never from outside it; with an empty
 * BaseDir only embedded buffers are accepted. Images are not decoded.
 */
TGltfResult<FGltfDocument> ParseGltfDocument(std::span<const uint8_t> Bytes, std::string_view BaseDir);
