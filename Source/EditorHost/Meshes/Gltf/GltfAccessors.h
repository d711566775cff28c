#pragma once

#include "Meshes/Gltf/GltfResult.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tinygltf
{
	class Model;
}

/** The elements of an accessor as 32-bit floats, Components per element; normalised integers map to 0..1 or -1..1. */
struct FGltfFloatElements
{
	std::vector<float> Values;
	std::size_t Count = 0;
};

/** The elements of an integer accessor and the width of its components in bytes. */
struct FGltfIntegerElements
{
	std::vector<uint32_t> Values;
	std::size_t Count = 0;
	uint8_t ComponentBytes = 0;
};

/**
 * Reads accessor Index, which must have Components components per element (1 for
 * scalars, 16 for a 4x4 matrix), checking every byte it touches lies inside its
 * buffer view and buffer and every value is finite. What names the use in errors.
 */
TGltfResult<FGltfFloatElements> ReadGltfFloats(const tinygltf::Model& Model, int32_t Index, int32_t Components, std::string_view What);

/** As ReadGltfFloats, for unsigned integer accessors (8, 16 or 32 bits; MaxBytes caps the width). */
TGltfResult<FGltfIntegerElements> ReadGltfIntegers(const tinygltf::Model& Model, int32_t Index, int32_t Components, uint8_t MaxBytes, std::string_view What);
