#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/BlueprintNodeClasses.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/Text.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/NodeTitle.h"
#include "Objects/Class.h"
#include "Objects/Function.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <algorithm>

namespace
{
	/** What copy-paste text says when it holds a function-entry node. */
	constexpr std::string_view FunctionEntryMarker = "/Script/BlueprintGraph.K2Node_FunctionEntry";

	struct FFoundGraph
	{
		UEdGraph* Graph = nullptr;
		bool bIsFunctionGraph = false;
	};

	/** The first event graph page, then function graph, whose name matches ignoring case. */
	FFoundGraph FindPasteTarget(const UBlueprint& Blueprint, std::string_view GraphName)
	{
		for (UEdGraph* const Graph : Blueprint.UbergraphPages)
		{
			if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), GraphName))
			{
				return {Graph, false};
			}
		}
		for (UEdGraph* const Graph : Blueprint.FunctionGraphs)
		{
			if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), GraphName))
			{
				return {Graph, true};
			}
		}
		return {};
	}

	std::string AvailableGraphNames(const UBlueprint& Blueprint)
	{
		std::string Names;
		for (const std::vector<UEdGraph*>* const List : {&Blueprint.UbergraphPages, &Blueprint.FunctionGraphs})
		{
			for (const UEdGraph* const Graph : *List)
			{
				if (Graph != nullptr)
				{
					Names += Names.empty() ? "" : ", ";
					Names += Graph->GetName();
				}
			}
		}
		return Names;
	}

	std::shared_ptr<FJsonObject> MakePasteError(std::shared_ptr<FJsonObject> Result, std::string_view Message)
	{
		Result->SetStringField("status", "error");
		Result->SetStringField("error", Message);
		return Result;
	}

	bool HasAnyLinkedPin(const UEdGraphNode& Node)
	{
		return std::ranges::any_of(Node.GetPins(), [](const auto& Pin) { return Pin != nullptr && !Pin->GetLinkedTo().empty(); });
	}

	/** Removes the graph's nodes before a deploy paste; a function graph keeps its entry node when the text brings none. */
	int ClearStaleNodes(UBlueprint& Blueprint, UEdGraph& Graph, bool bIsFunctionGraph, bool bTextHasEntryNode)
	{
		int Cleared = 0;
		const std::vector<UEdGraphNode*> Nodes = Graph.GetNodes();
		for (UEdGraphNode* const Node : Nodes)
		{
			if (Node == nullptr)
			{
				continue;
			}
			if (bIsFunctionGraph && !bTextHasEntryNode && IsNodeA(*Node, BlueprintNodeClasses::FunctionEntry()))
			{
				UE_LOG(LogKorvane, Log, "Graph '%s': clipboard has no entry node \u2014 preserving the existing K2Node_FunctionEntry.", Graph.GetName().c_str());
				continue;
			}
			FBlueprintEditorUtils::RemoveNode(&Blueprint, Node, true);
			++Cleared;
		}
		UE_LOG(LogKorvane, Log, "Graph '%s': cleared %d stale node(s) before deploy paste.", Graph.GetName().c_str(), Cleared);
		return Cleared;
	}

	/** Makes room for a pasted signature: entry nodes with no wire are taken out, wired ones stay. */
	void RemoveBareEntryNodes(UEdGraph& Graph)
	{
		const std::vector<UEdGraphNode*> Nodes = Graph.GetNodes();
		for (UEdGraphNode* const Node : Nodes)
		{
			if (Node != nullptr && IsNodeA(*Node, BlueprintNodeClasses::FunctionEntry()) && !HasAnyLinkedPin(*Node))
			{
				Graph.RemoveNode(*Node);
				UE_LOG(LogKorvane, Log, "Function graph '%s': removed bare entry node so the pasted signature can take its place.", Graph.GetName().c_str());
			}
		}
	}

	/** Points pasted entry nodes of functions the parent class declares at that declaration, and checks there is one entry. */
	void FixUpFunctionEntries(const UBlueprint& Blueprint, UEdGraph& Graph, const std::vector<UEdGraphNode*>& Created)
	{
		for (UEdGraphNode* const Node : Created)
		{
			if (!IsNodeA(*Node, BlueprintNodeClasses::FunctionEntry()) || Blueprint.ParentClass == nullptr)
			{
				continue;
			}
			const std::optional<FMemberReference> Reference = GetFunctionReference(*Node);
			const std::string FunctionName = Reference ? Reference->MemberName : std::string();
			const UFunction* const Inherited = FindFunctionByName(Blueprint.ParentClass, FunctionName);
			if (Inherited == nullptr || Inherited->GetOwnerClass() == nullptr)
			{
				continue;
			}
			const UClass& Owner = *Inherited->GetOwnerClass();
			SetFunctionReferenceExternalMember(*Node, FunctionName, Owner);
			SetUserEditable(*Node, false);
			UE_LOG(LogKorvane, Log, "Function graph '%s': restored inherited function reference (%s on %s).", Graph.GetName().c_str(), FunctionName.c_str(),
				Owner.GetName().c_str());
		}
		const auto EntryCount = std::ranges::count_if(Graph.GetNodes(), [](const UEdGraphNode* Node) { return Node != nullptr && IsNodeA(*Node, BlueprintNodeClasses::FunctionEntry()); });
		if (EntryCount != 1)
		{
			UE_LOG(LogKorvane, Warning, "Function graph '%s' has %d entry nodes after paste (expected 1).", Graph.GetName().c_str(), static_cast<int>(EntryCount));
		}
	}

	std::shared_ptr<FJsonObject> MakePastedNodeJson(const UEdGraphNode& Node)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("name", GetNodeTitle(Node, ENodeTitleType::FullTitle));
		Object->SetStringField("class", Node.GetClass()->GetName());
		Object->SetNumberField("posX", Node.NodePosX);
		Object->SetNumberField("posY", Node.NodePosY);
		return Object;
	}
}

