#include "Blueprints/BlueprintEditorUtils.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintNames.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/Text.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

namespace
{
	constexpr std::string_view K2SchemaPath = "/Script/BlueprintGraph.EdGraphSchema_K2";

	/** Whether a variable, component or graph of the Blueprint already has the name. */
	bool IsMemberNameTaken(const UBlueprint& Blueprint, std::string_view Name)
	{
		if (Blueprint.FindVariable(Name) != nullptr || FBlueprintEditorUtils::FindGraph(&Blueprint, Name) != nullptr)
		{
			return true;
		}
		return Blueprint.SimpleConstructionScript != nullptr && Blueprint.SimpleConstructionScript->FindSCSNode(Name) != nullptr;
	}

	/** A function terminator node of the graph with the function reference and one exec pin, as the editor makes them. */
	UEdGraphNode* AddTerminatorNode(UEdGraph& Graph, std::string_view ClassPath, std::string_view PinName, EEdGraphPinDirection Direction, int32_t PosX)
	{
		UClass* const Class = FindEngineClassChecked(ClassPath);
		UEdGraphNode* const Node = Graph.CreateNode(Class->GetName() + "_0", Class);
		if (Node == nullptr)
		{
			return nullptr;
		}
		Node->NodeClassPath = std::string(ClassPath);
		Node->NodeGuid = FGuid::NewGuid();
		Node->NodePosX = PosX;
		Node->KeptObject.Class = Node->NodeClassPath;
		Node->KeptObject.Name = Node->GetName();
		Node->KeptObject.AddProperty({"FunctionReference", std::nullopt, "(MemberName=" + QuoteCopyPasteString(Graph.GetName()) + ")"});
		Node->KeptObject.AddProperty({"bIsEditable", std::nullopt, "True"});
		UEdGraphPin& Pin = Node->CreatePin();
		Pin.PinId = FGuid::NewGuid();
		Pin.PinName = std::string(PinName);
		Pin.Direction = Direction;
		Pin.PinType.PinCategory = "exec";
		return Node;
	}
}

void FBlueprintEditorUtils::RemoveNode(UBlueprint* Blueprint, UEdGraphNode* Node, bool bDontRecompile)
{
	UEdGraph* const Graph = Node != nullptr ? Cast<UEdGraph>(Node->GetOuter()) : nullptr;
	if (Graph == nullptr)
	{
		return;
	}
	Graph->RemoveNode(*Node);
	if (Blueprint != nullptr && !bDontRecompile)
	{
		MarkBlueprintAsStructurallyModified(Blueprint);
	}
}

void FBlueprintEditorUtils::MarkBlueprintAsModified(UBlueprint* Blueprint)
{
	if (Blueprint == nullptr)
	{
		return;
	}
	Blueprint->Status = BS_Dirty;
	Blueprint->MarkPackageDirty();
}

void FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint)
{
	if (Blueprint == nullptr)
	{
		return;
	}
	RefreshAllNodes(Blueprint);
	MarkBlueprintAsModified(Blueprint);
}

bool FBlueprintEditorUtils::AddMemberVariable(UBlueprint* Blueprint, std::string_view VarName, const FEdGraphPinType& PinType, std::string_view DefaultValue)
{
	if (Blueprint == nullptr || !IsValidBlueprintMemberName(VarName) || PinType.PinCategory.empty() || IsMemberNameTaken(*Blueprint, VarName))
	{
		return false;
	}
	FBPVariableDescription Variable;
	Variable.VarName = std::string(VarName);
	Variable.VarGuid = FGuid::NewGuid();
	Variable.VarType = PinType;
	Variable.FriendlyName = NameToDisplayString(VarName, PinType.PinCategory == "bool");
	Variable.PropertyFlags = CPF_Edit | CPF_BlueprintVisible | CPF_DisableEditOnInstance;
	Variable.DefaultValue = std::string(DefaultValue);
	Blueprint->NewVariables.push_back(std::move(Variable));
	MarkBlueprintAsStructurallyModified(Blueprint);
	return true;
}

bool FBlueprintEditorUtils::RemoveMemberVariable(UBlueprint* Blueprint, std::string_view VarName)
{
	const FBPVariableDescription* const Variable = Blueprint != nullptr ? Blueprint->FindVariable(VarName) : nullptr;
	if (Variable == nullptr)
	{
		return false;
	}
	Blueprint->NewVariables.erase(Blueprint->NewVariables.begin() + (Variable - Blueprint->NewVariables.data()));
	MarkBlueprintAsStructurallyModified(Blueprint);
	return true;
}

