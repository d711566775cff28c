#include "Blueprints/BlueprintCompilerChecks.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintCompilerMembers.h"
#include "Blueprints/BlueprintCompilerNodeKinds.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPin.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/PinTypeFromProperty.h"
#include "Objects/Class.h"
#include "Objects/Function.h"

#include <optional>

namespace
{
	/** What a node without a reference names: a member of the Blueprint itself. */
	FMemberReference SelfReference()
	{
		FMemberReference Reference;
		Reference.bSelfContext = true;
		return Reference;
	}

	bool IsExecPin(const UEdGraphPin& Pin)
	{
		return Pin.PinType.PinCategory == UEdGraphSchema_K2::PC_Exec;
	}

	const UEdGraphPin* FindExecInput(const UEdGraphNode& Node)
	{
		for (const auto& Pin : Node.GetPins())
		{
			if (Pin->Direction == EEdGraphPinDirection::Input && IsExecPin(*Pin))
			{
				return Pin.get();
			}
		}
		return nullptr;
	}

	bool HasLinkedDataOutput(const UEdGraphNode& Node)
	{
		for (const auto& Pin : Node.GetPins())
		{
			if (Pin->Direction == EEdGraphPinDirection::Output && !IsExecPin(*Pin) && !Pin->GetLinkedTo().empty())
			{
				return true;
			}
		}
		return false;
	}

	std::string NotFoundMessage(std::string_view Kind, std::string_view Name, std::string_view Owner, const UEdGraphNode& Node)
	{
		const std::string OwnerText(Owner);
		return "Could not find a " + std::string(Kind) + " named \"" + std::string(Name) + "\" in '" + OwnerText + "'.\nMake sure '" + OwnerText + "' has been compiled for "
			+ NodeLabel(Node);
	}

	/** A node that runs only when its exec input fires is never run without a link there. */
	void CheckExecInputConnected(const FBlueprintCompileContext& Context, const UEdGraphNode& Node)
	{
		const UEdGraphPin* const Exec = FindExecInput(Node);
		if (Exec == nullptr || !Exec->GetLinkedTo().empty())
		{
			return;
		}
		if (HasLinkedDataOutput(Node))
		{
			Context.Log.Warning(NodeLabel(Node) + " was pruned because its Exec pin is not connected, the connected value is not available and will instead be read as default");
		}
		else
		{
			Context.Log.Warning(NodeLabel(Node) + " will never run: its exec input is not connected.");
		}
	}

	/** Where the unlinked target pin of a member call points: the Blueprint itself must be such an object. */
	void CheckTargetConnected(const FBlueprintCompileContext& Context, const UEdGraphNode& Node, const FFoundFunction& Found)
	{
		const UEdGraphPin* const Self = Node.FindPin("self");
		if (Self == nullptr || Self->Direction != EEdGraphPinDirection::Input || !Self->GetLinkedTo().empty() || Self->DefaultObject)
		{
			return;
		}
		const UFunction* const Function = Found.NativeFunction;
		if (Function != nullptr && (Function->HasAnyFunctionFlags(FUNC_Static) || Function->GetOwnerClass() == nullptr))
		{
			return;
		}
		std::string TargetName;
		if (Function != nullptr && !IsBlueprintChildOf(Context.Blueprint, Function->GetOwnerClass()))
		{
			TargetName = Function->GetOwnerClass()->GetName();
		}
		const UBlueprint* Ancestor = &Context.Blueprint;
		while (Found.DeclaringBlueprint != nullptr && Ancestor != nullptr && Ancestor != Found.DeclaringBlueprint)
		{
			Ancestor = GetParentBlueprint(*Ancestor);
		}
		if (Found.DeclaringBlueprint != nullptr && Ancestor == nullptr)
		{
			TargetName = Found.DeclaringBlueprint->GetName();
		}
		if (!TargetName.empty())
		{
			Context.Log.Error("This blueprint (self) is not a " + TargetName + ", therefore ' " + PinLabel(*Self) + " ' of " + NodeLabel(Node) + " must have a connection.");
		}
	}

