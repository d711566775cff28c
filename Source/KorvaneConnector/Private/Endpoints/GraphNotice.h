#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/**
 * POST /korvane/animbps/graph, /korvane/metasounds/graph and /korvane/niagara/graph:
 * the graphs of these asset kinds are not exported, so each answers the same fixed
 * notice. The body is not read.
 */
std::shared_ptr<FJsonObject> GetGraphNotice(const std::string& Body);
