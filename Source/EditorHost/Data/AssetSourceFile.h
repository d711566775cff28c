#pragma once

#include <optional>
#include <string>
#include <string_view>

class UObject;

/**
 * The bulk-data file that an asset names in its fields ("source": "Crate.gltf"):
 * a plain file name in the folder of the asset's own file. Names with a folder
 * part, "." or "..", and files that resolve (through links) outside the folder
 * of the asset's content root (Content for "/Game", the engine content for
 * "/Engine") are refused with the reason in OutError, so an asset file can never
 * make the host read elsewhere.
 */
std::optional<std::string> ResolveAssetSourceFile(const UObject& Asset, std::string_view FileName, std::string& OutError);
