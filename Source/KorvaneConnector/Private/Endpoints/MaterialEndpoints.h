#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/**
 * GET /korvane/materials: every Material (exactly that class) under /Game, then
 * every Material Instance Constant (derived classes included), from the asset
 * registry without loading them.
 */
std::shared_ptr<FJsonObject> ListMaterials();
/** POST /korvane/materials/detail: one material's or instance's four parameter lists. */
std::shared_ptr<FJsonObject> GetMaterialDetail(const std::string& Body);
