#include "ControlRig/RigVMController.h"

#include "ControlRig/RigUnitRegistry.h"
#include "ControlRig/RigVMGraph.h"
#include "ControlRig/RigVMPinValues.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace
{
	bool IsOutputDirection(ERigVMPinDirection Direction)
	{
		return Direction == ERigVMPinDirection::Output || Direction == ERigVMPinDirection::IO;
	}

	bool IsInputDirection(ERigVMPinDirection Direction)
	{
		return Direction == ERigVMPinDirection::Input || Direction == ERigVMPinDirection::IO;
	}

	/** Whether A is B or a pin of B's sub-pin tree, or the other way round: a value reaches a pin from one place only. */
	bool IsSameValue(const URigVMPin& A, const URigVMPin& B)
	{
		const auto IsWithin = [](const URigVMPin* Pin, const URigVMPin& Ancestor) {
			for (; Pin != nullptr; Pin = Pin->GetParentPin())
			{
				if (Pin == &Ancestor)
				{
					return true;
				}
			}
			return false;
		};
		return IsWithin(&A, B) || IsWithin(&B, A);
	}
}

URigVMNode* URigVMController::CreateNode(UClass& Class, std::string_view Name, std::string_view FallbackName)
{
	const std::string Base(IsValidRigVMName(Name) ? Name : FallbackName);
	// A removed node still holds its name until the next collection; the new node takes another.
	std::string Candidate = Base;
	for (int32_t Suffix = 1; Graph->FindInnerObject(Candidate) != nullptr; ++Suffix)
	{
		Candidate = Base + "_" + std::to_string(Suffix);
	}
	URigVMNode* Node = NewObject<URigVMNode>(Graph, &Class, Candidate);
	if (Node != nullptr)
	{
		Graph->Nodes.push_back(Node);
	}
	return Node;
}

URigVMUnitNode* URigVMController::AddUnitNodeFromStructPath(std::string_view ScriptStructPath, std::string_view Method, const FVector2D& Position, std::string_view NodeName)
{
	const FRigUnitDeclaration* Unit = FindRigUnitDeclaration(ScriptStructPath);
	if (Graph == nullptr || Unit == nullptr)
	{
		return nullptr;
	}
	const std::string_view StructName = Unit->GetStructName();
	URigVMUnitNode* Node = Cast<URigVMUnitNode>(CreateNode(*URigVMUnitNode::StaticClass(), NodeName.empty() ? StructName : NodeName, StructName));
	if (Node == nullptr)
	{
		return nullptr;
	}
	Node->ScriptStructPath = Unit->ScriptStructPath;
	Node->MethodName = Method.empty() ? std::string("Execute") : std::string(Method);
	Node->Position = Position;
	for (const FRigUnitPinDeclaration& Declared : Unit->Pins)
	{
		if (URigVMPin* Pin = CreateRigVMPin(*Node, Declared.Name, Declared.Direction, Declared.CPPType, Declared.DefaultValue))
		{
			Node->Pins.push_back(Pin);
		}
	}
	Graph->MarkPackageDirty();
	return Node;
}

bool URigVMController::IsReachable(const URigVMNode& From, const URigVMNode& To) const
{
	std::unordered_map<const URigVMNode*, std::vector<const URigVMNode*>> Successors;
	for (const URigVMLink* Link : Graph->Links)
	{
		Successors[Link->SourcePin->GetNode()].push_back(Link->TargetPin->GetNode());
	}
	std::vector<const URigVMNode*> Pending{&From};
	std::unordered_set<const URigVMNode*> Seen{&From};
	while (!Pending.empty())
	{
		const URigVMNode* Node = Pending.back();
		Pending.pop_back();
		if (Node == &To)
		{
			return true;
		}
		for (const URigVMNode* Next : Successors[Node])
		{
			if (Seen.insert(Next).second)
			{
				Pending.push_back(Next);
			}
		}
	}
	return false;
}

std::optional<std::string> URigVMController::CheckLink(const URigVMPin& OutputPin, const URigVMPin& InputPin) const
{
	const URigVMNode* OutputNode = OutputPin.GetNode();
	const URigVMNode* InputNode = InputPin.GetNode();
	if (OutputNode == nullptr || InputNode == nullptr || OutputNode->GetOuter() != Graph || InputNode->GetOuter() != Graph || !IsValid(OutputNode) || !IsValid(InputNode))
	{
		return "a pin is not in this graph";
	}
	if (!IsOutputDirection(OutputPin.GetRootPin()->Direction) || !IsInputDirection(InputPin.GetRootPin()->Direction))
	{
		return "the link must run from an output to an input";
	}
	if (!AreRigVMTypesCompatible(OutputPin.CPPType, InputPin.CPPType))
	{
		return "the pin types " + OutputPin.CPPType + " and " + InputPin.CPPType + " do not fit";
	}
	if (OutputNode == InputNode || IsReachable(*InputNode, *OutputNode))
	{
		return "the link would close a loop";
	}
	return std::nullopt;
}

