#include "Graph/EdGraph.h"

#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>

bool UEdGraph::IsNodeNameTaken(std::string_view Name) const
{
	const UObject* const Existing = FindInnerObject(Name);
	return Existing != nullptr && !Existing->IsGarbage();
}

std::string UEdGraph::MakeUniqueNodeName(std::string_view WantedName) const
{
	return MakeUniqueObjectName(this, WantedName.empty() ? std::string_view("EdGraphNode_0") : WantedName);
}

UEdGraphNode* UEdGraph::CreateNode(std::string_view WantedName, UClass* NodeClass)
{
	UEdGraphNode* const Node = NewObject<UEdGraphNode>(this, NodeClass != nullptr ? NodeClass : UEdGraphNode::StaticClass(), MakeUniqueNodeName(WantedName));
	if (Node != nullptr)
	{
		Nodes.push_back(Node);
	}
	return Node;
}

void UEdGraph::RemoveNode(UEdGraphNode& Node)
{
	for (const auto& Pin : Node.GetPins())
	{
		Pin->BreakAllPinLinks();
	}
	std::erase(Nodes, &Node);
	Node.MarkAsGarbage();
}
