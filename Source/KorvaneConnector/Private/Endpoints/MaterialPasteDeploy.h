#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/**
 * POST /korvane/material/paste-t3d: rebuilds a Material's graph from node copy-paste text.
 * Loads the material `name` in the folder `path` (default "/Game/Materials") or creates it,
 * empties it unless `clearGraph` is false, imports the text's nodes into its graph, applies
 * `materialSettings`, wires `connections`, `resultConnections` and `namedRerouteLinks`,
 * recompiles and, unless `checkCompile` is false, reads the compile errors. Answers the
 * counts, the imported nodes and the wiring failures; `success` false and `error` when the
 * request cannot be carried out.
 */
std::shared_ptr<FJsonObject> PasteMaterialT3D(const std::string& BodyText);
