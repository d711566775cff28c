#pragma once

#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"

#include <string>
#include <vector>

class UMaterial;
class UMaterialExpression;
class UMaterialExpressionComment;
class UMaterialFunction;

/**
 * The editor graph of a material (or material function): one UMaterialGraphNode per expression,
 * one UMaterialGraphNode_Comment per editor comment and, for a material, one root node whose
 * input pins are the material's property inputs. The material is the truth; the graph shows it.
 * Made with FBlueprintEditorUtils::CreateNewGraph (class UMaterialGraph, schema
 * UMaterialGraphSchema) inside the material, and never saved.
 */
class UMaterialGraph : public UEdGraph
{
	DECLARE_ENGINE_CLASS(UMaterialGraph, UEdGraph, "/Script/UnrealEd.MaterialGraph")

public:
	UMaterial* Material = nullptr;
	UMaterialFunction* MaterialFunction = nullptr;
	/** The root node (nullptr for a function's graph, or before RebuildGraph). */
	class UMaterialGraphNode_Root* RootNode = nullptr;

	/** Removes every node and makes them again from the material: expressions, comments, the root, then the links. */
	void RebuildGraph();
	/**
	 * Breaks every link of the graph's nodes and makes them again from the expressions' inputs
	 * and the material's property inputs (each input pin to the output pin of the expression
	 * output it reads).
	 */
	void LinkGraphNodesFromMaterial();
	/**
	 * The graph's nodes as the editor's copy-paste text: each node prepared for copying (its
	 * expression written into it as a nested object), exported, then restored.
	 */
	std::string ExportNodesAsText(const std::vector<const UEdGraphNode*>& Nodes) const;
};

/** The schema class the material editor gives its graphs. */
class UMaterialGraphSchema : public UObject
{
	DECLARE_ENGINE_CLASS(UMaterialGraphSchema, UObject, "/Script/UnrealEd.MaterialGraphSchema")
};

/** What every material graph node has. */
class UMaterialGraphNode_Base : public UEdGraphNode
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode_Base, UEdGraphNode, "/Script/UnrealEd.MaterialGraphNode_Base")

public:
	/** The input pins that can be linked, in order (property pins, which are not connectable, left out). */
	std::vector<UEdGraphPin*> GetInputPins() const;
	std::vector<UEdGraphPin*> GetOutputPins() const;
};

/**
 * A node showing one expression. Pasted from text, it makes its expression from the nested
 * object the text holds (inside the graph's outer) and keeps every line of it that it does not
 * model; copying writes the expression back as that nested object.
 */
class UMaterialGraphNode : public UMaterialGraphNode_Base
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode, UMaterialGraphNode_Base, "/Script/UnrealEd.MaterialGraphNode")

public:
	UMaterialExpression* MaterialExpression = nullptr;

	/** Makes the node's pins from its expression's inputs, property pins and outputs. */
	void AllocateDefaultPins();
	/** Writes the expression's current state into the node's copy-paste object (the editor's PrepareForCopying). */
	void PrepareForCopying();
	/** Undoes what PrepareForCopying changed on the node. */
	void PostCopyNode();
};

/** The node whose input pins are the material's property inputs ("Base Color", "Metallic"...). */
class UMaterialGraphNode_Root : public UMaterialGraphNode_Base
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode_Root, UMaterialGraphNode_Base, "/Script/UnrealEd.MaterialGraphNode_Root")

public:
	UMaterial* Material = nullptr;
};

/** A node showing one editor comment of the material. */
class UMaterialGraphNode_Comment : public UEdGraphNode
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode_Comment, UEdGraphNode, "/Script/UnrealEd.MaterialGraphNode_Comment")

public:
	UMaterialExpressionComment* MaterialExpressionComment = nullptr;

	void PrepareForCopying();
	void PostCopyNode();
};
