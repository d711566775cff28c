#pragma once

#include "Meshes/Gltf/GltfResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tinygltf
{
	class Model;
}

/**
 * Parses glTF JSON or a .glb container into OutModel with tinygltf, reading external
 * buffers only from inside BaseDir (none when it is empty) and leaving images
 * undecoded. Returns the reason when the file is refused.
 */
std::optional<FGltfError> ReadGltfModel(std::span<const uint8_t> Bytes, std::string_view BaseDir, tinygltf::Model& OutModel);
