#pragma once

#include "Blueprints/BlueprintVariable.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class FJsonObject;

/** A pin type as its asset-file object: `category`, then the fields that differ from their defaults. */
std::shared_ptr<FJsonObject> PinTypeToJson(const FEdGraphPinType& PinType);
/** The pin type an object describes; nothing and a reason when it has no `category` or a field has the wrong type. */
std::optional<FEdGraphPinType> PinTypeFromJson(const FJsonObject& Object, std::string& OutError);

/** A member variable as its entry in a Blueprint asset file's `variables` (docs/PROJECT_FORMAT.md). */
std::shared_ptr<FJsonObject> BlueprintVariableToJson(const FBPVariableDescription& Variable);
/**
 * The variable an entry describes. Nothing and a reason when the entry cannot be one (no valid
 * name, no valid type); parts that can be dropped without losing the variable (an unknown flag or
 * condition, a malformed metadata pair, a bad guid) are left out and named in OutWarnings.
 */
std::optional<FBPVariableDescription> BlueprintVariableFromJson(const FJsonObject& Entry, std::vector<std::string>& OutWarnings, std::string& OutError);
