#include "../Source/KorvaneConnector/Private/Endpoints/MaterialPasteDeploy.h"
#include "BenchmarkEditor.h"
#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
	constexpr int ConstantCount = 250;
	constexpr int MultiplyCount = 750;

	struct FNodePlace
	{
		std::string ExpressionName;
		int PosX = 0;
		int PosY = 0;
	};

	FNodePlace PlaceOf(int Index)
	{
		const bool bConstant = Index < ConstantCount;
		const int Number = bConstant ? Index : Index - ConstantCount;
		return {(bConstant ? "MaterialExpressionConstant_" : "MaterialExpressionMultiply_") + std::to_string(Number), Index % 40 * 250, Index / 40 * 150};
	}

	/** 250 constants and 750 multiplies as the editor copies material nodes. */
	std::string NodesText()
	{
		std::string Text;
		for (int Index = 0; Index < ConstantCount + MultiplyCount; ++Index)
		{
			const FNodePlace Place = PlaceOf(Index);
			const std::string Class = Index < ConstantCount ? "/Script/Engine.MaterialExpressionConstant" : "/Script/Engine.MaterialExpressionMultiply";
			const std::string X = std::to_string(Place.PosX);
			const std::string Y = std::to_string(Place.PosY);
			Text += "Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_" + std::to_string(Index) + "\"\r\n";
			Text += "   Begin Object Class=" + Class + " Name=\"" + Place.ExpressionName + "\"\r\n   End Object\r\n";
			Text += "   Begin Object Name=\"" + Place.ExpressionName + "\"\r\n";
			Text += Index < ConstantCount ? "      R=" + std::to_string(Index) + ".000000\r\n" : "";
			Text += "      MaterialExpressionEditorX=" + X + "\r\n      MaterialExpressionEditorY=" + Y + "\r\n   End Object\r\n";
			Text += "   MaterialExpression=" + Class + "'\"" + Place.ExpressionName + "\"'\r\n";
			Text += "   NodePosX=" + X + "\r\n   NodePosY=" + Y + "\r\nEnd Object\r\n";
		}
		return Text;
	}

	std::shared_ptr<FJsonObject> Connection(int From, int To, std::string_view Input)
	{
		const FNodePlace Source = PlaceOf(From);
		const FNodePlace Target = PlaceOf(To);
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("fromExpression", Source.ExpressionName);
		Entry->SetStringField("toExpression", Target.ExpressionName);
		Entry->SetStringField("toInput", Input);
		Entry->SetNumberField("fromPosX", Source.PosX);
		Entry->SetNumberField("fromPosY", Source.PosY);
		Entry->SetNumberField("toPosX", Target.PosX);
		Entry->SetNumberField("toPosY", Target.PosY);
		return Entry;
	}

	/** Each multiply reads the two expressions before it: 1,500 connections, then the last one feeds the base colour. */
	std::string PasteBody()
	{
		FJsonValueArray Connections;
		for (int Index = ConstantCount; Index < ConstantCount + MultiplyCount; ++Index)
		{
			Connections.emplace_back(Connection(Index - 1, Index, "A"));
			Connections.emplace_back(Connection(Index - 2, Index, "B"));
		}
		auto Result = std::make_shared<FJsonObject>();
		Result->SetStringField("pin", "BaseColor");
		Result->SetStringField("fromExpressionName", PlaceOf(ConstantCount + MultiplyCount - 1).ExpressionName);

		FJsonObject Body;
		Body.SetStringField("name", "M_Bench");
		Body.SetStringField("path", "/Game/Bench");
		Body.SetStringField("clipboardText", NodesText());
		Body.SetArrayField("connections", std::move(Connections));
		Body.SetArrayField("resultConnections", FJsonValueArray{Result});
		return FJsonSerializer::SerializeCondensed(Body);
	}

	/**
	 * POST /korvane/material/paste-t3d of 1,000 expressions with 1,500 connections, as the route
	 * handler runs it: every run after the first clears the material the first one made, pastes,
	 * wires, recompiles and reads the compile errors.
	 */
	void BM_PasteMaterial1000Expressions(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const std::string Body = PasteBody();
		double Wired = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = PasteMaterialT3D(Body);
			if (Response->TryGetBoolField("success") != true || Response->HasField("expressionConnectionFailures"))
			{
				State.SkipWithError(("the paste failed: " + FJsonSerializer::SerializeCondensed(*Response).substr(0, 400)).c_str());
				break;
			}
			Wired = Response->TryGetNumberField("expressionConnectionsWired").value_or(0);
			State.PauseTiming();
			CollectGarbage();
			State.ResumeTiming();
		}
		State.counters["wires"] = Wired;
		State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Body.size()));
	}
	BENCHMARK(BM_PasteMaterial1000Expressions)->Unit(benchmark::kMillisecond);
}
