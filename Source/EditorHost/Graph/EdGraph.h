#pragma once

#include "Objects/Object.h"

#include <string>
#include <string_view>
#include <vector>

class UEdGraphNode;

/** An editor graph: its schema and its nodes, in the order they were added. Nodes live inside the graph. */
class UEdGraph : public UObject
{
	DECLARE_ENGINE_CLASS(UEdGraph, UObject, "/Script/Engine.EdGraph")

public:
	/** The schema class path, e.g. `/Script/BlueprintGraph.EdGraphSchema_K2`. */
	std::string Schema;

	const std::vector<UEdGraphNode*>& GetNodes() const { return Nodes; }
	/**
	 * A new node named WantedName, or WantedName with its number raised until no object in the
	 * graph has it; nullptr when the name is not a valid object name.
	 */
	UEdGraphNode* CreateNode(std::string_view WantedName);
	/** Breaks the node's links and takes it out of the graph; it is destroyed at the next garbage collection. */
	void RemoveNode(UEdGraphNode& Node);

private:
	std::string MakeUniqueNodeName(std::string_view WantedName) const;

	std::vector<UEdGraphNode*> Nodes;
};
