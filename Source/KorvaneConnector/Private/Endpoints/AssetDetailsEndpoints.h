#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>
#include <string_view>

/**
 * Loads the asset at Path (exactly as given) and describes it: name, path, a type
 * word and a type-specific metadata object; or "Asset not found: <path>".
 * BodyText is the request body handed on to the kind's own detail handler.
 */
std::shared_ptr<FJsonObject> AssetDetails(std::string_view Path, const std::string& BodyText);

/** POST /korvane/asset/details. */
std::shared_ptr<FJsonObject> GetAssetDetails(const std::string& Body);
/** POST /korvane/asset/batch. */
std::shared_ptr<FJsonObject> GetAssetBatch(const std::string& Body);
/** POST /korvane/asset/exists: a registry lookup by object path; nothing is loaded. */
std::shared_ptr<FJsonObject> GetAssetExists(const std::string& Body);
