#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/**
 * POST /korvane/material/deploy: builds or updates a Material from the desktop app's
 * description. The connector checks `name` and the folder `path` (default "/Game/Materials"),
 * hands the body unchanged to the resource script _kv_material_deploy.py and answers the
 * script's result object, with `pythonAvailable` set on it.
 */
std::shared_ptr<FJsonObject> DeployMaterial(const std::string& BodyText);

/**
 * POST /korvane/material/enrich: checks `materialPath`, hands the body unchanged to
 * _kv_material_enrich.py and answers the script's result object, with `pythonAvailable`
 * set on it.
 */
std::shared_ptr<FJsonObject> EnrichMaterial(const std::string& BodyText);
