#include "../Source/KorvaneConnector/Private/Endpoints/BlueprintEndpoints.h"
#include "BenchmarkEditor.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace
{
	constexpr int NodeCount = 5000;

	std::string Hex32(unsigned Kind, unsigned Index, unsigned Pin)
	{
		char Buffer[33];
		std::snprintf(Buffer, sizeof(Buffer), "%08X%08X%08X%08X", Kind, Index, Pin, 0x4B56u);
		return Buffer;
	}

	std::string PinLine(const std::string& PinId, std::string_view Name, std::string_view Direction, std::string_view Category, const std::string& Extra)
	{
		return "   CustomProperties Pin (PinId=" + PinId + ",PinName=\"" + std::string(Name) + "\",Direction=\"" + std::string(Direction) + "\",PinType.PinCategory=\""
			+ std::string(Category) + "\",PinType.PinSubCategory=\"\",PinType.PinSubCategoryObject=None,PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),"
			  "PinType.ContainerType=None,PinType.bIsReference=False,PinType.bIsConst=False,PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,"
			+ Extra + "PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=False,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,bAdvancedView=False,bOrphanedPin=False,)\r\n";
	}

	std::string Link(unsigned Index, unsigned Pin)
	{
		return "LinkedTo=(K2Node_CallFunction_" + std::to_string(Index) + " " + Hex32(2, Index, Pin) + ",),";
	}

	/**
	 * 5,000 Print String calls in one exec chain (4,999 links) whose string inputs take the
	 * previous-but-one node's exec-independent output (1,001 more links): 6,000 links in all.
	 */
	std::string GeneratedGraphText()
	{
		std::string Text;
		for (unsigned Index = 0; Index < NodeCount; ++Index)
		{
			Text += "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_" + std::to_string(Index) + "\" ExportPath=\"/Script/BlueprintGraph.K2Node_CallFunction'/Game/BP_Big.BP_Big:EventGraph.K2Node_CallFunction_" + std::to_string(Index) + "'\"\r\n";
			Text += "   FunctionReference=(MemberParent=\"/Script/CoreUObject.Class'/Script/Engine.KismetSystemLibrary'\",MemberName=\"PrintString\")\r\n";
			Text += "   NodePosX=" + std::to_string(Index % 50 * 300) + "\r\n   NodePosY=" + std::to_string(Index / 50 * 200) + "\r\n";
			Text += "   NodeGuid=" + Hex32(1, Index, 0) + "\r\n";
			Text += PinLine(Hex32(2, Index, 0), "execute", "EGPD_Input", "exec", Index > 0 ? Link(Index - 1, 1) : std::string());
			Text += PinLine(Hex32(2, Index, 1), "then", "EGPD_Output", "exec", Index + 1 < NodeCount ? Link(Index + 1, 0) : std::string());
			const bool bTakesString = Index % 5 == 2 && Index < 5007;
			Text += PinLine(Hex32(2, Index, 2), "InString", "EGPD_Input", "string", bTakesString ? Link(Index - 2, 3) : std::string("DefaultValue=\"Hello\","));
			const bool bGivesString = (Index + 2) % 5 == 2 && Index + 2 < NodeCount;
			Text += PinLine(Hex32(2, Index, 3), "ReturnValue", "EGPD_Output", "string", bGivesString ? Link(Index + 2, 2) : std::string());
			Text += "End Object\r\n";
		}
		return Text;
	}

	/** GatherBlueprint of a Blueprint whose event graph holds the generated 5,000 nodes; the copy-paste text is part of the work. */
	void BM_GatherBlueprint5000Nodes(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		UBlueprint* const Blueprint = FKismetEditorUtilities::CreateBlueprint(FClassDatabase::Get().FindClass("/Script/Engine.Actor"), CreatePackage("/Game/BP_Big"), "BP_Big");
		const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(*Blueprint->UbergraphPages.at(0), GeneratedGraphText());
		std::size_t Connections = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Gathered = GatherBlueprint(Blueprint);
			Connections = Gathered->TryGetObjectField("graphs")->TryGetObjectField("EventGraph")->TryGetArrayField("connections")->size();
			benchmark::DoNotOptimize(Gathered.get());
		}
		State.counters["nodes"] = static_cast<double>(Nodes.size());
		State.counters["connections"] = static_cast<double>(Connections);
	}
	BENCHMARK(BM_GatherBlueprint5000Nodes)->Unit(benchmark::kMillisecond);

	/** ImportNodesFromText of the generated 5,000-node text into an empty graph. */
	void BM_ImportNodesFromText5000Nodes(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const std::string Text = GeneratedGraphText();
		std::size_t Created = 0;
		for (auto _ : State)
		{
			UEdGraph* const Graph = NewObject<UEdGraph>();
			Created = ImportNodesFromText(*Graph, Text).size();
			State.PauseTiming();
			Graph->MarkAsGarbage();
			CollectGarbage();
			State.ResumeTiming();
		}
		State.counters["nodes"] = static_cast<double>(Created);
		State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Text.size()));
	}
	BENCHMARK(BM_ImportNodesFromText5000Nodes)->Unit(benchmark::kMillisecond);
}
