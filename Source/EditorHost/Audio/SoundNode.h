#pragma once

#include "Objects/Object.h"

#include <cstdint>
#include <span>
#include <vector>

/**
 * One node of a sound cue's graph, living inside its cue. A node plays or
 * shapes the sound of its child nodes. Asset fields (inside the cue's "nodes"
 * entry): "name", "class", "children" (names of other nodes of the same cue,
 * in input order; an empty name is an unconnected input), then the kind's own.
 *
 * Durations and distances are asked of the cue, which walks the graph once
 * and hands each node the values of its children, so a graph with a loop in
 * it cannot make the walk run forever.
 */
class USoundNode : public UObject
{
	DECLARE_ENGINE_CLASS(USoundNode, UObject, "/Script/Engine.SoundNode")

public:
	/** The inputs that hold no more nodes than this (the editor's limit for most kinds). */
	static constexpr int32_t MaxAllowedChildNodes = 32;

	/** The inputs, in order; an entry may be nullptr (an unconnected input). */
	std::vector<USoundNode*> ChildNodes;

	/** How many inputs this kind of node reads. */
	virtual int32_t GetMaxChildNodes() const { return 1; }
	/** This node's duration in seconds given its children's: by default the longest of them. */
	virtual float GetDuration(std::span<const float> ChildDurations) const;
	/** The distance at which this node stops being audible given its children's: by default the farthest of them. */
	virtual float GetMaxDistance(std::span<const float> ChildMaxDistances) const;

	/** Writes "children" by name; the cue reads them, once every node of the graph exists. */
	void SaveAssetFields(FJsonObject& OutEntry) const override;
};
