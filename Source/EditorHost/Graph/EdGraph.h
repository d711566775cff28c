#pragma once

#include "Core/Delegates.h"
#include "Objects/Object.h"

#include <string>
#include <string_view>
#include <vector>

class UClass;
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
	 * A new node of NodeClass (EdGraphNode when nullptr) named WantedName, or WantedName with its
	 * number raised until no object in the graph has it; nullptr when the name is not a valid
	 * object name or NodeClass is not a concrete node class.
	 */
	UEdGraphNode* CreateNode(std::string_view WantedName, UClass* NodeClass = nullptr);
	/** Breaks the node's links and takes it out of the graph; it is destroyed at the next garbage collection. */
	void RemoveNode(UEdGraphNode& Node);

	/** Fires when the graph's content changed as a whole (a paste, a refresh). */
	FSimpleMulticastDelegate OnGraphChanged;
	/** Tells the graph's listeners that its nodes changed. */
	void NotifyGraphChanged() { OnGraphChanged.Broadcast(); }

private:
	/** Whether a live object in the graph has the name; a removed node's name is free again. */
	bool IsNodeNameTaken(std::string_view Name) const;
	std::string MakeUniqueNodeName(std::string_view WantedName) const;

	std::vector<UEdGraphNode*> Nodes;
};
