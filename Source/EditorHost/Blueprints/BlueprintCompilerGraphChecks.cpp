#include "Blueprints/BlueprintCompilerChecks.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintCompilerMembers.h"
#include "Blueprints/BlueprintCompilerNodeKinds.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace
{
	/** The events found under one key, in the order the graphs hold them. */
	struct FEventGroup
	{
		std::string Key;
		std::vector<const UEdGraphNode*> Nodes;
	};

	std::string ToLowerAscii(std::string Text)
	{
		std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char Char) { return static_cast<char>(std::tolower(Char)); });
		return Text;
	}

	/**
	 * What makes two event nodes the same event: a custom event's name, a bound event's
	 * component and delegate, an overridden event's function. Names compare without case, as
	 * the editor's names do. Empty for nodes that are not events.
	 */
	std::string EventKey(const UEdGraphNode& Node)
	{
		if (IsNodeOfClass(Node, K2NodeClass::CustomEvent))
		{
			return "custom:" + ToLowerAscii(GetCustomFunctionName(Node));
		}
		if (IsNodeOfClass(Node, K2NodeClass::ComponentBoundEvent))
		{
			return "bound:" + ToLowerAscii(GetNodePropertyText(Node, "ComponentPropertyName")) + "." + ToLowerAscii(GetNodePropertyText(Node, "DelegatePropertyName"));
		}
		if (IsNodeOfClass(Node, K2NodeClass::Event))
		{
			const std::optional<FMemberReference> Reference = GetEventReference(Node);
			return Reference ? "event:" + ToLowerAscii(Reference->MemberName) : std::string();
		}
		return {};
	}

	void AddEvent(std::vector<FEventGroup>& Groups, const UEdGraphNode& Node)
	{
		const std::string Key = EventKey(Node);
		if (Key.empty() || Key.back() == ':')
		{
			return;
		}
		const auto Found = std::find_if(Groups.begin(), Groups.end(), [&Key](const FEventGroup& Group) { return Group.Key == Key; });
		if (Found != Groups.end())
		{
			Found->Nodes.push_back(&Node);
		}
		else
		{
			Groups.push_back({Key, {&Node}});
		}
	}
}

void CheckFunctionGraphEntry(const FBlueprintCompileContext& Context, const UEdGraph& Graph)
{
	const auto EntryCount = std::count_if(Graph.GetNodes().begin(), Graph.GetNodes().end(), [](const UEdGraphNode* Node) {
		return Node != nullptr && IsNodeOfClass(*Node, K2NodeClass::FunctionEntry);
	});
	if (EntryCount != 1)
	{
		Context.Log.Error("Expected exactly one entry node in the function graph '" + Graph.GetName() + "', but found " + std::to_string(EntryCount) + ".");
	}
}

void CheckDuplicateEvents(const FBlueprintCompileContext& Context)
{
	std::vector<FEventGroup> Groups;
	for (const UEdGraph* const Graph : Context.Blueprint.GetAllGraphs())
	{
		if (Graph == nullptr)
		{
			continue;
		}
		for (const UEdGraphNode* const Node : Graph->GetNodes())
		{
			if (Node != nullptr)
			{
				AddEvent(Groups, *Node);
			}
		}
	}
	for (const FEventGroup& Group : Groups)
	{
		if (Group.Nodes.size() > 1)
		{
			Context.Log.Error("The event " + NodeLabel(*Group.Nodes.front()) + " is defined " + std::to_string(Group.Nodes.size())
				+ " times; an event can only be defined once.");
		}
	}
}
