#pragma once

#include "Assets/AssetData.h"
#include "Core/JsonObject.h"

#include <memory>
#include <string_view>
#include <vector>

/**
 * The listing routes' registry query: the assets of one class under "/Game",
 * sub-folders included, without loading any. bIncludeSubclasses adds the
 * classes derived from it.
 */
std::vector<FAssetData> GetGameAssetsOfClass(std::string_view PackageName, std::string_view AssetName, bool bIncludeSubclasses);

/** A listing entry's first two keys: `name` (the asset name) and `path` (the object path). */
std::shared_ptr<FJsonObject> MakeAssetListEntry(const FAssetData& Asset);
