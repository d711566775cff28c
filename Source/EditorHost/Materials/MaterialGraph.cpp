#include "Materials/MaterialGraph.h"

#include "Graph/EdGraphCopyPaste.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Objects/Class.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>
#include <utility>

namespace
{
	/**
	 * The output an input reads, as the editor finds it: its output index when that is valid,
	 * else (older inputs saved only a mask) the output with the same mask, else the last output.
	 */
	int32_t GetValidOutputIndex(const FExpressionInput& Input)
	{
		const std::vector<FExpressionOutput> Outputs = Input.Expression->GetOutputs();
		if (Outputs.empty())
		{
			return 0;
		}
		const bool bOutputIndexIsValid = Input.OutputIndex >= 0 && static_cast<std::size_t>(Input.OutputIndex) < Outputs.size() && (Input.OutputIndex != 0 || Input.Mask == 0);
		for (std::size_t Index = 0; Index < Outputs.size(); ++Index)
		{
			const FExpressionOutput& Output = Outputs[Index];
			const bool bSameMask = Output.Mask == Input.Mask && Output.MaskR == Input.MaskR && Output.MaskG == Input.MaskG && Output.MaskB == Input.MaskB && Output.MaskA == Input.MaskA;
			if (bOutputIndexIsValid ? static_cast<int32_t>(Index) == Input.OutputIndex : bSameMask)
			{
				return static_cast<int32_t>(Index);
			}
		}
		return static_cast<int32_t>(Outputs.size()) - 1;
	}

	/** The material property a root pin stands for: its sub-category holds the property's number. */
	std::optional<EMaterialProperty> RootPinProperty(const UEdGraphPin& Pin)
	{
		const std::string& Text = Pin.PinType.PinSubCategory;
		int Number = -1;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
		if (Error != std::errc() || End != Text.data() + Text.size() || Number < 0 || Number >= MP_MAX)
		{
			return std::nullopt;
		}
		return static_cast<EMaterialProperty>(Number);
	}

	/** Links Input's pin to the output pin of the expression it reads, when that expression has a node in the graph. */
	template <typename TNodeOf>
	void LinkInput(UEdGraphPin& InputPin, const FExpressionInput& Input, const TNodeOf& NodeOf)
	{
		UMaterialGraphNode* const Source = Input.Expression != nullptr ? NodeOf(Input.Expression) : nullptr;
		if (Source == nullptr)
		{
			return;
		}
		const std::vector<UEdGraphPin*> Outputs = Source->GetOutputPins();
		if (!Outputs.empty())
		{
			InputPin.MakeLinkTo(*Outputs[std::min<std::size_t>(static_cast<std::size_t>(GetValidOutputIndex(Input)), Outputs.size() - 1)]);
		}
	}
}

const std::vector<UMaterialExpression*>& UMaterialGraph::GetMaterialExpressions() const
{
	static const std::vector<UMaterialExpression*> None;
	if (Material != nullptr)
	{
		return Material->GetExpressions();
	}
	return MaterialFunction != nullptr ? MaterialFunction->FunctionExpressions : None;
}

const std::vector<UMaterialExpressionComment*>& UMaterialGraph::GetEditorComments() const
{
	static const std::vector<UMaterialExpressionComment*> None;
	if (Material != nullptr)
	{
		return Material->GetExpressionCollection().EditorComments;
	}
	return MaterialFunction != nullptr ? MaterialFunction->FunctionEditorComments : None;
}

std::string UMaterialGraph::MakeNewNodeName(const UClass& NodeClass)
{
	int& Next = NextNodeNumbers[NodeClass.GetName()];
	for (;; ++Next)
	{
		std::string Name = NodeClass.GetName() + "_" + std::to_string(Next);
		if (FindInnerObject(Name) == nullptr)
		{
			++Next;
			return Name;
		}
	}
}

UMaterialGraphNode* UMaterialGraph::AddExpressionNode(UMaterialExpression& Expression)
{
	UClass* const NodeClass = Expression.IsA<UMaterialExpressionReroute>() ? UMaterialGraphNode_Knot::StaticClass() : UMaterialGraphNode::StaticClass();
	auto* const Node = Cast<UMaterialGraphNode>(CreateNode(MakeNewNodeName(*NodeClass), NodeClass));
	if (Node == nullptr)
	{
		return nullptr;
	}
	Node->NodeClassPath = NodeClass->GetPathName();
	Node->NodeGuid = FGuid::NewGuid();
	Node->NodePosX = Expression.MaterialExpressionEditorX;
	Node->NodePosY = Expression.MaterialExpressionEditorY;
	Node->NodeComment = Expression.Desc;
	Node->bCommentBubbleVisible = Expression.GetKeptPropertyText("bCommentBubbleVisible") == "True";
	Node->SetMaterialExpression(&Expression);
	Node->AllocateDefaultPins();
	return Node;
}

