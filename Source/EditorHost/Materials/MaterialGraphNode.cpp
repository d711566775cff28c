#include "Materials/Material.h"
#include "Materials/MaterialExpression.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraph.h"
#include "Materials/MaterialGraphPins.h"
#include "Materials/MaterialNodeCopy.h"
#include "Materials/MaterialNodeText.h"

namespace
{
	void RemoveAllPins(UEdGraphNode& Node)
	{
		while (!Node.GetPins().empty())
		{
			Node.RemovePin(*Node.GetPins().back());
		}
	}
}

std::vector<UEdGraphPin*> UMaterialGraphNode_Base::GetInputPins() const
{
	std::vector<UEdGraphPin*> Pins;
	for (const auto& Pin : GetPins())
	{
		if (Pin->Direction == EEdGraphPinDirection::Input && !Pin->bNotConnectable)
		{
			Pins.push_back(Pin.get());
		}
	}
	return Pins;
}

std::vector<UEdGraphPin*> UMaterialGraphNode_Base::GetOutputPins() const
{
	std::vector<UEdGraphPin*> Pins;
	for (const auto& Pin : GetPins())
	{
		if (Pin->Direction == EEdGraphPinDirection::Output)
		{
			Pins.push_back(Pin.get());
		}
	}
	return Pins;
}

UMaterialGraph* UMaterialGraphNode_Base::GetMaterialGraph() const
{
	return Cast<UMaterialGraph>(GetOuter());
}

void UMaterialGraphNode::SetMaterialExpression(UMaterialExpression* Expression)
{
	MaterialExpression = Expression;
	ShownExpression = Expression;
	ShownExpressionPointer = Expression;
	if (Expression != nullptr)
	{
		Expression->GraphNode = this;
	}
}

UMaterialExpression* UMaterialGraphNode::GetLiveMaterialExpression() const
{
	// A pointer set here is checked through its weak reference, never read; one set from outside is taken as given.
	if (MaterialExpression == ShownExpressionPointer)
	{
		return ShownExpression.Get();
	}
	return IsValid(MaterialExpression) ? MaterialExpression : nullptr;
}

void UMaterialGraphNode::AllocateDefaultPins()
{
	RemoveAllPins(*this);
	if (MaterialExpression == nullptr)
	{
		return;
	}
	for (const FMaterialPinSpec& Spec : MakeExpressionPinSpecs(*MaterialExpression))
	{
		CreateMaterialPin(*this, Spec);
	}
}

UMaterialExpression* UMaterialGraphNode::MakePastedExpression()
{
	if (bPastedExpressionMade)
	{
		return MaterialExpression;
	}
	bPastedExpressionMade = true;
	const FCopyPasteObject* const Object = MaterialNodeText::FindExpressionObject(KeptObject, MaterialNodeText::ExpressionProperty);
	UObject* const Graph = GetOuter();
	UObject* const Outer = Graph != nullptr ? Graph->GetOuter() : nullptr;
	if (Object == nullptr || Outer == nullptr)
	{
		return nullptr;
	}
	// A class this host does not know gives a plain expression that keeps the class text and every line.
	UMaterialExpression* const Expression = NewMaterialExpression(Outer, Object->Class, Object->Name);
	if (Expression == nullptr)
	{
		return nullptr;
	}
	SetMaterialExpression(Expression);
	PastedExpressionName = Object->Name;
	Expression->Material = Cast<UMaterial>(Outer);
	Expression->Function = Cast<UMaterialFunction>(Outer);
	return Expression;
}

void UMaterialGraphNode::PostPasteNode(const FEdGraphPastedNodes& PastedNodes)
{
	UMaterialExpression* const Expression = MakePastedExpression();
	if (Expression != nullptr)
	{
		// References name the other pasted nodes as the text called them: `<Node>.<Expression>`.
		const auto Resolve = [&PastedNodes](std::string_view Reference) -> UMaterialExpression* {
			const std::optional<MaterialNodeText::FPastedReference> Named = MaterialNodeText::ParsePastedReference(Reference);
			auto* const Node = Named ? Cast<UMaterialGraphNode>(PastedNodes.FindByTextName(Named->NodeName)) : nullptr;
			UMaterialExpression* const Found = Node != nullptr ? Node->MakePastedExpression() : nullptr;
			return Found != nullptr && Node->GetPastedExpressionName() == Named->ExpressionName ? Found : nullptr;
		};
		Expression->ReadExpressionBody(*MaterialNodeText::FindExpressionObject(KeptObject, MaterialNodeText::ExpressionProperty), Resolve);
		Expression->MaterialExpressionEditorX = NodePosX;
		Expression->MaterialExpressionEditorY = NodePosY;
	}
	// Text without pin lines gives a material graph's node its default pins; in another graph it stays as read.
	if (GetPins().empty() && GetMaterialGraph() != nullptr)
	{
		AllocateDefaultPins();
	}
}

void UMaterialGraphNode::PrepareForCopying()
{
	UMaterialExpression* const Expression = GetLiveMaterialExpression();
	if (Expression == nullptr)
	{
		return;
	}
	ObjectBeforeCopy = KeptObject;
	const bool bMadeInCode = KeptObject.Class.empty();
	if (bMadeInCode)
	{
		KeptObject = MaterialNodeCopy::MakeNodeObject(*this);
	}
	// A pasted node names the material its text named; one made here names the editor's preview of the material.
	const FCopyPasteObject* const Kept = MaterialNodeText::FindExpressionObject(KeptObject, MaterialNodeText::ExpressionProperty);
	const FCopyPasteProperty* const KeptMaterial = Kept != nullptr ? Kept->FindProperty("Material") : nullptr;
	const std::string MaterialReference = Kept != nullptr ? (KeptMaterial != nullptr ? KeptMaterial->Value : std::string()) : MaterialNodeCopy::PreviewMaterialReference(*this);
	MaterialNodeCopy::WriteExpressionObject(*this, KeptObject, MaterialNodeText::ExpressionProperty, *Expression, MaterialReference);
	if (bMadeInCode)
	{
		MaterialNodeCopy::FNodePropertyLines Lines;
		if (IsA<UMaterialGraphNode_Knot>())
		{
			Lines.BeforeComment.push_back({"bCanRenameNode", std::nullopt, "False"});
		}
		MaterialNodeCopy::AddNodeProperties(*this, KeptObject, Lines);
		MaterialNodeCopy::AddPinSlots(*this, KeptObject);
	}
}

void UMaterialGraphNode::PostCopyNode()
{
	if (ObjectBeforeCopy)
	{
		KeptObject = std::move(*ObjectBeforeCopy);
		ObjectBeforeCopy.reset();
	}
}

void UMaterialGraphNode_Knot::AllocateDefaultPins()
{
	RemoveAllPins(*this);
	FMaterialPinSpec Input;
	Input.PinName = "InputPin";
	Input.PinCategory = std::string(MaterialPinCategory::Wildcard);
	Input.bDefaultValueIsIgnored = true;
	CreateMaterialPin(*this, Input);
	FMaterialPinSpec Output;
	Output.PinName = "OutputPin";
	Output.Direction = EEdGraphPinDirection::Output;
	Output.PinCategory = std::string(MaterialPinCategory::Wildcard);
	CreateMaterialPin(*this, Output);
}