std::shared_ptr<FJsonObject> PasteIntoGraph(UBlueprint& Blueprint, std::string_view GraphName, std::string_view ClipboardText, bool bClearStaleNodes)
{
	auto Result = std::make_shared<FJsonObject>();
	const FFoundGraph Target = FindPasteTarget(Blueprint, GraphName);
	if (Target.Graph == nullptr)
	{
		return MakePasteError(std::move(Result), "Graph '" + std::string(GraphName) + "' not found. Available: " + AvailableGraphNames(Blueprint));
	}
	UEdGraph& Graph = *Target.Graph;
	const bool bTextHasEntryNode = Text::FindIgnoreCase(ClipboardText, FunctionEntryMarker).has_value();

	if (bClearStaleNodes)
	{
		Result->SetNumberField("clearedStaleNodes", ClearStaleNodes(Blueprint, Graph, Target.bIsFunctionGraph, bTextHasEntryNode));
	}
	if (Target.bIsFunctionGraph && bTextHasEntryNode)
	{
		RemoveBareEntryNodes(Graph);
	}

	const std::vector<UEdGraphNode*> Created = ImportNodesFromText(Graph, ClipboardText);
	if (Created.empty())
	{
		return MakePasteError(std::move(Result), "ImportNodesFromText produced 0 nodes. Verify clipboard format.");
	}
	if (Target.bIsFunctionGraph)
	{
		FixUpFunctionEntries(Blueprint, Graph, Created);
	}
	Graph.NotifyGraphChanged();
	FBlueprintEditorUtils::MarkBlueprintAsModified(&Blueprint);

	FJsonValueArray Nodes;
	Nodes.reserve(Created.size());
	for (const UEdGraphNode* const Node : Created)
	{
		Nodes.emplace_back(MakePastedNodeJson(*Node));
	}
	Result->SetStringField("status", "ok");
	Result->SetNumberField("nodeCount", static_cast<double>(Created.size()));
	Result->SetArrayField("nodes", std::move(Nodes));
	UE_LOG(LogKorvane, Log, "Pasted %d nodes into %s", static_cast<int>(Created.size()), Graph.GetName().c_str());
	return Result;
}

std::shared_ptr<FJsonObject> PasteBlueprintNodes(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	const std::optional<std::string> BlueprintPath = Body->TryGetStringField("blueprintPath");
	if (!BlueprintPath)
	{
		return MakeFailureResponse(MissingFieldMessage("blueprintPath"));
	}
	if (!IsValidAssetPath(*BlueprintPath))
	{
		return MakeFailureResponse(InvalidAssetPathMessage);
	}
	const std::optional<std::string> GraphName = Body->TryGetStringField("graphName");
	if (!GraphName)
	{
		return MakeFailureResponse(MissingFieldMessage("graphName"));
	}
	const std::optional<std::string> ClipboardText = Body->TryGetStringField("clipboardText");
	if (!ClipboardText)
	{
		return MakeFailureResponse(MissingFieldMessage("clipboardText"));
	}
	UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), *BlueprintPath));
	if (Blueprint == nullptr)
	{
		return MakeFailureResponse("Blueprint not found: " + *BlueprintPath);
	}

	const std::shared_ptr<FJsonObject> Pasted = PasteIntoGraph(*Blueprint, *GraphName, *ClipboardText, false);
	if (!Text::EqualsIgnoreCase(Pasted->TryGetStringField("status").value_or(""), "ok"))
	{
		return MakeFailureResponse(Pasted->TryGetStringField("error").value_or(""));
	}
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	Blueprint->GetPackage()->MarkPackageDirty();

	auto Response = std::make_shared<FJsonObject>();
	Response->SetBoolField("success", true);
	Response->SetNumberField("nodeCount", Pasted->TryGetNumberField("nodeCount").value_or(0.0));
	Response->SetStringField("graph", *GraphName);
	Response->SetStringField("blueprint", *BlueprintPath);
	Response->SetArrayField("nodes", Pasted->TryGetArrayField("nodes"));
	return Response;
}
