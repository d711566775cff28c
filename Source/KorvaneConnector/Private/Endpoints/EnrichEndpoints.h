#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>
#include <string_view>

/**
 * Adds the property values of each construction-script component to a gathered Blueprint
 * (GatherBlueprint), read from the component templates by the resource script _kv_enrich.py.
 * Matching entries of `components` get `properties`; the object ends with
 * `componentProperties` (whether the script succeeded) and, when the script reported a
 * failure, `componentPropertiesError`. It never fails: without Python, the script or its
 * result, the gathered object stays complete and says so.
 */
void EnrichComponentProperties(FJsonObject& Gathered, std::string_view BlueprintPath);

/** POST /korvane/blueprint/enrich: gathers the Blueprint at `blueprintPath` and enriches it. */
std::shared_ptr<FJsonObject> EnrichBlueprint(const std::string& BodyText);
