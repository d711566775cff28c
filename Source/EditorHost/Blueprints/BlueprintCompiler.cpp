#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintCompilerChecks.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPin.h"
#include "Graph/NodeTitle.h"

namespace
{
	void CheckGraphs(const FBlueprintCompileContext& Context, const std::vector<UEdGraph*>& Graphs, bool bFunctionGraphs)
	{
		for (const UEdGraph* const Graph : Graphs)
		{
			if (Graph == nullptr)
			{
				continue;
			}
			if (bFunctionGraphs)
			{
				CheckFunctionGraphEntry(Context, *Graph);
			}
			CheckGraphNodes(Context, *Graph, bFunctionGraphs);
			CheckGraphLinks(Context, *Graph);
		}
	}

	EBlueprintStatus StatusAfter(const FCompilerResultsLog& Log)
	{
		if (Log.NumErrors > 0)
		{
			return BS_Error;
		}
		return Log.NumWarnings > 0 ? BS_UpToDateWithWarnings : BS_UpToDate;
	}
}

std::string NodeLabel(const UEdGraphNode& Node)
{
	std::string Title = GetNodeTitle(Node, ENodeTitleType::ListView);
	return Title.empty() ? Node.GetName() : Title;
}

std::string PinLabel(const UEdGraphPin& Pin)
{
	std::string DisplayName = Pin.GetDisplayName();
	return DisplayName.empty() ? Pin.PinName : DisplayName;
}

void FKismetEditorUtilities::CompileBlueprint(UBlueprint* Blueprint, EBlueprintCompileOptions, FCompilerResultsLog* Results)
{
	if (Blueprint == nullptr)
	{
		return;
	}
	FCompilerResultsLog Log;
	const FBlueprintCompileContext Context{*Blueprint, Log};
	if (Blueprint->ParentClass == nullptr)
	{
		Log.Error("The parent class of '" + Blueprint->GetName() + "' is missing: the Blueprint derives from a class that cannot be found.");
	}
	CheckGraphs(Context, Blueprint->UbergraphPages, false);
	CheckGraphs(Context, Blueprint->FunctionGraphs, true);
	CheckGraphs(Context, Blueprint->MacroGraphs, false);
	CheckDuplicateEvents(Context);

	Blueprint->Status = StatusAfter(Log);
	if (Log.NumErrors == 0)
	{
		RegenerateBlueprintClass(*Blueprint);
	}
	if (Results != nullptr)
	{
		*Results = Log;
	}
	Blueprint->LastCompileResults = std::move(Log);
}
