#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace
{
	/** Roughly 1 MB once written condensed. */
	constexpr int NodeCount = 900;

	std::shared_ptr<FJsonObject> MakePin(int Node, int Pin)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("name", "Pin_" + std::to_string(Pin));
		Object->SetStringField("type", Pin % 2 ? "float" : "struct /Script/CoreUObject.Vector");
		Object->SetStringField("default", "line one\nline \"two\"\t\\path\\to\\asset");
		Object->SetNumberField("value", Node * 0.125 + Pin / 3.0);
		Object->SetBoolField("connected", Pin % 3 == 0);
		FJsonValueArray Links;
		for (int Link = 0; Link < Pin % 3; ++Link)
		{
			Links.emplace_back("Node_" + std::to_string((Node + Link + 1) % NodeCount) + ".Pin_" + std::to_string(Link));
		}
		Object->SetArrayField("links", std::move(Links));
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeNode(int Node)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("id", "4F2A9C1E-0000-4000-8000-" + std::to_string(100000000000 + Node));
		Object->SetStringField("title", "Node " + std::to_string(Node) + " \xe2\x80\x94 \"Set Actor Location\"");
		Object->SetStringField("class", "/Script/BlueprintGraph.K2Node_CallFunction");
		Object->SetArrayField("position", FJsonValueArray{Node * 16.5, -Node * 3.25});
		FJsonValueArray Pins;
		for (int Pin = 0; Pin < 5; ++Pin)
		{
			Pins.emplace_back(MakePin(Node, Pin));
		}
		Object->SetArrayField("pins", std::move(Pins));
		auto Properties = std::make_shared<FJsonObject>();
		Properties->SetNumberField("serial", static_cast<double>(int64_t{1} << 40) + Node);
		Properties->SetNumberField("scale", 1e-7 * Node);
		Properties->SetStringField("comment", "");
		Properties->SetField("owner", nullptr);
		Object->SetObjectField("properties", Properties);
		return Object;
	}

	const FJsonObject& Graph()
	{
		static const FJsonObject Root = []
		{
			FJsonObject Object;
			Object.SetStringField("graph", "EventGraph");
			Object.SetNumberField("version", 3);
			FJsonValueArray Nodes;
			for (int Node = 0; Node < NodeCount; ++Node)
			{
				Nodes.emplace_back(MakeNode(Node));
			}
			Object.SetArrayField("nodes", std::move(Nodes));
			return Object;
		}();
		return Root;
	}

	void BM_JsonWriteCondensed(benchmark::State& State)
	{
		std::size_t Bytes = 0;
		for (auto _ : State)
		{
			const std::string Text = FJsonSerializer::SerializeCondensed(Graph());
			Bytes += Text.size();
			benchmark::DoNotOptimize(Text.data());
		}
		State.SetBytesProcessed(static_cast<int64_t>(Bytes));
	}
	BENCHMARK(BM_JsonWriteCondensed)->Unit(benchmark::kMillisecond);

	void BM_JsonWritePretty(benchmark::State& State)
	{
		std::size_t Bytes = 0;
		for (auto _ : State)
		{
			const std::string Text = FJsonSerializer::SerializePretty(Graph());
			Bytes += Text.size();
			benchmark::DoNotOptimize(Text.data());
		}
		State.SetBytesProcessed(static_cast<int64_t>(Bytes));
	}
	BENCHMARK(BM_JsonWritePretty)->Unit(benchmark::kMillisecond);

	void BM_JsonDeserializeObject(benchmark::State& State)
	{
		const std::string Body = FJsonSerializer::SerializeCondensed(Graph());
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Body);
			benchmark::DoNotOptimize(Object.get());
		}
		State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Body.size()));
		State.counters["body_bytes"] = static_cast<double>(Body.size());
	}
	BENCHMARK(BM_JsonDeserializeObject)->Unit(benchmark::kMillisecond);
}