	/** By-reference inputs operate on the value wired in, so they need a link unless the function makes a default. */
	void CheckReferenceInputsConnected(const FBlueprintCompileContext& Context, const UEdGraphNode& Node, const UFunction* Function)
	{
		for (const auto& Pin : Node.GetPins())
		{
			const bool bOpenReference = Pin->Direction == EEdGraphPinDirection::Input && !IsExecPin(*Pin) && Pin->PinType.bIsReference && Pin->GetLinkedTo().empty();
			const bool bAutoCreated = Function != nullptr && IsParamListedInMetaData(*Function, "AutoCreateRefTerm", Pin->PinName);
			if (bOpenReference && !bAutoCreated)
			{
				const std::string Label = PinLabel(*Pin);
				Context.Log.Error("The current value of the ' " + Label + " ' pin of " + NodeLabel(Node) + " is invalid: '" + Label
					+ "' must have an input wired into it (\"by ref\" params expect a valid input to operate on).");
			}
		}
	}

	void CheckCallFunction(const FBlueprintCompileContext& Context, const UEdGraph& Graph, const UEdGraphNode& Node, bool bFunctionGraph)
	{
		const FMemberReference Reference = GetFunctionReference(Node).value_or(SelfReference());
		const FMemberScope Scope = ResolveMemberScope(Context.Blueprint, Reference);
		const std::optional<FFoundFunction> Found = FindFunctionInScope(Scope, Reference.MemberName);
		if (!Found)
		{
			Context.Log.Error(NotFoundMessage("function", Reference.MemberName, Scope.DisplayName, Node));
			return;
		}
		const UFunction* const Function = Found->NativeFunction;
		if (Function != nullptr && Function->HasMetaData("Latent") && bFunctionGraph)
		{
			Context.Log.Error("Latent function " + NodeLabel(Node) + " cannot be used in the function graph '" + Graph.GetName() + "'; latent actions only run in event graphs.");
		}
		if (Function != nullptr && Function->HasMetaData("DeprecatedFunction"))
		{
			const std::string& Detail = Function->GetMetaData("DeprecationMessage");
			Context.Log.Warning(NodeLabel(Node) + " is deprecated; please replace or remove it." + (Detail.empty() ? std::string() : " " + Detail));
		}
		CheckTargetConnected(Context, Node, *Found);
		CheckReferenceInputsConnected(Context, Node, Function);
		CheckExecInputConnected(Context, Node);
	}

	void CheckVariable(const FBlueprintCompileContext& Context, const UEdGraph& Graph, const UEdGraphNode& Node)
	{
		const FMemberReference Reference = GetVariableReference(Node).value_or(SelfReference());
		const std::string LocalScope = GetNodePropertyField(Node, "VariableReference", "MemberScope");
		if (!LocalScope.empty())
		{
			if (!HasLocalVariable(Graph, Reference.MemberName))
			{
				Context.Log.Error(NotFoundMessage("variable", Reference.MemberName, LocalScope, Node));
			}
			return;
		}
		const FMemberScope Scope = ResolveMemberScope(Context.Blueprint, Reference);
		if (!HasVariableInScope(Scope, Reference.MemberName))
		{
			Context.Log.Error(NotFoundMessage("variable", Reference.MemberName, Scope.DisplayName, Node));
		}
	}
}

void CheckGraphNodes(const FBlueprintCompileContext& Context, const UEdGraph& Graph, bool bFunctionGraph)
{
	for (const UEdGraphNode* const Node : Graph.GetNodes())
	{
		if (Node == nullptr)
		{
			continue;
		}
		if (IsNodeOfClass(*Node, K2NodeClass::CallFunction))
		{
			CheckCallFunction(Context, Graph, *Node, bFunctionGraph);
		}
		else if (IsNodeOfClass(*Node, K2NodeClass::VariableGet))
		{
			CheckVariable(Context, Graph, *Node);
		}
		else if (IsNodeOfClass(*Node, K2NodeClass::VariableSet))
		{
			CheckVariable(Context, Graph, *Node);
			CheckExecInputConnected(Context, *Node);
		}
	}
}
