#include "BenchmarkEditor.h"

#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialShaderCompiler.h"
#include "Materials/MaterialShaderMap.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Textures/Texture.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

namespace
{
	/** The material's size: 200 expressions after its seed constant. */
	constexpr int ExpressionCount = 200;

	/**
	 * A 200-expression material: 20 texture samples, 40 parameters and 140 math expressions
	 * (multiply, add, lerp, saturate, one-minus in turn) folding them into base colour, after a
	 * seed constant that a benchmark changes to make a translation no cache has seen.
	 */
	struct FShaderBenchMaterial
	{
		UMaterial* Material = nullptr;
		UMaterialExpression* Seed = nullptr;
	};

	UMaterialExpression* AddExpression(UMaterial& Material, std::string_view Class)
	{
		UMaterialExpression* const Expression = NewMaterialExpression(&Material, "/Script/Engine.MaterialExpression" + std::string(Class));
		Expression->Material = &Material;
		Material.GetExpressionCollection().AddExpression(Expression);
		return Expression;
	}

	FShaderBenchMaterial BuildShaderBenchMaterial(std::string_view Name)
	{
		UPackage* const Package = CreatePackage("/Game/Bench/" + std::string(Name));
		auto* const Material = NewObject<UMaterial>(Package, Name, RF_Public | RF_Standalone);
		UPackage* const TexturePackage = CreatePackage("/Game/Bench/T_Bench");
		UTexture* const Texture = NewObject<UTexture>(TexturePackage, FindEngineClassChecked("/Script/Engine.Texture2D"), "T_Bench", RF_Public | RF_Standalone);
		FShaderBenchMaterial Bench{Material, AddExpression(*Material, "Constant3Vector")};
		UMaterialExpression* Value = Bench.Seed;
		int Count = 1;
		for (int Block = 0; Count < ExpressionCount; ++Block)
		{
			auto* const Sample = static_cast<UMaterialExpressionTextureSample*>(AddExpression(*Material, "TextureSample"));
			Sample->SetTexture(Texture);
			auto* const Tint = static_cast<UMaterialExpressionVectorParameter*>(AddExpression(*Material, "VectorParameter"));
			FMaterialParameterFields::SetParameterName(*Tint, "Tint" + std::to_string(Block));
			auto* const Amount = static_cast<UMaterialExpressionScalarParameter*>(AddExpression(*Material, "ScalarParameter"));
			FMaterialParameterFields::SetParameterName(*Amount, "Amount" + std::to_string(Block));
			UMaterialExpression* const Tinted = AddExpression(*Material, "Multiply");
			Tinted->GetInput(0)->Connect(0, *Sample);
			Tinted->GetInput(1)->Connect(0, *Tint);
			UMaterialExpression* const Sum = AddExpression(*Material, "Add");
			Sum->GetInput(0)->Connect(0, *Value);
			Sum->GetInput(1)->Connect(0, *Tinted);
			UMaterialExpression* const Lerp = AddExpression(*Material, "LinearInterpolate");
			Lerp->GetInput(0)->Connect(0, *Value);
			Lerp->GetInput(1)->Connect(0, *Sum);
			Lerp->GetInput(2)->Connect(0, *Amount);
			UMaterialExpression* const Clamped = AddExpression(*Material, "Saturate");
			Clamped->GetInput(0)->Connect(0, *Lerp);
			UMaterialExpression* const Scaled = AddExpression(*Material, "Multiply");
			Scaled->GetInput(0)->Connect(0, *Clamped);
			UMaterialExpression* const Shifted = AddExpression(*Material, "Add");
			Shifted->GetInput(0)->Connect(0, *Scaled);
			UMaterialExpression* const Softened = AddExpression(*Material, "OneMinus");
			Softened->GetInput(0)->Connect(0, *Shifted);
			Value = Softened;
			Count += 10;
		}
		Material->GetExpressionInputForProperty(MP_BaseColor)->Connect(0, *Value);
		if (static_cast<int>(Material->GetExpressions().size()) != ExpressionCount + 1)
		{
			throw std::runtime_error("the bench material has " + std::to_string(Material->GetExpressions().size()) + " expressions");
		}
		return Bench;
	}

	void CompileOrThrow(const UMaterial& Material)
	{
		const FMaterialShaderCompileResult Result = CompileMaterialShaderMap(Material);
		if (Result.ShaderMap == nullptr)
		{
			throw std::runtime_error("the bench material did not compile: " + (Result.Errors.empty() ? std::string() : Result.Errors.front()));
		}
		benchmark::DoNotOptimize(Result.ShaderMap->PixelGlsl.data());
	}

	/** Translation, glslang and SPIRV-Cross: every iteration changes a constant, so no compile is cached. */
	void BM_CompileMaterialShader200ExpressionsCold(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const FShaderBenchMaterial Bench = BuildShaderBenchMaterial("M_ShaderCold");
		int Iteration = 0;
		for (auto _ : State)
		{
			Bench.Seed->SetKeptPropertyText("Constant", "(R=" + std::to_string(++Iteration) + ".0,G=0.0,B=0.0,A=0.0)");
			CompileOrThrow(*Bench.Material);
		}
	}
	BENCHMARK(BM_CompileMaterialShader200ExpressionsCold)->Unit(benchmark::kMillisecond);

	/** The same material again: the translation runs, the compiled shader comes from the cache. */
	void BM_CompileMaterialShader200ExpressionsCached(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const FShaderBenchMaterial Bench = BuildShaderBenchMaterial("M_ShaderCached");
		CompileOrThrow(*Bench.Material);
		const int64_t HitsBefore = GetMaterialShaderCacheHits();
		for (auto _ : State)
		{
			CompileOrThrow(*Bench.Material);
		}
		State.counters["cacheHits"] = static_cast<double>(GetMaterialShaderCacheHits() - HitsBefore);
	}
	BENCHMARK(BM_CompileMaterialShader200ExpressionsCached)->Unit(benchmark::kMillisecond);
}