UMaterialGraphNode_Comment* UMaterialGraph::AddCommentNode(UMaterialExpressionComment& Comment)
{
	UClass* const NodeClass = UMaterialGraphNode_Comment::StaticClass();
	auto* const Node = Cast<UMaterialGraphNode_Comment>(CreateNode(MakeNewNodeName(*NodeClass), NodeClass));
	if (Node == nullptr)
	{
		return nullptr;
	}
	Node->NodeClassPath = NodeClass->GetPathName();
	Node->NodeGuid = FGuid::NewGuid();
	Node->NodePosX = Comment.MaterialExpressionEditorX;
	Node->NodePosY = Comment.MaterialExpressionEditorY;
	Node->NodeWidth = Comment.GetSizeX();
	Node->NodeHeight = Comment.GetSizeY();
	Node->NodeComment = Comment.GetText();
	Node->SetMaterialExpressionComment(&Comment);
	return Node;
}

void UMaterialGraph::AddRootNode()
{
	UClass* const NodeClass = UMaterialGraphNode_Root::StaticClass();
	auto* const Root = Cast<UMaterialGraphNode_Root>(CreateNode(MakeNewNodeName(*NodeClass), NodeClass));
	if (Root == nullptr)
	{
		return;
	}
	Root->NodeClassPath = NodeClass->GetPathName();
	Root->NodeGuid = FGuid::NewGuid();
	Root->Material = Material;
	Root->AllocateDefaultPins();
	RootNode = Root;
}

void UMaterialGraph::RebuildGraph()
{
	for (UEdGraphNode* const Node : std::vector<UEdGraphNode*>(GetNodes()))
	{
		RemoveNode(*Node);
	}
	RootNode = nullptr;
	for (UMaterialExpression* const Expression : GetMaterialExpressions())
	{
		if (auto* const Comment = Cast<UMaterialExpressionComment>(Expression); IsValid(Comment))
		{
			AddCommentNode(*Comment);
		}
		else if (IsValid(Expression))
		{
			AddExpressionNode(*Expression);
		}
	}
	for (UMaterialExpressionComment* const Comment : GetEditorComments())
	{
		if (IsValid(Comment))
		{
			AddCommentNode(*Comment);
		}
	}
	if (Material != nullptr)
	{
		AddRootNode();
	}
	LinkGraphNodesFromMaterial();
}

void UMaterialGraph::RefreshGraph()
{
	const std::unordered_set<const UMaterialExpression*> Expressions(GetMaterialExpressions().begin(), GetMaterialExpressions().end());
	std::unordered_set<const UMaterialExpressionComment*> Comments(GetEditorComments().begin(), GetEditorComments().end());
	for (UMaterialExpression* const Expression : GetMaterialExpressions())
	{
		if (auto* const Comment = Cast<UMaterialExpressionComment>(Expression))
		{
			Comments.insert(Comment);
		}
	}
	// Pointers are compared before anything is read through them: a node may outlive its expression.
	std::unordered_set<const UMaterialExpressionComment*> ShownComments;
	bool bRootKept = false;
	for (UEdGraphNode* const Node : std::vector<UEdGraphNode*>(GetNodes()))
	{
		bool bKeep = true;
		if (auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node))
		{
			UMaterialExpression* const Expression = ExpressionNode->MaterialExpression;
			bKeep = Expressions.contains(Expression) && IsValid(Expression) && Expression->GraphNode == ExpressionNode;
			if (bKeep)
			{
				Node->NodePosX = Expression->MaterialExpressionEditorX;
				Node->NodePosY = Expression->MaterialExpressionEditorY;
			}
		}
		else if (auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node))
		{
			UMaterialExpressionComment* const Comment = CommentNode->MaterialExpressionComment;
			bKeep = Comments.contains(Comment) && IsValid(Comment) && ShownComments.insert(Comment).second;
			if (bKeep)
			{
				Node->NodePosX = Comment->MaterialExpressionEditorX;
				Node->NodePosY = Comment->MaterialExpressionEditorY;
			}
		}
		else if (Node == RootNode)
		{
			bKeep = Material != nullptr;
			bRootKept = bKeep;
		}
		if (!bKeep)
		{
			RemoveNode(*Node);
		}
	}
	const std::unordered_set<const UEdGraphNode*> Kept(GetNodes().begin(), GetNodes().end());
	for (UMaterialExpression* const Expression : GetMaterialExpressions())
	{
		if (auto* const Comment = Cast<UMaterialExpressionComment>(Expression); IsValid(Comment))
		{
			if (ShownComments.insert(Comment).second)
			{
				AddCommentNode(*Comment);
			}
		}
		else if (IsValid(Expression) && !(Kept.contains(Expression->GraphNode) && Expression->GraphNode->MaterialExpression == Expression))
		{
			AddExpressionNode(*Expression);
		}
	}
	for (UMaterialExpressionComment* const Comment : GetEditorComments())
	{
		if (IsValid(Comment) && ShownComments.insert(Comment).second)
		{
			AddCommentNode(*Comment);
		}
	}
	if (!bRootKept)
	{
		RootNode = nullptr;
		if (Material != nullptr)
		{
			AddRootNode();
		}
	}
	LinkGraphNodesFromMaterial();
}

