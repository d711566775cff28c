#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/** POST /korvane/animbps/graph: a fixed notice; Animation Blueprint graphs are not served. The body is not read. */
std::shared_ptr<FJsonObject> GetAnimBlueprintGraph(const std::string& Body);
