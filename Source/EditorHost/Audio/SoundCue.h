#pragma once

#include "Audio/SoundBase.h"
#include "Core/JsonValue.h"

#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class USoundNode;

/**
 * A sound built from a graph of sound nodes that live inside the cue. Asset
 * fields: "firstNode" (the name of the node the cue plays, optional) and
 * "nodes" (every node of the graph, see USoundNode). Duration and audible
 * distance are worked out from the graph each time they are asked for, as the
 * editor does.
 */
class USoundCue : public USoundBase
{
	DECLARE_ENGINE_CLASS(USoundCue, USoundBase, "/Script/Engine.SoundCue")

public:
	USoundNode* FirstNode = nullptr;

	/** Every node of the graph in file order, reachable from FirstNode or not. */
	const std::vector<USoundNode*>& GetAllNodes() const { return AllNodes; }

	/** The duration of the first node's sound (0 without one); IndefinitelyLoopingDuration when it loops forever. */
	float GetDuration() const override;
	/** The farthest distance any node of the graph is audible at; the world limit when no node sets one. */
	float GetMaxDistance() const override;

	/**
	 * Adds Node and every node reachable from it (through each node's first
	 * GetMaxChildNodes inputs) to OutNodes, depth first, each once. A node met
	 * again is not walked again, so loops in the graph end.
	 */
	static void RecursiveFindAllNodes(USoundNode* Node, std::vector<USoundNode*>& OutNodes);

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	using FNodeRule = float (USoundNode::*)(std::span<const float>) const;
	/** Applies Rule from the leaves up to FirstNode, each node once; an input that leads back into the walk counts as 0. */
	float EvaluateFromFirstNode(FNodeRule Rule) const;
	using FNodesByName = std::unordered_map<std::string, USoundNode*>;
	bool LoadNodes(const FJsonValueArray& Entries, FNodesByName& OutNodesByName, std::string& OutError);
	bool LinkNodes(const FJsonObject& File, const FNodesByName& NodesByName, std::string& OutError);

	std::vector<USoundNode*> AllNodes;
};
