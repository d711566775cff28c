#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/**
 * POST /korvane/blueprint/deploy: creates or updates a Blueprint from the desktop app's
 * description. The resource script _kv_deploy.py builds the asset (variables, components,
 * function signatures, a compile and a save); the connector then turns variables marked as
 * arrays into array containers, pastes each graph's copy-paste text with the deploy paste and
 * compiles again. The answer reports every step.
 */
std::shared_ptr<FJsonObject> DeployBlueprint(const std::string& BodyText);
