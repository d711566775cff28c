#include "../Source/KorvaneConnector/Private/Endpoints/TextureEndpoints.h"
#include "BenchmarkEditor.h"
#include "GeneratedProject.h"

#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Textures/Texture2D.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

namespace
{
	/** The bytes of a source with a full mip chain, mip 0 first, each mip a diagonal ramp. */
	std::vector<uint8_t> MakeFullChain(int32_t Size, int32_t NumMips, int32_t BytesPerPixel)
	{
		std::vector<uint8_t> Data;
		for (int32_t MipIndex = 0; MipIndex < NumMips; ++MipIndex)
		{
			const int32_t MipSize = std::max(1, Size >> MipIndex);
			for (int32_t Y = 0; Y < MipSize; ++Y)
			{
				for (int32_t X = 0; X < MipSize; ++X)
				{
					for (int32_t Byte = 0; Byte < BytesPerPixel; ++Byte)
					{
						Data.push_back(static_cast<uint8_t>((X + Y + Byte * 64 + MipIndex * 16) & 0xFF));
					}
				}
			}
		}
		return Data;
	}

	/** Count textures /Game/Bench/<Prefix>_<n> with that source; their object paths as a `paths` array body member. */
	std::string MakeBenchTextures(std::string_view Prefix, int Count, int32_t Size, int32_t NumMips, ETextureSourceFormat Format)
	{
		const std::vector<uint8_t> Mips = MakeFullChain(Size, NumMips, FTextureSource::GetBytesPerPixel(Format));
		std::string Paths = R"("paths":[)";
		for (int Index = 0; Index < Count; ++Index)
		{
			const std::string Name = std::string(Prefix) + "_" + std::to_string(Index);
			UPackage* Package = CreatePackage("/Game/Bench/" + Name);
			UTexture2D* Texture = NewObject<UTexture2D>(Package, UTexture2D::StaticClass(), Name, RF_Public | RF_Standalone);
			Texture->Source.Init(Size, Size, 1, NumMips, Format, Mips.data());
			Texture->UpdateResource();
			Paths += (Index > 0 ? ",\"" : "\"") + Texture->GetPathName() + "\"";
		}
		return Paths + "]";
	}

	/** One batch handler on its body, the condensed answer included (what the route sends). */
	template <typename THandler>
	void RunBatchHandler(benchmark::State& State, THandler Handler, const std::string& Body)
	{
		std::size_t Bytes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Answer = Handler(Body);
			const std::string Text = FJsonSerializer::SerializeCondensed(*Answer);
			Bytes = Text.size();
			benchmark::DoNotOptimize(Text.data());
		}
		State.counters["bytes"] = static_cast<double>(Bytes);
	}

	/**
	 * POST /korvane/textures/thumbnail/batch of 100 textures of 4096 × 4096 with full source mip
	 * chains at maxSize 256: mip 4 of each is read, converted and encoded as it is. The sources
	 * are 8-bit grey so that the hundred of them fit in 2.2 GB (8-bit BGRA would take 8.9 GB).
	 */
	void BM_TextureThumbnailBatch100Of4096(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const std::string Body = "{" + MakeBenchTextures("T_Huge", 100, 4096, 13, TSF_G8) + R"(,"maxSize":256})";
		RunBatchHandler(State, GetTextureThumbnailBatch, Body);
	}
	BENCHMARK(BM_TextureThumbnailBatch100Of4096)->Unit(benchmark::kMillisecond);

	/** POST /korvane/texture/analyse/batch of 1,000 8-bit BGRA textures of 256 × 256 with full source mip chains. */
	void BM_TextureAnalysisBatch1000(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const std::string Body = "{" + MakeBenchTextures("T_Analysed", 1000, 256, 9, TSF_BGRA8) + "}";
		RunBatchHandler(State, GetTextureAnalysisBatch, Body);
	}
	BENCHMARK(BM_TextureAnalysisBatch1000)->Unit(benchmark::kMillisecond);

	/** GET /korvane/textures on the 100,000-asset project: exactly Texture2D under /Game, both tags read, nothing loaded. */
	void BM_TexturesHandler100k(benchmark::State& State)
	{
		const std::unique_ptr<FEditorHost> Host = StartBenchmarkHost();
		std::size_t Entries = 0;
		std::size_t Bytes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Answer = ListTextures();
			const std::string Text = FJsonSerializer::SerializeCondensed(*Answer);
			Entries = Answer->TryGetArrayField("textures")->size();
			Bytes = Text.size();
			benchmark::DoNotOptimize(Text.data());
		}
		State.counters["entries"] = static_cast<double>(Entries);
		State.counters["bytes"] = static_cast<double>(Bytes);
	}
	BENCHMARK(BM_TexturesHandler100k)->Unit(benchmark::kMillisecond);
}
