#pragma once

#include "Graph/EdGraphPin.h"
#include "Graph/PinTypeFromProperty.h"

#include <cstdint>
#include <string_view>

class UEdGraph;
class UEdGraphNode;

/** What the Blueprint graph schema does to the graphs it owns, as the editor's schema does. */
namespace UEdGraphSchema_K2
{
	/**
	 * A function entry or result node (ClassPath) in a function graph: its function reference names
	 * the graph, it is user-editable and has one exec pin, as the editor makes them.
	 */
	UEdGraphNode* CreateFunctionTerminatorNode(UEdGraph& Graph, std::string_view ClassPath, std::string_view PinName, EEdGraphPinDirection Direction, int32_t PosX);
	/** The nodes a new function graph starts with: its entry node. */
	void CreateDefaultNodesForGraph(UEdGraph& Graph);
	/** Sets whether the user may edit the signature: the user-editable flag of the graph's function entry and result nodes. */
	void MarkFunctionEntryAsEditable(const UEdGraph* Graph, bool bNewEditable);
	/** Adds function flags (EFunctionFlags) to the ExtraFlags of the graph's function entry nodes, which the compiled function carries. */
	void AddExtraFunctionFlags(const UEdGraph* Graph, uint32_t ExtraFlags);
}
