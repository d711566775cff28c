#pragma once

#include "Animation/AnimSequenceData.h"
#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/ReferenceSkeleton.h"
#include "Meshes/SkeletalMeshModel.h"
#include "Meshes/StaticMeshModel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/**
 * A glTF 2.0 file (.gltf with embedded or neighbouring buffers, or .glb) that asset
 * kinds read their heavy data from, converted to the editor's conventions
 * (centimetres, Z up, left-handed; see GltfAxes.h for the exact mapping).
 *
 * Every refusal (a corrupt, truncated or inconsistent file, or one that lacks what
 * was asked for) writes one LogHost Warning naming the file and the reason and
 * answers nothing.
 *
 * Conventions of the file the loader relies on:
 * - the skeleton and skeletal mesh use the file's first skin, which must have a
 *   single root joint; bones are ordered parents first;
 * - levels of detail are nodes whose names end in "_LOD0", "_LOD1", ...; nodes
 *   without the ending are level 0, and several nodes may share a level;
 * - morph target names come from the mesh's extras.targetNames, else "MorphTarget_<i>";
 * - material slots are named after the glTF materials ("Material_<i>" when unnamed,
 *   "DefaultMaterial" for primitives without one).
 */
class FGltfFile
{
public:
	/** Reads a file; external buffers must lie in the file's own folder. */
	static std::optional<FGltfFile> Load(std::string_view Path);
	/** Reads a file held in memory; SourceName names it in log lines. Only embedded buffers are accepted. */
	static std::optional<FGltfFile> LoadFromMemory(std::span<const uint8_t> Bytes, std::string_view SourceName);

	std::optional<FReferenceSkeleton> BuildReferenceSkeleton() const;
	std::optional<FSkeletalMeshModel> BuildSkeletalMesh() const;
	std::optional<FStaticMeshModel> BuildStaticMesh() const;
	/** Every animation of the file, resampled for the first skin's skeleton. */
	std::optional<std::vector<FAnimSequenceData>> BuildAnimations(double FrameRate = 30.0) const;

	const FGltfDocument& GetDocument() const { return Document; }

private:
	FGltfFile(std::string InSourceName, FGltfDocument InDocument) : SourceName(std::move(InSourceName)), Document(std::move(InDocument)) {}

	static std::optional<FGltfFile> Parse(std::span<const uint8_t> Bytes, std::string_view SourceName, std::string_view BaseDir);
	void Refuse(const FGltfError& Error) const;

	std::string SourceName;
	FGltfDocument Document;
};
