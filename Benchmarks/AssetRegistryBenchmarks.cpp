#include "GeneratedProject.h"

#include "Assets/AssetRegistry.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
	/** The whole start-up of an editor on the project: the registry reads every asset header. */
	void BM_RegistryStartUp(benchmark::State& State)
	{
		GeneratedBenchmarkProject();
		for (auto _ : State)
		{
			benchmark::DoNotOptimize(StartBenchmarkHost());
		}
		State.counters["assets"] = GeneratedProjectAssetCount;
	}
	BENCHMARK(BM_RegistryStartUp)->Unit(benchmark::kMillisecond)->Iterations(3);

	/** The listing routes' query: a class with its subclasses, under /Game with sub-folders. */
	void BM_ClassQueryWithSubclasses(benchmark::State& State)
	{
		const std::unique_ptr<FEditorHost> Host = StartBenchmarkHost();
		FARFilter Filter;
		Filter.ClassPaths.push_back(FTopLevelAssetPath("/Script/Engine.AnimationAsset"));
		Filter.bRecursiveClasses = true;
		Filter.PackagePaths.push_back("/Game");
		Filter.bRecursivePaths = true;
		std::size_t Found = 0;
		for (auto _ : State)
		{
			std::vector<FAssetData> Assets;
			IAssetRegistry::Get()->GetAssets(Filter, Assets);
			Found = Assets.size();
			benchmark::DoNotOptimize(Assets.data());
		}
		State.counters["found"] = static_cast<double>(Found);
	}
	BENCHMARK(BM_ClassQueryWithSubclasses)->Unit(benchmark::kMillisecond);

	void BM_SubPathsRecursive(benchmark::State& State)
	{
		const std::unique_ptr<FEditorHost> Host = StartBenchmarkHost();
		std::size_t Found = 0;
		for (auto _ : State)
		{
			std::vector<std::string> Paths;
			IAssetRegistry::Get()->GetSubPaths("/Game", Paths, true);
			Found = Paths.size();
			benchmark::DoNotOptimize(Paths.data());
		}
		State.counters["folders"] = static_cast<double>(Found);
	}
	BENCHMARK(BM_SubPathsRecursive)->Unit(benchmark::kMicrosecond);

	void BM_ObjectPathLookup(benchmark::State& State)
	{
		const std::unique_ptr<FEditorHost> Host = StartBenchmarkHost();
		std::vector<FAssetData> All;
		IAssetRegistry::Get()->GetAllAssets(All);
		std::vector<FSoftObjectPath> Paths;
		for (std::size_t Index = 0; Index < All.size(); Index += 97)
		{
			Paths.push_back(All[Index].GetSoftObjectPath());
		}
		std::size_t Next = 0;
		for (auto _ : State)
		{
			FAssetData Asset = IAssetRegistry::Get()->GetAssetByObjectPath(Paths[Next]);
			benchmark::DoNotOptimize(Asset);
			Next = (Next + 1) % Paths.size();
		}
	}
	BENCHMARK(BM_ObjectPathLookup)->Unit(benchmark::kMicrosecond);
}
