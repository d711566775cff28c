#pragma once

#include <string>

class UBlueprint;
class UEdGraph;
class UEdGraphNode;
class UEdGraphPin;
struct FCompilerResultsLog;

/**
 * The checks one Blueprint compile runs, each adding its findings to the log. They read the
 * Blueprint and its graphs and change nothing; null graphs, null nodes and nodes of classes
 * they do not know are passed over.
 */
struct FBlueprintCompileContext
{
	const UBlueprint& Blueprint;
	FCompilerResultsLog& Log;
};

/** How messages name a node: its title as lists show it (one line), else its object name. */
std::string NodeLabel(const UEdGraphNode& Node);
/** How messages name a pin: the name the graph shows on it, else its name as written. */
std::string PinLabel(const UEdGraphPin& Pin);

/** Links: the pins' directions and types agree, ends lie in the same graph, an exec output runs one node, no linked orphan pins. */
void CheckGraphLinks(const FBlueprintCompileContext& Context, const UEdGraph& Graph);

/** Calls and variables exist, required inputs are connected, latent calls stay out of functions; unreachable and deprecated calls warn. */
void CheckGraphNodes(const FBlueprintCompileContext& Context, const UEdGraph& Graph, bool bFunctionGraph);

/** A function graph has exactly one entry node. */
void CheckFunctionGraphEntry(const FBlueprintCompileContext& Context, const UEdGraph& Graph);

/** No event is implemented twice across the Blueprint's graphs. */
void CheckDuplicateEvents(const FBlueprintCompileContext& Context);
