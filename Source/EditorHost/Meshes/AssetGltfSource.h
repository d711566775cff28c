#pragma once

#include "Meshes/Gltf/GltfFile.h"

#include <optional>
#include <string>
#include <string_view>

class UObject;

/**
 * Reads the glTF file that an asset's fields name ("source": "Hero.gltf"), a file
 * in the folder of the asset's own file (see ResolveAssetSourceFile). Nothing, and
 * the reason in OutError, when the name is refused or the file does not load.
 */
std::optional<FGltfFile> LoadAssetGltfSource(const UObject& Asset, std::string_view FileName, std::string& OutError);
