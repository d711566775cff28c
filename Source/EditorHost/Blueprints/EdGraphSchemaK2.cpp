#include "Blueprints/EdGraphSchemaK2.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Objects/Class.h"
#include "Objects/Object.h"

#include <string>

namespace
{
	constexpr std::string_view FunctionEntryClassPath = "/Script/BlueprintGraph.K2Node_FunctionEntry";
	constexpr std::string_view FunctionResultClassPath = "/Script/BlueprintGraph.K2Node_FunctionResult";
}

UEdGraphNode* UEdGraphSchema_K2::CreateFunctionTerminatorNode(UEdGraph& Graph, std::string_view ClassPath, std::string_view PinName, EEdGraphPinDirection Direction, int32_t PosX)
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

void UEdGraphSchema_K2::CreateDefaultNodesForGraph(UEdGraph& Graph)
{
	CreateFunctionTerminatorNode(Graph, FunctionEntryClassPath, "then", EEdGraphPinDirection::Output, 0);
}

void UEdGraphSchema_K2::MarkFunctionEntryAsEditable(const UEdGraph* Graph, bool bNewEditable)
{
	if (Graph == nullptr)
	{
		return;
	}
	const UClass* const EntryClass = FindEngineClassChecked(FunctionEntryClassPath);
	const UClass* const ResultClass = FindEngineClassChecked(FunctionResultClassPath);
	for (UEdGraphNode* const Node : Graph->GetNodes())
	{
		if (Node != nullptr && (Node->IsA(EntryClass) || Node->IsA(ResultClass)))
		{
			SetUserEditable(*Node, bNewEditable);
		}
	}
}

void UEdGraphSchema_K2::AddExtraFunctionFlags(const UEdGraph* Graph, uint32_t ExtraFlags)
{
	if (Graph == nullptr)
	{
		return;
	}
	const UClass* const EntryClass = FindEngineClassChecked(FunctionEntryClassPath);
	for (UEdGraphNode* const Node : Graph->GetNodes())
	{
		if (Node != nullptr && Node->IsA(EntryClass))
		{
			SetExtraFlags(*Node, GetExtraFlags(*Node) | ExtraFlags);
		}
	}
}