void UMaterialGraph::LinkGraphNodesFromMaterial()
{
	for (UEdGraphNode* const Node : GetNodes())
	{
		for (const auto& Pin : Node->GetPins())
		{
			Pin->BreakAllPinLinks();
		}
	}
	const std::unordered_set<const UEdGraphNode*> InGraph(GetNodes().begin(), GetNodes().end());
	const std::unordered_set<const UMaterialExpression*> InMaterial(GetMaterialExpressions().begin(), GetMaterialExpressions().end());
	// An expression's node, when the expression is one of the material's and its node is in this
	// graph and still shows it. Pointers are compared before they are followed: an input may still
	// name an expression that was removed and destroyed.
	const auto NodeOf = [&InGraph, &InMaterial](const UMaterialExpression* Expression) -> UMaterialGraphNode* {
		if (!InMaterial.contains(Expression) || !IsValid(Expression))
		{
			return nullptr;
		}
		UMaterialGraphNode* const Node = Expression->GraphNode;
		return InGraph.contains(Node) && Node->MaterialExpression == Expression ? Node : nullptr;
	};
	if (Material != nullptr && InGraph.contains(RootNode))
	{
		for (UEdGraphPin* const Pin : RootNode->GetInputPins())
		{
			const std::optional<EMaterialProperty> Property = RootPinProperty(*Pin);
			const FExpressionInput* const Input = Property ? Material->GetExpressionInputForProperty(*Property) : nullptr;
			if (Input != nullptr)
			{
				LinkInput(*Pin, *Input, NodeOf);
			}
		}
	}
	for (UMaterialExpression* const Expression : GetMaterialExpressions())
	{
		UMaterialGraphNode* const Node = NodeOf(Expression);
		if (Node == nullptr)
		{
			continue;
		}
		const std::vector<UEdGraphPin*> Pins = Node->GetInputPins();
		const std::size_t Count = std::min(Pins.size(), static_cast<std::size_t>(std::max(Expression->CountInputs(), 0)));
		for (std::size_t Index = 0; Index < Count; ++Index)
		{
			if (const FExpressionInput* const Input = std::as_const(*Expression).GetInput(static_cast<int32_t>(Index)))
			{
				LinkInput(*Pins[Index], *Input, NodeOf);
			}
		}
	}
	NotifyGraphChanged();
}

std::string UMaterialGraph::ExportNodesAsText(const std::vector<const UEdGraphNode*>& Nodes) const
{
	// Only the graph's own nodes are prepared; they are reached through the graph, which may change them.
	const std::unordered_set<const UEdGraphNode*> Wanted(Nodes.begin(), Nodes.end());
	std::vector<UEdGraphNode*> Prepared;
	for (UEdGraphNode* const Node : GetNodes())
	{
		if (!Wanted.contains(Node))
		{
			continue;
		}
		if (auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node))
		{
			ExpressionNode->PrepareForCopying();
		}
		else if (auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node))
		{
			CommentNode->PrepareForCopying();
		}
		Prepared.push_back(Node);
	}
	std::string Text = ExportNodesToText(Nodes);
	for (UEdGraphNode* const Node : Prepared)
	{
		if (auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node))
		{
			ExpressionNode->PostCopyNode();
		}
		else if (auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node))
		{
			CommentNode->PostCopyNode();
		}
	}
	return Text;
}
