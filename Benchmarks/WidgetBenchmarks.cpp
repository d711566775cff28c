#include "../Source/KorvaneConnector/Private/Endpoints/WidgetEndpoints.h"
#include "BenchmarkEditor.h"
#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace
{
	constexpr int BoxCount = 40;
	constexpr int TextsPerBox = 49;
	constexpr int VariableCount = 50;
	constexpr int NodeCount = 500;

	std::string Hex32(unsigned Kind, unsigned Index)
	{
		char Buffer[33];
		std::snprintf(Buffer, sizeof(Buffer), "%08X%08X%08X%08X", Kind, Index, 0x5749u, 0xD6Eu);
		return Buffer;
	}

	/** One slot block of a panel, as the designer writes it. */
	std::string SlotText(std::string_view SlotClass, std::string_view SlotName, std::string_view PanelClass, std::string_view Panel, std::string_view ContentClass, std::string_view Content)
	{
		return "   Begin Object Name=\"" + std::string(SlotName) + "\"\r\n      Padding=(Left=4.000000,Top=2.000000)\r\n      Parent=/Script/UMG." + std::string(PanelClass) + "'\""
			+ std::string(Panel) + "\"'\r\n      Content=/Script/UMG." + std::string(ContentClass) + "'\"" + std::string(Content) + "\"'\r\n   End Object\r\n";
	}

	/** A canvas of 40 vertical boxes of 49 text blocks each: 2,001 widgets, each text with its own words. */
	std::string HierarchyText()
	{
		std::string Text = "Begin Object Class=/Script/UMG.CanvasPanel Name=\"Root\"\r\n";
		for (int Box = 0; Box < BoxCount; ++Box)
		{
			Text += "   Begin Object Class=/Script/UMG.CanvasPanelSlot Name=\"CanvasPanelSlot_" + std::to_string(Box) + "\"\r\n   End Object\r\n";
		}
		for (int Box = 0; Box < BoxCount; ++Box)
		{
			Text += SlotText("CanvasPanelSlot", "CanvasPanelSlot_" + std::to_string(Box), "CanvasPanel", "Root", "VerticalBox", "Box_" + std::to_string(Box));
			Text += "   Slots(" + std::to_string(Box) + ")=/Script/UMG.CanvasPanelSlot'\"CanvasPanelSlot_" + std::to_string(Box) + "\"'\r\n";
		}
		Text += "End Object\r\n";
		for (int Box = 0; Box < BoxCount; ++Box)
		{
			const std::string BoxName = "Box_" + std::to_string(Box);
			Text += "Begin Object Class=/Script/UMG.VerticalBox Name=\"" + BoxName + "\"\r\n";
			for (int Index = 0; Index < TextsPerBox; ++Index)
			{
				Text += "   Begin Object Class=/Script/UMG.VerticalBoxSlot Name=\"VerticalBoxSlot_" + std::to_string(Index) + "\"\r\n   End Object\r\n";
			}
			for (int Index = 0; Index < TextsPerBox; ++Index)
			{
				const std::string TextName = "Label_" + std::to_string(Box) + "_" + std::to_string(Index);
				Text += SlotText("VerticalBoxSlot", "VerticalBoxSlot_" + std::to_string(Index), "VerticalBox", BoxName, "TextBlock", TextName);
				Text += "   Slots(" + std::to_string(Index) + ")=/Script/UMG.VerticalBoxSlot'\"VerticalBoxSlot_" + std::to_string(Index) + "\"'\r\n";
			}
			Text += "End Object\r\n";
			for (int Index = 0; Index < TextsPerBox; ++Index)
			{
				Text += "Begin Object Class=/Script/UMG.TextBlock Name=\"Label_" + std::to_string(Box) + "_" + std::to_string(Index) + "\"\r\n";
				Text += "   Text=NSLOCTEXT(\"\", \"" + Hex32(Box, Index) + "\", \"Entry " + std::to_string(Box * TextsPerBox + Index) + "\")\r\n";
				Text += "   ColorAndOpacity=(SpecifiedColor=(R=0.900000,G=0.800000,B=0.200000,A=1.000000))\r\nEnd Object\r\n";
			}
		}
		return Text;
	}

	std::string ExecPin(unsigned PinKind, unsigned Index, std::string_view Name, std::string_view Direction, std::string_view Link)
	{
		return "   CustomProperties Pin (PinId=" + Hex32(PinKind, Index) + ",PinName=\"" + std::string(Name) + "\",Direction=\"" + std::string(Direction)
			+ "\",PinType.PinCategory=\"exec\",PinType.PinSubCategory=\"\",PinType.PinSubCategoryObject=None,PinType.ContainerType=None," + std::string(Link) + ")\r\n";
	}

	/** 500 Print String calls in one exec chain. */
	std::string GraphText()
	{
		std::string Text;
		for (unsigned Index = 0; Index < NodeCount; ++Index)
		{
			Text += "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_" + std::to_string(Index) + "\"\r\n";
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
		Body.SetStringField("name", "WBP_Bench");
		Body.SetStringField("path", "/Game/Bench");
		Body.SetStringField("widgetType", "UserWidget");
		Body.SetBoolField("overwrite", true);
		Body.SetStringField("hierarchy", HierarchyText());
		constexpr std::string_view Types[] = {"bool", "int", "float", "string", "name", "text", "vector", "linearcolor", "object", "vector2d"};
		FJsonValueArray Variables;
		for (int Index = 0; Index < VariableCount; ++Index)
		{
			auto Variable = std::make_shared<FJsonObject>();
			Variable->SetStringField("name", "Value" + std::to_string(Index));
			Variable->SetStringField("type", Types[Index % std::size(Types)]);
			Variable->SetBoolField("isArray", Index % 7 == 0);
			Variables.emplace_back(std::move(Variable));
		}
		Body.SetArrayField("variables", std::move(Variables));
		auto Graphs = std::make_shared<FJsonObject>();
		Graphs->SetStringField("EventGraph", GraphText());
		Body.SetObjectField("graphs", Graphs);
		return FJsonSerializer::SerializeCondensed(Body);
	}

	/**
	 * POST /korvane/widget/deploy of a 2,001-widget tree with 50 variables and a 500-node event
	 * graph, as the route handler runs it: the existence test, the overwrite's clearing (every run
	 * after the first replaces what the one before made, as a repeated deploy from the desktop app
	 * does), the tree import, the variables, the deploy paste and the three compiles.
	 */
	void BM_DeployWidget2000Widgets(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const std::string Body = DeployBody();
		double Widgets = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = DeployWidget(Body);
			if (Response->TryGetBoolField("success") != true)
			{
				State.SkipWithError(("the deploy failed: " + FJsonSerializer::SerializeCondensed(*Response).substr(0, 2000)).c_str());
				break;
			}
			Widgets = Response->TryGetObjectField("steps")->TryGetObjectField("hierarchy")->TryGetNumberField("widgetCount").value_or(0);
			State.PauseTiming();
			CollectGarbage();
			State.ResumeTiming();
		}
		State.counters["widgets"] = Widgets;
		State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Body.size()));
	}
	BENCHMARK(BM_DeployWidget2000Widgets)->Unit(benchmark::kMillisecond);

	/** POST /korvane/widget/read of that Widget Blueprint: the tree with its changed properties, the variables and the graph's text. */
	void BM_ReadWidget2000Widgets(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		if (DeployWidget(DeployBody())->TryGetBoolField("success") != true)
		{
			State.SkipWithError("the deploy before the read failed");
			return;
		}
		const std::string Body = R"({"blueprintPath":"/Game/Bench/WBP_Bench.WBP_Bench"})";
		std::size_t AnswerBytes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = ReadWidget(Body);
			if (Response->TryGetBoolField("success") != true)
			{
				State.SkipWithError(("the read failed: " + FJsonSerializer::SerializeCondensed(*Response)).c_str());
				break;
			}
			AnswerBytes = FJsonSerializer::SerializeCondensed(*Response).size();
		}
		State.counters["answerBytes"] = static_cast<double>(AnswerBytes);
	}
	BENCHMARK(BM_ReadWidget2000Widgets)->Unit(benchmark::kMillisecond);
}