bool URigVMController::AddLink(std::string_view OutputPinPath, std::string_view InputPinPath)
{
	return Graph != nullptr && AddLink(Graph->FindPin(OutputPinPath), Graph->FindPin(InputPinPath));
}

bool URigVMController::AddLink(URigVMPin* OutputPin, URigVMPin* InputPin)
{
	if (Graph == nullptr || OutputPin == nullptr || InputPin == nullptr || CheckLink(*OutputPin, *InputPin))
	{
		return false;
	}
	// An input takes its value from one place, and an execution output leads to one node: older links give way.
	std::vector<URigVMLink*> Replaced;
	const URigVMNode* InputNode = InputPin->GetNode();
	const bool bExecute = OutputPin->IsExecuteContext();
	for (URigVMLink* Link : Graph->Links)
	{
		if ((Link->TargetPin->GetNode() == InputNode && IsSameValue(*Link->TargetPin, *InputPin)) || (bExecute && Link->SourcePin == OutputPin))
		{
			Replaced.push_back(Link);
		}
	}
	for (URigVMLink* Link : Replaced)
	{
		RemoveLink(*Link);
	}
	// Counting on from the number of links finds a free name at once, where the class's own numbering would try every taken one.
	URigVMLink* Link = NewObject<URigVMLink>(Graph, MakeUniqueObjectName(Graph, "RigVMLink_" + std::to_string(Graph->Links.size())));
	if (Link == nullptr)
	{
		return false;
	}
	Link->SourcePin = OutputPin;
	Link->TargetPin = InputPin;
	Graph->Links.push_back(Link);
	Graph->MarkPackageDirty();
	return true;
}

bool URigVMController::BreakLink(std::string_view OutputPinPath, std::string_view InputPinPath)
{
	if (Graph == nullptr)
	{
		return false;
	}
	const URigVMPin* OutputPin = Graph->FindPin(OutputPinPath);
	const URigVMPin* InputPin = Graph->FindPin(InputPinPath);
	const auto Found = std::ranges::find_if(Graph->Links, [&](const URigVMLink* Link) { return Link->SourcePin == OutputPin && Link->TargetPin == InputPin; });
	if (OutputPin == nullptr || InputPin == nullptr || Found == Graph->Links.end())
	{
		return false;
	}
	RemoveLink(**Found);
	Graph->MarkPackageDirty();
	return true;
}

void URigVMController::RemoveLink(URigVMLink& Link)
{
	std::erase(Graph->Links, &Link);
	Link.MarkAsGarbage();
}

bool URigVMController::SetPinDefaultValue(std::string_view PinPath, std::string_view DefaultValue)
{
	URigVMPin* Pin = Graph != nullptr ? Graph->FindPin(PinPath) : nullptr;
	if (Pin == nullptr || Pin->IsExecuteContext())
	{
		return false;
	}
	if (GetRigVMValueKind(Pin->CPPType) == ERigVMValueKind::Unknown)
	{
		Pin->DefaultValue = DefaultValue;
	}
	else
	{
		const std::optional<FRigVMValue> Current = ReadRigVMPinValue(*Pin);
		const std::optional<FRigVMValue> Value = ParseRigVMValue(Pin->CPPType, DefaultValue, Current.value_or(FRigVMValue{}));
		if (!Value)
		{
			return false;
		}
		WriteRigVMPinValue(*Pin, *Value);
	}
	Graph->MarkPackageDirty();
	return true;
}

bool URigVMController::RemoveNodeByName(std::string_view NodeName)
{
	URigVMNode* Node = Graph != nullptr ? Graph->FindNodeByName(NodeName) : nullptr;
	if (Node == nullptr)
	{
		return false;
	}
	std::vector<URigVMLink*> Touching;
	for (URigVMLink* Link : Graph->Links)
	{
		if (Link->SourcePin->GetNode() == Node || Link->TargetPin->GetNode() == Node)
		{
			Touching.push_back(Link);
		}
	}
	for (URigVMLink* Link : Touching)
	{
		RemoveLink(*Link);
	}
	std::erase(Graph->Nodes, Node);
	Node->MarkAsGarbage();
	Graph->MarkPackageDirty();
	return true;
}
