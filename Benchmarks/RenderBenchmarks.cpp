#include "BenchmarkEditor.h"

#include "Materials/Material.h"
#include "Materials/MaterialShaderMap.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Render/CanvasTypes.h"
#include "Render/MaterialRenderProxy.h"
#include "Render/ObjectTools.h"
#include "Render/RendererInterface.h"
#include "Render/SceneView.h"
#include "Render/ThumbnailHelpers.h"
#include "Textures/TextureRenderTarget2D.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

namespace
{
	/** A default-lit material whose base colour is a constant, as the material compiler hands it over. */
	FMaterialShaderMap LitColorShaderMap()
	{
		FMaterialShaderMap ShaderMap;
		ShaderMap.PixelGlsl = R"(#version 450
layout(binding = 1, std140) uniform type_Material { vec4 Values[1]; } Material;
layout(location = 1) in vec3 in_var_WORLD_NORMAL;
layout(location = 0) out vec4 out_var_SV_Target0;
layout(location = 1) out vec4 out_var_SV_Target1;
layout(location = 2) out vec4 out_var_SV_Target2;
layout(location = 3) out vec4 out_var_SV_Target3;
void main()
{
	out_var_SV_Target0 = vec4(Material.Values[0].rgb, 1.0);
	out_var_SV_Target1 = vec4(normalize(in_var_WORLD_NORMAL) * 0.5 + 0.5, 1.0);
	out_var_SV_Target2 = vec4(0.0, 0.5, 0.4, 1.0);
	out_var_SV_Target3 = vec4(0.0, 0.0, 0.0, 1.0);
}
)";
		ShaderMap.Uniforms.push_back({"", 0, 3, {0.8f, 0.3f, 0.1f, 0.0f}});
		ShaderMap.UniformBlockFloats = 4;
		return ShaderMap;
	}

	UMaterial* MakeBenchMaterial(const FMaterialShaderMap& ShaderMap)
	{
		UPackage* Package = CreatePackage("/Game/Bench/M_Bench");
		UMaterial* Material = NewObject<UMaterial>(Package, UMaterial::StaticClass(), "M_Bench", RF_Public | RF_Standalone);
		SetMaterialShaderMapProvider([&ShaderMap, Material](UMaterial& Asked) { return &Asked == Material ? &ShaderMap : nullptr; });
		return Material;
	}

	class FTurntableScene : public FMaterialThumbnailScene
	{
	public:
		float YawOffset = 0.0f;

	protected:
		void GetViewMatrixParameters(float InFOVDegrees, FVector& OutOrigin, float& OutOrbitPitch, float& OutOrbitYaw, float& OutOrbitZoom) const override
		{
			FMaterialThumbnailScene::GetViewMatrixParameters(InFOVDegrees, OutOrigin, OutOrbitPitch, OutOrbitYaw, OutOrbitZoom);
			OutOrbitYaw += YawOffset;
		}
	};
}

// The still material thumbnail (256 × 256) once the device, programs and meshes are warm.
static void BM_MaterialThumbnailWarm(benchmark::State& State)
{
	FBenchmarkEditor Editor;
	const FMaterialShaderMap ShaderMap = LitColorShaderMap();
	UMaterial* Material = MakeBenchMaterial(ShaderMap);
	FObjectThumbnail Thumbnail;
	ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(Material, Thumbnail);
	if (Thumbnail.IsEmpty())
	{
		State.SkipWithError("no thumbnail was rendered");
	}
	for (auto _ : State)
	{
		ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(Material, Thumbnail);
		benchmark::DoNotOptimize(Thumbnail.GetUncompressedImageData().data());
	}
	SetMaterialShaderMapProvider({});
}
BENCHMARK(BM_MaterialThumbnailWarm)->Unit(benchmark::kMillisecond);

// A turntable's pixels: 120 frames at 512 × 512, each rendered, flushed and read back.
static void BM_Turntable120FramesAt512(benchmark::State& State)
{
	FBenchmarkEditor Editor;
	const FMaterialShaderMap ShaderMap = LitColorShaderMap();
	UMaterial* Material = MakeBenchMaterial(ShaderMap);
	auto* RenderTarget = NewObject<UTextureRenderTarget2D>(nullptr);
	RenderTarget->InitCustomFormat(512, 512, PF_B8G8R8A8, false);
	RenderTarget->UpdateResourceImmediate(true);
	FTextureRenderTargetResource* Resource = RenderTarget->GameThread_GetRenderTargetResource();
	FTurntableScene Scene;
	Scene.SetMaterialInterface(Material);
	std::vector<FColor> Pixels;
	for (auto _ : State)
	{
		int32_t Rendered = 0;
		for (int32_t Frame = 0; Frame < 120; ++Frame)
		{
			Scene.YawOffset = static_cast<float>(Frame) * 360.0f * (1.0f / 120.0f);
			const FGameTime Time = FGameTime::GetTimeSinceAppStart();
			FCanvas Canvas(Resource, nullptr, Time, GMaxRHIFeatureLevel);
			Canvas.Clear(FLinearColor{0.0f, 0.0f, 0.0f, 1.0f});
			FSceneViewFamilyContext ViewFamily(FSceneViewFamily::ConstructionValues(Resource, Scene.GetScene(), FEngineShowFlags(ESFIM_Game)).SetTime(Time));
			Scene.CreateView(&ViewFamily, 0, 0, 512, 512);
			GetRendererModule().BeginRenderingViewFamily(&Canvas, &ViewFamily);
			Canvas.Flush_GameThread();
			FlushRenderingCommands();
			Rendered += Resource->ReadPixels(Pixels) && GetRendererModule().LastFrameSucceeded() ? 1 : 0;
		}
		if (Rendered != 120)
		{
			State.SkipWithError("a frame was not rendered");
			break;
		}
	}
	SetMaterialShaderMapProvider({});
}
BENCHMARK(BM_Turntable120FramesAt512)->Unit(benchmark::kMillisecond)->Iterations(3);
