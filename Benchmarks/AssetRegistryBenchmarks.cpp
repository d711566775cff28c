#include "Assets/AssetRegistry.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Runtime/EditorHost.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace
{
	constexpr int AssetCount = 100000;
	constexpr int FolderCount = 1000;

	/** The generated 100,000-asset project, written once under the temporary folder and reused by later runs. */
	std::string GeneratedProject()
	{
		const std::string Dir = UserTempDir() + "KorvaneBenchProject-" + std::to_string(AssetCount);
		const std::string Marker = Dir + "/.complete";
		if (!std::filesystem::exists(Marker))
		{
			std::filesystem::remove_all(Dir);
			const std::string Command = std::string(KORVANE_SOURCE_DIR "/scripts/generate-project ") + Dir + " --assets " + std::to_string(AssetCount)
				+ " --folders " + std::to_string(FolderCount);
			if (std::system(Command.c_str()) != 0)
			{
				throw std::runtime_error("generate-project failed");
			}
			std::filesystem::create_directories(Dir);
			FILE* File = std::fopen(Marker.c_str(), "w");
			if (File != nullptr)
			{
				std::fclose(File);
			}
		}
		return Dir;
	}

	std::unique_ptr<FEditorHost> StartHost()
	{
		FLog::SetStderrEnabled(false);
		FEditorHostOptions Options;
		Options.ProjectDir = GeneratedProject();
		Options.HttpPort = 0;
		std::string Error;
		std::unique_ptr<FEditorHost> Host = FEditorHost::Create(Options, Error);
		if (!Host)
		{
			throw std::runtime_error(Error);
		}
		return Host;
	}

	/** The whole start-up of an editor on the project: the registry reads every asset header. */
	void BM_RegistryStartUp(benchmark::State& State)
	{
		GeneratedProject();
		for (auto _ : State)
		{
			benchmark::DoNotOptimize(StartHost());
		}
		State.counters["assets"] = AssetCount;
	}
	BENCHMARK(BM_RegistryStartUp)->Unit(benchmark::kMillisecond)->Iterations(3);

	/** The listing routes' query: a class with its subclasses, under /Game with sub-folders. */
	void BM_ClassQueryWithSubclasses(benchmark::State& State)
	{
		const std::unique_ptr<FEditorHost> Host = StartHost();
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
		const std::unique_ptr<FEditorHost> Host = StartHost();
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
		const std::unique_ptr<FEditorHost> Host = StartHost();
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
