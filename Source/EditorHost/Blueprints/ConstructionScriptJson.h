#pragma once

#include "Core/JsonValue.h"

#include <string>
#include <vector>

class USimpleConstructionScript;

/** The script's nodes as a Blueprint asset file's `components` (docs/PROJECT_FORMAT.md), parents before children. */
FJsonValueArray ConstructionScriptToJson(const USimpleConstructionScript& Script);

/**
 * Adds the nodes `components` describes to Script. An entry that cannot be a node (no valid
 * name, a name taken) is left out; a parent that is missing or would close a loop makes the node
 * a root; an unknown class or an undeclared property is kept for saving but gives no template
 * value. Each is named in OutWarnings.
 */
void ConstructionScriptFromJson(USimpleConstructionScript& Script, const FJsonValueArray& Components, std::vector<std::string>& OutWarnings);
