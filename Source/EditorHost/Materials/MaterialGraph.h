#pragma once

#include "Graph/CopyPasteText.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Objects/WeakObjectPtr.h"

#include <optional>
#include <string>
#include <unordered_map>
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
	 * Brings the graph in line with the material and keeps the nodes that still show something:
	 * nodes whose expression or comment left the material go, expressions and comments without a
	 * node get one, every node takes its expression's position, and the links are made again.
	 */
	void RefreshGraph();
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

	/** The expressions the graph shows: the material's, or the function's; none when it has neither. */
	const std::vector<UMaterialExpression*>& GetMaterialExpressions() const;
	/** The editor comments the graph shows. */
	const std::vector<UMaterialExpressionComment*>& GetEditorComments() const;

private:
	class UMaterialGraphNode* AddExpressionNode(UMaterialExpression& Expression);
	class UMaterialGraphNode_Comment* AddCommentNode(UMaterialExpressionComment& Comment);
	void AddRootNode();
	/** A name for a new node of the class that no object inside the graph has, garbage included. */
	std::string MakeNewNodeName(const UClass& NodeClass);

	/** The number each node class's next name is tried with, so a rebuild names its nodes without searching. */
	std::unordered_map<std::string, int> NextNodeNumbers;
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

	/** The material graph the node is in; nullptr when it was pasted into another kind of graph. */
	UMaterialGraph* GetMaterialGraph() const;
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

	/** Makes the node show the expression: MaterialExpression, and the expression's GraphNode. */
	void SetMaterialExpression(UMaterialExpression* Expression);
	/**
	 * MaterialExpression while it is alive and not garbage, else nullptr: an expression removed
	 * from its material may be destroyed while the node still points at it.
	 */
	UMaterialExpression* GetLiveMaterialExpression() const;

	/**
	 * Makes the node's pins from its expression (replacing any it had): an input pin per input
	 * ("required" or "optional"), a pin per property the editor shows on the node (not
	 * connectable, holding the value), then an output pin per output ("" or "mask").
	 */
	virtual void AllocateDefaultPins();
	/** Writes the expression's current state into the node's copy-paste object (the editor's PrepareForCopying). */
	void PrepareForCopying();
	/** Undoes what PrepareForCopying changed on the node. */
	void PostCopyNode();

	/**
	 * Makes the expression from the nested object the pasted text holds, reads its body (its
	 * inputs read the expressions of the other pasted nodes they name) and mirrors the node's
	 * position into it; a node pasted into a material graph without pins gets its default pins.
	 */
	void PostPasteNode(const FEdGraphPastedNodes& PastedNodes) override;
	/**
	 * The expression of a pasted node, made from its nested object on first use but with its body
	 * not read yet, so that pasted nodes can refer to each other in any order; nullptr when the
	 * text holds no expression of a known expression class.
	 */
	UMaterialExpression* MakePastedExpression();
	/** The name the pasted text gave the node's expression; empty for a node not pasted. */
	const std::string& GetPastedExpressionName() const { return PastedExpressionName; }

private:
	/** The expression SetMaterialExpression was given, held weakly so the node can tell when it died. */
	TWeakObjectPtr<UMaterialExpression> ShownExpression;
	const UMaterialExpression* ShownExpressionPointer = nullptr;
	std::string PastedExpressionName;
	bool bPastedExpressionMade = false;
	/** The node's copy-paste object as it was before PrepareForCopying. */
	std::optional<FCopyPasteObject> ObjectBeforeCopy;
};

/** A reroute knot of a material graph, showing a reroute expression: one wildcard pin in, one out. */
class UMaterialGraphNode_Knot : public UMaterialGraphNode
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode_Knot, UMaterialGraphNode, "/Script/UnrealEd.MaterialGraphNode_Knot")

public:
	/** `InputPin` and `OutputPin`, both of category "wildcard". */
	void AllocateDefaultPins() override;
};

/** The node whose input pins are the material's property inputs ("Base Color", "Metallic"...). */
class UMaterialGraphNode_Root : public UMaterialGraphNode_Base
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode_Root, UMaterialGraphNode_Base, "/Script/UnrealEd.MaterialGraphNode_Root")

public:
	UMaterial* Material = nullptr;

	/** One "materialinput" pin per material property the editor shows, its sub-category the property's number. */
	void AllocateDefaultPins();
	/** A pasted root node shows the material of the graph it was pasted into. */
	void PostPasteNode(const FEdGraphPastedNodes& PastedNodes) override;
};

/** A node showing one editor comment of the material. */
class UMaterialGraphNode_Comment : public UEdGraphNode
{
	DECLARE_ENGINE_CLASS(UMaterialGraphNode_Comment, UEdGraphNode, "/Script/UnrealEd.MaterialGraphNode_Comment")

public:
	UMaterialExpressionComment* MaterialExpressionComment = nullptr;

	void SetMaterialExpressionComment(UMaterialExpressionComment* Comment);
	/** MaterialExpressionComment while it is alive and not garbage, else nullptr. */
	UMaterialExpressionComment* GetLiveMaterialExpressionComment() const;

	void PrepareForCopying();
	void PostCopyNode();

	/** Makes the comment from the nested object the pasted text holds and mirrors the node's position into it. */
	void PostPasteNode(const FEdGraphPastedNodes& PastedNodes) override;

private:
	TWeakObjectPtr<UMaterialExpressionComment> ShownComment;
	const UMaterialExpressionComment* ShownCommentPointer = nullptr;
	std::optional<FCopyPasteObject> ObjectBeforeCopy;
};
