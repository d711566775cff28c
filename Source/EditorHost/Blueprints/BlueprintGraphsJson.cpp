#include "Blueprints/BlueprintGraphsJson.h"

#include "Assets/CopyPasteTextJsonLines.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/JsonObject.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"

#include <array>

namespace
{
	struct FGraphList
	{
		std::string_view Key;
		std::vector<UEdGraph*> UBlueprint::*List;
	};

	constexpr std::array<FGraphList, 3> GraphLists = {{
		{"eventGraphs", &UBlueprint::UbergraphPages},
		{"functionGraphs", &UBlueprint::FunctionGraphs},
		{"macroGraphs", &UBlueprint::MacroGraphs},
	}};

	std::shared_ptr<FJsonObject> GraphToJson(const UEdGraph& Graph)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Graph.GetName());
		Entry->SetStringField("schema", Graph.Schema);
		const std::vector<const UEdGraphNode*> Nodes(Graph.GetNodes().begin(), Graph.GetNodes().end());
		Entry->SetArrayField("nodes", Nodes.empty() ? FJsonValueArray() : SplitCopyPasteTextLines(ExportNodesToText(Nodes)));
		return Entry;
	}

	UEdGraph* GraphFromJson(UBlueprint& Blueprint, const FJsonObject& Entry, std::vector<std::string>& OutWarnings)
	{
		const std::optional<std::string> Name = Entry.TryGetStringField("name");
		UEdGraph* const Graph = Name ? FBlueprintEditorUtils::CreateNewGraph(&Blueprint, *Name) : nullptr;
		if (Graph == nullptr)
		{
			OutWarnings.push_back("graph " + Name.value_or(std::string("(no name)")) + ": a graph needs a \"name\" no other graph or member of the Blueprint has");
			return nullptr;
		}
		if (const std::optional<std::string> Schema = Entry.TryGetStringField("schema"))
		{
			Graph->Schema = *Schema;
		}
		if (const std::shared_ptr<FJsonValueArray> Lines = Entry.TryGetArrayField("nodes"))
		{
			ImportNodesFromText(*Graph, JoinCopyPasteTextLines(*Lines, "graph " + *Name + ": a line of \"nodes\"", OutWarnings));
		}
		else if (Entry.HasField("nodes"))
		{
			OutWarnings.push_back("graph " + *Name + ": \"nodes\" is not an array of lines");
		}
		return Graph;
	}
}

std::shared_ptr<FJsonObject> BlueprintGraphsToJson(const UBlueprint& Blueprint)
{
	auto Graphs = std::make_shared<FJsonObject>();
	for (const FGraphList& List : GraphLists)
	{
		FJsonValueArray Entries;
		for (const UEdGraph* const Graph : Blueprint.*List.List)
		{
			if (Graph != nullptr)
			{
				Entries.emplace_back(GraphToJson(*Graph));
			}
		}
		Graphs->SetArrayField(List.Key, std::move(Entries));
	}
	return Graphs;
}

void BlueprintGraphsFromJson(UBlueprint& Blueprint, const FJsonObject& Graphs, std::vector<std::string>& OutWarnings)
{
	for (const FGraphList& List : GraphLists)
	{
		const FJsonValue* const Field = Graphs.TryGetField(List.Key);
		if (Field == nullptr)
		{
			continue;
		}
		const std::shared_ptr<FJsonValueArray> Entries = Field->TryGetArray();
		if (!Entries)
		{
			OutWarnings.push_back("\"graphs\"." + std::string(List.Key) + " is not an array");
			continue;
		}
		for (const FJsonValue& Value : *Entries)
		{
			const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
			UEdGraph* const Graph = Entry ? GraphFromJson(Blueprint, *Entry, OutWarnings) : nullptr;
			if (Graph != nullptr)
			{
				(Blueprint.*List.List).push_back(Graph);
			}
			else if (!Entry)
			{
				OutWarnings.push_back("a graph in \"graphs\"." + std::string(List.Key) + " is not an object");
			}
		}
	}
}
