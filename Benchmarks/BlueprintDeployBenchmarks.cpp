#include "../Source/KorvaneConnector/Private/Endpoints/DeployEndpoints.h"
#include "BenchmarkEditor.h"
#include "Core/Guid.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Objects/ObjectGlobals.h"
#include "Runtime/EditorHost.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace
{
	constexpr int NodeCount = 500;

	std::string Hex32(unsigned Kind, unsigned Index)
	{
		char Buffer[33];
		std::snprintf(Buffer, sizeof(Buffer), "%08X%08X%08X%08X", Kind, Index, 0x4B56u, 0xDE9Lu);
		return Buffer;
	}

	std::string ExecPin(unsigned PinKind, unsigned Index, std::string_view Name, std::string_view Direction, std::string_view Link)
	{
		return "   CustomProperties Pin (PinId=" + Hex32(PinKind, Index) + ",PinName=\"" + std::string(Name) + "\",Direction=\"" + std::string(Direction)
			+ "\",PinType.PinCategory=\"exec\",PinType.PinSubCategory=\"\",PinType.PinSubCategoryObject=None,PinType.ContainerType=None," + std::string(Link) + ")\r\n";
	}

	/** 500 Print String calls in one exec chain, each printing its own text. */
	std::string ChainText()
	{
		std::string Text;
		for (unsigned Index = 0; Index < NodeCount; ++Index)
		{
			const std::string Name = "K2Node_CallFunction_" + std::to_string(Index);
			Text += "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"" + Name + "\"\r\n";
			Text += "   FunctionReference=(MemberParent=\"/Script/CoreUObject.Class'/Script/Engine.KismetSystemLibrary'\",MemberName=\"PrintString\")\r\n";
			Text += "   NodePosX=" + std::to_string(Index % 25 * 300) + "\r\n   NodePosY=" + std::to_string(Index / 25 * 200) + "\r\n   NodeGuid=" + Hex32(1, Index) + "\r\n";
			Text += ExecPin(2, Index, "execute", "EGPD_Input", Index > 0 ? "LinkedTo=(K2Node_CallFunction_" + std::to_string(Index - 1) + " " + Hex32(3, Index - 1) + ",)," : "");
			Text += ExecPin(3, Index, "then", "EGPD_Output", Index + 1 < NodeCount ? "LinkedTo=(K2Node_CallFunction_" + std::to_string(Index + 1) + " " + Hex32(2, Index + 1) + ",)," : "");
			Text += "   CustomProperties Pin (PinId=" + Hex32(4, Index) + ",PinName=\"InString\",PinType.PinCategory=\"string\",DefaultValue=\"Step " + std::to_string(Index) + "\",)\r\n";
			Text += "End Object\r\n";
		}
		return Text;
	}

	std::string DeployBody()
	{
		FJsonObject Body;
		Body.SetStringField("name", "BP_Bench");
		Body.SetStringField("path", "/Game/Bench");
		Body.SetArrayField("variables", FJsonSerializer::DeserializeObject(
			R"({"v":[{"name":"Health","type":"real","defaultValue":"100.0","category":"Stats"},{"name":"Tags","type":"name","isArray":true},{"name":"Target","type":"object","subType":"Actor"}]})")
											->TryGetArrayField("v"));
		Body.SetArrayField("components", FJsonSerializer::DeserializeObject(
			R"json({"c":[{"name":"Mesh","class":"StaticMeshComponent","parent":"DefaultSceneRoot","properties":{"RelativeScale3D":"(X=2.000000,Y=2.000000,Z=2.000000)"}},{"name":"Light","class":"PointLightComponent","parent":"Mesh"}]})json")
											 ->TryGetArrayField("c"));
		Body.SetArrayField("functions", FJsonSerializer::DeserializeObject(R"({"f":["Ignite",{"name":"Burn","inputs":[{"name":"Seconds","type":"real"}]}]})")->TryGetArrayField("f"));
		auto Graphs = std::make_shared<FJsonObject>();
		Graphs->SetStringField("EventGraph", ChainText());
		Body.SetObjectField("graphs", Graphs);
		return FJsonSerializer::SerializeCondensed(Body);
	}

	/**
	 * POST /korvane/blueprint/deploy of a Blueprint with three variables, two components, two
	 * functions and a 500-node event graph, as the route handler runs it: the hand-off and the
	 * deploy script (create or update, compile, save), the array promotion, the deploy paste of
	 * the 500 nodes, the two compiles and the node refresh. Every run after the first updates the
	 * Blueprint the first one made, as a repeated deploy from the desktop app does.
	 */
	void BM_DeployBlueprint500Nodes(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const std::string Body = DeployBody();
		double PastedNodes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = DeployBlueprint(Body);
			if (Response->TryGetBoolField("success") != true)
			{
				State.SkipWithError(("the deploy failed: " + FJsonSerializer::SerializeCondensed(*Response)).c_str());
				break;
			}
			PastedNodes = Response->TryGetObjectField("steps")->TryGetObjectField("graphs")->TryGetObjectField("EventGraph")->TryGetNumberField("nodeCount").value_or(0);
			State.PauseTiming();
			CollectGarbage();
			State.ResumeTiming();
		}
		State.counters["nodes"] = PastedNodes;
		State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Body.size()));
	}
	BENCHMARK(BM_DeployBlueprint500Nodes)->Unit(benchmark::kMillisecond);
}
