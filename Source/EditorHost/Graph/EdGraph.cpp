#include "Graph/EdGraph.h"

#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <charconv>

namespace
{
	/** "K2Node_X_12" as "K2Node_X" and 12; a name without a number keeps all of itself. */
	std::pair<std::string_view, std::optional<int>> SplitNameNumber(std::string_view Name)
	{
		const std::size_t Underscore = Name.rfind('_');
		if (Underscore == std::string_view::npos || Underscore + 1 == Name.size())
		{
			return {Name, std::nullopt};
		}
		int Number = 0;
		const char* const End = Name.data() + Name.size();
		const auto [Ptr, Error] = std::from_chars(Name.data() + Underscore + 1, End, Number);
		if (Error != std::errc() || Ptr != End || Number < 0)
		{
			return {Name, std::nullopt};
		}
		return {Name.substr(0, Underscore), Number};
	}
}

bool UEdGraph::IsNodeNameTaken(std::string_view Name) const
{
	const UObject* const Existing = FindInnerObject(Name);
	return Existing != nullptr && !Existing->IsGarbage();
}

std::string UEdGraph::MakeUniqueNodeName(std::string_view WantedName) const
{
	if (!WantedName.empty() && !IsNodeNameTaken(WantedName))
	{
		return std::string(WantedName);
	}
	const auto [Base, Number] = SplitNameNumber(WantedName.empty() ? std::string_view("EdGraphNode") : WantedName);
	for (int Candidate = Number.value_or(-1) + 1;; ++Candidate)
	{
		std::string Name = std::string(Base) + "_" + std::to_string(Candidate);
		if (!IsNodeNameTaken(Name))
		{
			return Name;
		}
	}
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
