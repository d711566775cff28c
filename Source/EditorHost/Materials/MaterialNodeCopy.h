#pragma once

#include "Graph/CopyPasteText.h"

#include <string>
#include <string_view>
#include <vector>

class UEdGraphNode;
class UMaterialExpression;

/**
 * How a material graph node is written when it is copied: the node's copy-paste object with its
 * expression as the nested object, declared and then defined as the editor writes it.
 */
namespace MaterialNodeCopy
{
	/**
	 * The start of the copy-paste object of a node made in code (not pasted): its class, name and
	 * an ExportPath as the editor's copies have one, `/Engine/Transient.<Asset>:<Graph>.<Node>`
	 * (the editor copies from its preview of the asset there).
	 */
	FCopyPasteObject MakeNodeObject(const UEdGraphNode& Node);

	/** `/Script/UnrealEd.PreviewMaterial'"/Engine/Transient.<Asset>"'`: the material the editor's copies name on their expressions. */
	std::string PreviewMaterialReference(const UEdGraphNode& Node);

	/**
	 * Writes Expression as the nested object of NodeObject that the ReferenceProperty line names:
	 * its body as the expression writes it (its position mirrored from the node, references named
	 * `<GraphNode>.<Expression>`, MaterialReference on its `Material=` line when not empty), under
	 * its current name. The nested object keeps its class text, its form (declared and defined,
	 * or one block) and its ExportPath spelling; an ExportPath that no longer names the node's
	 * expression is made again below the node's. Without a nested object one is added, declared
	 * and defined, before the node's properties, and so is the reference line.
	 */
	void WriteExpressionObject(const UEdGraphNode& Node, FCopyPasteObject& NodeObject, std::string_view ReferenceProperty, UMaterialExpression& Expression,
		std::string_view MaterialReference);

	/** Adds `Name=Value` to the end of the object's property lines (before any pin line). */
	void AddNodeProperty(FCopyPasteObject& NodeObject, std::string_view Name, std::string Value);

	/** What a kind of node writes beyond the properties every node has. */
	struct FNodePropertyLines
	{
		/** Comment boxes write both comment bubble flags, also when they are off. */
		bool bBubbleFlagsAlways = false;
		/** Lines of the node's class written between the bubble flags and the comment (a knot's `bCanRenameNode=False`). */
		std::vector<FCopyPasteProperty> BeforeComment;
	};

	/**
	 * Adds the node's own properties in the order the editor writes them after its expression:
	 * position, size, comment bubble flags, comment and NodeGuid, each only when it is not the default.
	 */
	void AddNodeProperties(const UEdGraphNode& Node, FCopyPasteObject& NodeObject, const FNodePropertyLines& Lines = {});

	/** Adds a pin line slot per pin of the node, so the exporter writes the node's pins there. */
	void AddPinSlots(const UEdGraphNode& Node, FCopyPasteObject& NodeObject);
}
