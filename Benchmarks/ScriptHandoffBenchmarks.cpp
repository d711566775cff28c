#include "../Source/KorvaneConnector/Private/ScriptHandoff.h"
#include "Core/Guid.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Runtime/EditorHost.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace
{
	/** An empty project with the embedded interpreter, and a plug-in folder shipping one script; both removed at the end. */
	class FHandoffBenchmarkEditor
	{
	public:
		explicit FHandoffBenchmarkEditor(std::string_view Script)
			: Dir(UserTempDir() + "KorvaneHandoffBench-" + FGuid::NewGuid().ToString() + "/")
		{
			FLog::SetStderrEnabled(false);
			std::filesystem::create_directories(Dir + "Project/Content");
			std::filesystem::create_directories(Dir + "Plugin/Resources");
			std::ofstream(Dir + "Project/Bench.uproject") << "{}";
			std::ofstream(Dir + "Plugin/Resources/_kv_bench.py") << Script;

			FEditorHostOptions Options;
			Options.ProjectDir = Dir + "Project";
			Options.ConnectorPluginDir = Dir + "Plugin/";
			Options.HttpPort = 0;
			std::string Error;
			Host = FEditorHost::Create(Options, Error);
			if (!Host)
			{
				throw std::runtime_error(Error);
			}
		}
		~FHandoffBenchmarkEditor()
		{
			Host.reset();
			std::filesystem::remove_all(Dir);
		}

	private:
		std::string Dir;
		std::unique_ptr<FEditorHost> Host;
	};

	FScriptHandoffParams BenchParams()
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = "_kv_bench_payload.json";
		Params.ResultFileName = "_kv_bench_result.json";
		Params.ScriptFileName = "_kv_bench.py";
		Params.PayloadText = R"({"name":"Crate","path":"/Game/Generated"})";
		return Params;
	}

	/**
	 * One whole hand-off around a script that only writes its result: payload
	 * written, stale result checked, script copied, three Python commands, result
	 * read, files deleted.
	 */
	void BM_ScriptHandoffMinimalScript(benchmark::State& State)
	{
		const FHandoffBenchmarkEditor Editor("open(__kv_result_path, 'w').write('{\"success\": true}')\n");
		const FScriptHandoffParams Params = BenchParams();
		for (auto _ : State)
		{
			const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
			if (!Outcome.Succeeded())
			{
				State.SkipWithError("the hand-off failed");
				break;
			}
			benchmark::DoNotOptimize(Outcome.ResultText.data());
		}
	}
	BENCHMARK(BM_ScriptHandoffMinimalScript)->Unit(benchmark::kMicrosecond);

	/** The same around an empty script: everything but the result (the run ends at "no result file"). */
	void BM_ScriptHandoffEmptyScript(benchmark::State& State)
	{
		const FHandoffBenchmarkEditor Editor("");
		const FScriptHandoffParams Params = BenchParams();
		for (auto _ : State)
		{
			const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
			benchmark::DoNotOptimize(Outcome.Failure);
		}
	}
	BENCHMARK(BM_ScriptHandoffEmptyScript)->Unit(benchmark::kMicrosecond);
}
