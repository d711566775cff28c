#pragma once

#include "Graph/CopyPasteText.h"

class UEdGraphNode;

/** Reads a property the node types (NodePosX, NodeGuid, NodeComment, ...); false for any other. */
bool ReadEdGraphNodeProperty(UEdGraphNode& Node, const FCopyPasteProperty& Property);

/**
 * Writes the node's typed properties into Object (a copy of the node's kept object): lines whose
 * value still means the same are left as written, changed ones are rewritten, and values that
 * were absent and are no longer the default are added.
 */
void WriteEdGraphNodeProperties(const UEdGraphNode& Node, FCopyPasteObject& Object);

/** Whether WriteEdGraphNodeProperties would leave Object as it is. */
bool HasEdGraphNodeProperties(const UEdGraphNode& Node, const FCopyPasteObject& Object);
