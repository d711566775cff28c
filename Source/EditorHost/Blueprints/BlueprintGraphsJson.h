#pragma once

#include <memory>
#include <string>
#include <vector>

class FJsonObject;
class UBlueprint;

/** The Blueprint's graphs as an asset file's `graphs` object: `eventGraphs`, `functionGraphs`, `macroGraphs` (docs/PROJECT_FORMAT.md). */
std::shared_ptr<FJsonObject> BlueprintGraphsToJson(const UBlueprint& Blueprint);

/**
 * Adds the graphs a `graphs` object describes to the Blueprint's lists, pasting each graph's node
 * text. A graph without a valid or free name is left out, a line that is not text is skipped;
 * each is named in OutWarnings.
 */
void BlueprintGraphsFromJson(UBlueprint& Blueprint, const FJsonObject& Graphs, std::vector<std::string>& OutWarnings);
