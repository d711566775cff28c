#include "GeneratedProject.h"

#include "../Source/KorvaneConnector/Private/Endpoints/AudioEffectsEndpoints.h"
#include "../Source/KorvaneConnector/Private/Endpoints/BlueprintEndpoints.h"
#include "../Source/KorvaneConnector/Private/Endpoints/LevelEndpoints.h"
#include "Core/JsonSerializer.h"

#include <benchmark/benchmark.h>

namespace
{
	/** One listing handler on the 100,000-asset project, its condensed answer included (what the route sends). */
	template <typename THandler>
	void RunListingHandler(benchmark::State& State, THandler Handler, std::string_view ArrayKey)
	{
		const std::unique_ptr<FEditorHost> Host = StartBenchmarkHost();
		std::size_t Entries = 0;
		std::size_t Bytes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Answer = Handler();
			const std::string Text = FJsonSerializer::SerializeCondensed(*Answer);
			Entries = Answer->TryGetArrayField(ArrayKey)->size();
			Bytes = Text.size();
			benchmark::DoNotOptimize(Text.data());
		}
		State.counters["entries"] = static_cast<double>(Entries);
		State.counters["bytes"] = static_cast<double>(Bytes);
	}

	/** GET /korvane/content/folders: every sub-folder of /Game, sorted without regard to case, cut at 500. */
	void BM_ContentFoldersHandler(benchmark::State& State)
	{
		RunListingHandler(State, ListContentFolders, "folders");
	}
	BENCHMARK(BM_ContentFoldersHandler)->Unit(benchmark::kMillisecond);

	/** GET /korvane/niagara/systems: one class query under /Game (about 5,900 systems of the 100,000 assets). */
	void BM_NiagaraSystemsHandler(benchmark::State& State)
	{
		RunListingHandler(State, ListNiagaraSystems, "systems");
	}
	BENCHMARK(BM_NiagaraSystemsHandler)->Unit(benchmark::kMillisecond);

	/** GET /korvane/blueprints: the Blueprint class and all its subclasses under /Game, tags read, nothing loaded. */
	void BM_BlueprintsHandler(benchmark::State& State)
	{
		RunListingHandler(State, ListBlueprints, "blueprints");
	}
	BENCHMARK(BM_BlueprintsHandler)->Unit(benchmark::kMillisecond);
}
