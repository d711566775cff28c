#pragma once

#include "Blueprints/BlueprintEditorUtils.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialGraph.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <string>
#include <string_view>
#include <vector>

/** What a pasted graph holds: each node's name, class and pins, and each pin's links, in order. */
inline std::string DescribePastedNodes(const std::vector<UEdGraphNode*>& Nodes)
{
	std::string Description;
	for (const UEdGraphNode* const Node : Nodes)
	{
		Description += Node->GetName() + " " + Node->GetClass()->GetName() + " " + Node->NodeClassPath + "\n";
		for (const auto& Pin : Node->GetPins())
		{
			Description += "  " + Pin->PinName + (Pin->Direction == EEdGraphPinDirection::Input ? " in " : " out ") + Pin->PinType.PinCategory + " ->";
			for (const UEdGraphPin* const Linked : Pin->GetLinkedTo())
			{
				Description += " " + Linked->GetOwningNode().GetName() + "." + Linked->PinName;
			}
			Description += "\n";
		}
	}
	return Description;
}

/**
 * What pasting any text must give: no crash, and nodes that copy to text which pastes back to
 * the same nodes, pins and links. Returns an empty string when that holds, else what went wrong.
 */
inline std::string CheckImportRoundTrip(std::string_view Text)
{
	// Each graph lives in an object of its own, which also holds what its nodes make there (a
	// material node's expression), so collecting it leaves nothing behind.
	UObject* const FirstScope = NewObject<UObject>();
	UObject* const SecondScope = NewObject<UObject>();
	UEdGraph* const First = NewObject<UEdGraph>(FirstScope);
	const std::vector<UEdGraphNode*> Imported = ImportNodesFromText(*First, Text);
	const std::string Exported = ExportNodesToText(std::vector<const UEdGraphNode*>(Imported.begin(), Imported.end()));
	UEdGraph* const Second = NewObject<UEdGraph>(SecondScope);
	const std::vector<UEdGraphNode*> Reimported = ImportNodesFromText(*Second, Exported);
	const std::string Before = DescribePastedNodes(Imported);
	const std::string After = DescribePastedNodes(Reimported);
	FirstScope->MarkAsGarbage();
	SecondScope->MarkAsGarbage();
	CollectGarbage();
	if (After != Before)
	{
		return "the copied text does not paste back to the same nodes:\n" + Before + "---\n" + After;
	}
	return {};
}

/** What pasted material nodes hold beyond their pins: each expression's class and name, and what each of its inputs reads. */
inline std::string DescribePastedMaterialNodes(const std::vector<UEdGraphNode*>& Nodes)
{
	std::string Description = DescribePastedNodes(Nodes);
	for (const UEdGraphNode* const Node : Nodes)
	{
		const UMaterialExpression* Expression = nullptr;
		if (const auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node))
		{
			Expression = ExpressionNode->MaterialExpression;
		}
		else if (const auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node))
		{
			Expression = CommentNode->MaterialExpressionComment;
		}
		if (Expression == nullptr)
		{
			continue;
		}
		Description += Node->GetName() + " shows " + Expression->GetExpressionClassPath() + " " + Expression->GetName() + "\n";
		for (int32_t Index = 0; Index < Expression->CountInputs(); ++Index)
		{
			const FExpressionInput* const Input = Expression->GetInput(Index);
			Description += "  " + Expression->GetInputName(Index) + " <- " + (Input != nullptr && Input->Expression != nullptr ? Input->Expression->GetName() + ":" + std::to_string(Input->OutputIndex) : "nothing") + "\n";
		}
	}
	return Description;
}

/** Pastes into the material's own graph as the paste route does: the pasted expressions and comments join the material. */
inline std::vector<UEdGraphNode*> PasteIntoMaterialGraph(UMaterialGraph& Graph, std::string_view Text)
{
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, Text);
	for (UEdGraphNode* const Node : Nodes)
	{
		if (const auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node); ExpressionNode != nullptr && ExpressionNode->MaterialExpression != nullptr)
		{
			Graph.Material->GetExpressionCollection().AddExpression(ExpressionNode->MaterialExpression);
		}
		else if (const auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node); CommentNode != nullptr && CommentNode->MaterialExpressionComment != nullptr)
		{
			Graph.Material->GetExpressionCollection().AddComment(CommentNode->MaterialExpressionComment);
		}
	}
	return Nodes;
}

/** A material with its editor graph, inside Scope. */
inline UMaterialGraph* MakeScopedMaterialGraph(UObject& Scope)
{
	UMaterial* const Material = NewObject<UMaterial>(&Scope, "M_Pasted");
	auto* const Graph = Cast<UMaterialGraph>(FBlueprintEditorUtils::CreateNewGraph(Material, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass()));
	Graph->Material = Material;
	Material->MaterialGraph = Graph;
	Graph->RebuildGraph();
	return Graph;
}

/**
 * What pasting any text into a material must give: no crash, and nodes whose copy (the material
 * graph's, expressions written into their nodes) pastes back into another material to the same
 * nodes, pins, links, expressions and inputs. Linking, refreshing and compiling the material
 * afterwards must not crash either. Empty when that holds, else what went wrong.
 */
inline std::string CheckMaterialImportRoundTrip(std::string_view Text)
{
	UObject* const FirstScope = NewObject<UObject>();
	UObject* const SecondScope = NewObject<UObject>();
	UMaterialGraph* const First = MakeScopedMaterialGraph(*FirstScope);
	const std::vector<UEdGraphNode*> Imported = PasteIntoMaterialGraph(*First, Text);
	const std::string Exported = First->ExportNodesAsText(std::vector<const UEdGraphNode*>(Imported.begin(), Imported.end()));
	UMaterialGraph* const Second = MakeScopedMaterialGraph(*SecondScope);
	const std::vector<UEdGraphNode*> Reimported = PasteIntoMaterialGraph(*Second, Exported);
	const std::string Before = DescribePastedMaterialNodes(Imported);
	const std::string After = DescribePastedMaterialNodes(Reimported);
	First->LinkGraphNodesFromMaterial();
	UMaterialEditingLibrary::RecompileMaterial(First->Material);
	First->ExportNodesAsText(std::vector<const UEdGraphNode*>(First->GetNodes().begin(), First->GetNodes().end()));
	FirstScope->MarkAsGarbage();
	SecondScope->MarkAsGarbage();
	CollectGarbage();
	if (After != Before)
	{
		return "the material graph's copy does not paste back to the same nodes:\n" + Before + "---\n" + After;
	}
	return {};
}
