#pragma once

#include "Meshes/MeshVector.h"

#include <cstdint>
#include <span>
#include <vector>

/**
 * Per-vertex tangents from the triangles' UV0 directions, made orthogonal to the normals, with
 * the bitangent's sign in W. Vertices without UVs (or with degenerate ones) get any unit vector
 * perpendicular to the normal.
 */
std::vector<FVector4f> ComputeTangents(std::span<const FVector3f> Positions, std::span<const FVector3f> Normals, std::span<const FVector2f> UVs,
	std::span<const uint32_t> Indices);
