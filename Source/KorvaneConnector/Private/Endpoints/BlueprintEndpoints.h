#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>
#include <string_view>

class UBlueprint;
class UEdGraph;
class UEdGraphNode;

/**
 * One graph of a Blueprint as the desktop app draws it: its nodes with their visible
 * sockets, the wires between them, its comment boxes and the graph's copy-paste text.
 * GraphKind is "event" for an event graph page, "function" for a function graph.
 */
std::shared_ptr<FJsonObject> ExportGraph(const UEdGraph& Graph, std::string_view GraphKind);

/** The word the desktop app groups a node under: "event", "variable", "flow" or "function". */
std::string_view GetNodeCategory(const UEdGraphNode& Node);

/**
 * The whole Blueprint for the desktop app: identity, parent class, variables, construction
 * script components and every event and function graph. An empty object for no Blueprint.
 */
std::shared_ptr<FJsonObject> GatherBlueprint(const UBlueprint* Blueprint);

/** GET /korvane/blueprints: the project's Blueprint assets from the registry, unloaded. */
std::shared_ptr<FJsonObject> ListBlueprints();

/**
 * Imports copy-paste text into the Blueprint's event graph page or function graph named
 * GraphName (any letter case). A deploy paste (bClearStaleNodes) first removes the graph's
 * nodes so the pasted ones replace them. Never throws: failures are `status` "error" results.
 */
std::shared_ptr<FJsonObject> PasteIntoGraph(UBlueprint& Blueprint, std::string_view GraphName, std::string_view ClipboardText, bool bClearStaleNodes);

/** POST /korvane/blueprint/paste-nodes: a plain paste into a loaded Blueprint, then a compile. */
std::shared_ptr<FJsonObject> PasteBlueprintNodes(const std::string& BodyText);
