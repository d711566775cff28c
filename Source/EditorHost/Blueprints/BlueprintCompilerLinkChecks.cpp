#include "Blueprints/BlueprintCompilerChecks.h"

#include "Blueprints/BlueprintCompilerPinTypes.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPin.h"
#include "Graph/PinTypeFromProperty.h"

#include <functional>
#include <optional>

namespace
{
	/**
	 * Each link is seen from both of its ends; it is checked from one: the output end, or for
	 * two ends of one direction, the one stored first in memory.
	 */
	bool IsCheckingEnd(const UEdGraphPin& Pin, const UEdGraphPin& Other)
	{
		if (Pin.Direction != Other.Direction)
		{
			return Pin.Direction == EEdGraphPinDirection::Output;
		}
		return std::less<const UEdGraphPin*>()(&Pin, &Other);
	}

	std::string DescribePins(const UEdGraphPin& A, const UEdGraphPin& B)
	{
		return "Can't connect pins " + PinLabel(A) + " (" + NodeLabel(A.GetOwningNode()) + ") and " + PinLabel(B) + " (" + NodeLabel(B.GetOwningNode()) + "): ";
	}

	std::optional<std::string> FindLinkProblem(const FBlueprintCompileContext& Context, const UEdGraph& Graph, const UEdGraphPin& Pin, const UEdGraphPin& Other)
	{
		if (Other.GetOwningNode().GetOuter() != &Graph)
		{
			return "they are in different graphs.";
		}
		if (Pin.Direction == Other.Direction)
		{
			return "Directions are not compatible.";
		}
		const UEdGraphPin& Output = Pin.Direction == EEdGraphPinDirection::Output ? Pin : Other;
		const UEdGraphPin& Input = Pin.Direction == EEdGraphPinDirection::Output ? Other : Pin;
		return FindPinTypeMismatch(Output.PinType, Input.PinType, Context.Blueprint);
	}

	void CheckPin(const FBlueprintCompileContext& Context, const UEdGraph& Graph, const UEdGraphPin& Pin)
	{
		const std::vector<UEdGraphPin*>& Links = Pin.GetLinkedTo();
		for (const UEdGraphPin* const Other : Links)
		{
			if (Other == nullptr || !IsCheckingEnd(Pin, *Other))
			{
				continue;
			}
			if (const std::optional<std::string> Problem = FindLinkProblem(Context, Graph, Pin, *Other))
			{
				Context.Log.Error(DescribePins(Pin, *Other) + *Problem);
			}
		}
		const bool bExecOutput = Pin.Direction == EEdGraphPinDirection::Output && Pin.PinType.PinCategory == UEdGraphSchema_K2::PC_Exec;
		if (bExecOutput && Links.size() > 1)
		{
			Context.Log.Error("Exec output " + PinLabel(Pin) + " of " + NodeLabel(Pin.GetOwningNode()) + " is linked to " + std::to_string(Links.size())
				+ " inputs; an exec output can only be linked to one.");
		}
		if (Pin.bOrphanedPin && !Links.empty())
		{
			Context.Log.Warning("In use pin " + PinLabel(Pin) + " no longer exists on node " + NodeLabel(Pin.GetOwningNode())
				+ ". Please refresh node or break links to remove pin.");
		}
	}
}

void CheckGraphLinks(const FBlueprintCompileContext& Context, const UEdGraph& Graph)
{
	for (const UEdGraphNode* const Node : Graph.GetNodes())
	{
		if (Node == nullptr)
		{
			continue;
		}
		for (const auto& Pin : Node->GetPins())
		{
			CheckPin(Context, Graph, *Pin);
		}
	}
}