UEdGraph* FBlueprintEditorUtils::CreateNewGraph(UBlueprint* Blueprint, std::string_view GraphName)
{
	if (Blueprint == nullptr || !IsValidBlueprintMemberName(GraphName) || Blueprint->FindInnerObject(GraphName) != nullptr || FindGraph(Blueprint, GraphName) != nullptr)
	{
		return nullptr;
	}
	UEdGraph* const Graph = NewObject<UEdGraph>(Blueprint, GraphName, RF_Transactional);
	if (Graph != nullptr)
	{
		Graph->Schema = std::string(K2SchemaPath);
	}
	return Graph;
}

UEdGraph* FBlueprintEditorUtils::CreateNewGraph(UObject* ParentScope, std::string_view GraphName, UClass* GraphClass, UClass* SchemaClass)
{
	if (ParentScope == nullptr || GraphClass == nullptr || !GraphClass->IsChildOf<UEdGraph>() || (!GraphName.empty() && ParentScope->FindInnerObject(GraphName) != nullptr))
	{
		return nullptr;
	}
	UEdGraph* const Graph = NewObject<UEdGraph>(ParentScope, GraphClass, GraphName, RF_Transactional);
	if (Graph != nullptr && SchemaClass != nullptr)
	{
		Graph->Schema = SchemaClass->GetPathName();
	}
	return Graph;
}

void FBlueprintEditorUtils::AddFunctionGraph(UBlueprint* Blueprint, UEdGraph* Graph, bool bAddResultNode)
{
	if (Blueprint == nullptr || Graph == nullptr || std::find(Blueprint->FunctionGraphs.begin(), Blueprint->FunctionGraphs.end(), Graph) != Blueprint->FunctionGraphs.end())
	{
		return;
	}
	Blueprint->FunctionGraphs.push_back(Graph);
	UEdGraphNode* const Entry = AddTerminatorNode(*Graph, "/Script/BlueprintGraph.K2Node_FunctionEntry", "then", EEdGraphPinDirection::Output, 0);
	if (bAddResultNode && Entry != nullptr)
	{
		if (UEdGraphNode* const Result = AddTerminatorNode(*Graph, "/Script/BlueprintGraph.K2Node_FunctionResult", "execute", EEdGraphPinDirection::Input, 400))
		{
			Entry->GetPins().front()->MakeLinkTo(*Result->GetPins().front());
		}
	}
	MarkBlueprintAsStructurallyModified(Blueprint);
}

UEdGraphNode* FBlueprintEditorUtils::FindOrAddFunctionResultNode(UBlueprint* Blueprint, UEdGraph* Graph)
{
	if (Blueprint == nullptr || Graph == nullptr || std::find(Blueprint->FunctionGraphs.begin(), Blueprint->FunctionGraphs.end(), Graph) == Blueprint->FunctionGraphs.end())
	{
		return nullptr;
	}
	const auto FindNodeOfClass = [Graph](std::string_view ClassPath) -> UEdGraphNode* {
		const UClass* const Class = FindEngineClassChecked(ClassPath);
		const auto Found = std::find_if(Graph->GetNodes().begin(), Graph->GetNodes().end(), [Class](const UEdGraphNode* Node) { return Node != nullptr && Node->IsA(Class); });
		return Found != Graph->GetNodes().end() ? *Found : nullptr;
	};
	if (UEdGraphNode* const Existing = FindNodeOfClass("/Script/BlueprintGraph.K2Node_FunctionResult"))
	{
		return Existing;
	}
	UEdGraphNode* const Result = AddTerminatorNode(*Graph, "/Script/BlueprintGraph.K2Node_FunctionResult", "execute", EEdGraphPinDirection::Input, 400);
	UEdGraphNode* const Entry = FindNodeOfClass("/Script/BlueprintGraph.K2Node_FunctionEntry");
	UEdGraphPin* const Then = Entry != nullptr ? Entry->FindPin("then") : nullptr;
	if (Result != nullptr && Then != nullptr && Then->GetLinkedTo().empty())
	{
		Then->MakeLinkTo(*Result->GetPins().front());
	}
	MarkBlueprintAsStructurallyModified(Blueprint);
	return Result;
}

UEdGraph* FBlueprintEditorUtils::FindGraph(const UBlueprint* Blueprint, std::string_view GraphName)
{
	if (Blueprint == nullptr)
	{
		return nullptr;
	}
	for (UEdGraph* const Graph : Blueprint->GetAllGraphs())
	{
		if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), GraphName))
		{
			return Graph;
		}
	}
	return nullptr;
}
