#include "Assets/AssetFiles.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialTestGraphs.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/CanvasTypes.h"
#include "Render/ImageRenderTarget.h"
#include "Render/ObjectTools.h"
#include "Render/RenderTestSupport.h"
#include "Render/RendererInterface.h"
#include "Render/SceneView.h"
#include "Render/ThumbnailHelpers.h"
#include "Support/TestEditor.h"
#include "Textures/Texture2D.h"
#include "Textures/TextureRenderTarget2D.h"

#include <gtest/gtest.h>

#include <memory>

using namespace RenderTestSupport;

namespace
{
	/** A material thumbnail scene seen from further round: what a turntable frame is. */
	class FYawedMaterialScene : public FMaterialThumbnailScene
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

	class SceneRendering : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		FScopedShaderMaps ShaderMaps;

		UMaterial* ConstantMaterial(std::string_view Path, const FLinearColor& Color, bool bUnlit)
		{
			UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>(Path);
			ShaderMaps.Set(Material, ConstantColorShaderMap(Color, bUnlit));
			return Material;
		}

		/** Renders the thumbnail scene's view of the rectangle into the target, as the turntable does; whether the frame was drawn. */
		static bool RenderScene(FThumbnailPreviewScene& Scene, FRenderTarget& Target, const FLinearColor& ClearColor, int32_t X, int32_t Y, uint32_t Size)
		{
			const FGameTime Time = FGameTime::GetTimeSinceAppStart();
			FCanvas Canvas(&Target, nullptr, Time, GMaxRHIFeatureLevel);
			Canvas.Clear(ClearColor);
			FSceneViewFamilyContext ViewFamily(
				FSceneViewFamily::ConstructionValues(&Target, Scene.GetScene(), FEngineShowFlags(ESFIM_Game)).SetTime(Time));
			if (Scene.CreateView(&ViewFamily, X, Y, Size, Size) == nullptr)
			{
				return false;
			}
			GetRendererModule().BeginRenderingViewFamily(&Canvas, &ViewFamily);
			Canvas.Flush_GameThread();
			FlushRenderingCommands();
			return GetRendererModule().LastFrameSucceeded();
		}

		static FImage ReadImage(const FRenderTarget& Target)
		{
			FImage Image;
			Image.Width = Target.GetSizeXY().X;
			Image.Height = Target.GetSizeXY().Y;
			EXPECT_TRUE(Target.ReadPixels(Image.Pixels));
			return Image;
		}

		/** A texture whose left half (U below 0.5) is red and right half blue. */
		static UTexture2D* HalfRedHalfBlueTexture()
		{
			auto* Texture = MaterialTestGraphs::NewAsset<UTexture2D>("/Game/T_Halves");
			std::vector<uint8_t> Pixels;
			for (int32_t Y = 0; Y < 16; ++Y)
			{
				for (int32_t X = 0; X < 16; ++X)
				{
					Pixels.insert(Pixels.end(), X < 8 ? std::initializer_list<uint8_t>{0, 0, 255, 255} : std::initializer_list<uint8_t>{255, 0, 0, 255});
				}
			}
			Texture->Source.Init(16, 16, 1, 1, TSF_BGRA8, Pixels.data());
			return Texture;
		}
	};
}

TEST_F(SceneRendering, TheRenderTargetReadsBackWhatWasDrawnInsideTheViewAndTheClearOutsideIt)
{
	// Unlit 0.5 grey is 188 once sRGB-encoded, and 128 in a target that forces linear gamma.
	UMaterial* Grey = ConstantMaterial("/Game/M_Grey", {0.5f, 0.5f, 0.5f, 1.0f}, true);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(Grey);
	for (const bool bLinear : {false, true})
	{
		SCOPED_TRACE(bLinear ? "linear" : "sRGB");
		auto* RenderTarget = NewObject<UTextureRenderTarget2D>(nullptr);
		RenderTarget->InitCustomFormat(96, 64, PF_B8G8R8A8, bLinear);
		FTextureRenderTargetResource* Resource = RenderTarget->GameThread_GetRenderTargetResource();
		ASSERT_NE(Resource, nullptr);
		ASSERT_TRUE(RenderScene(Scene, *Resource, {0.0f, 1.0f, 0.0f, 1.0f}, 32, 0, 64));
		const FImage Image = ReadImage(*Resource);
		ASSERT_EQ(Image.Pixels.size(), 96u * 64u);
		const uint8_t Expected = bLinear ? 128 : 188;
		const FColor& Centre = Image.At(64, 32);
		EXPECT_NEAR(Centre.R, Expected, 1);
		EXPECT_NEAR(Centre.G, Expected, 1);
		EXPECT_NEAR(Centre.B, Expected, 1);
		EXPECT_EQ(Centre.A, 255);
		// Left of the view the canvas clear stays; the view's own background is black.
		EXPECT_EQ(Image.At(10, 32), (FColor{0, 255, 0, 255}));
		EXPECT_EQ(Image.At(33, 1), (FColor{0, 0, 0, 255}));
	}
}

TEST_F(SceneRendering, TwoYawsOfATexturedMaterialGiveDifferentPicturesAndTheSameYawTheSamePicture)
{
	UTexture2D* Texture = HalfRedHalfBlueTexture();
	UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_Halves");
	ShaderMaps.Set(Material, TexturedShaderMap(Texture->GetPathName()));
	FYawedMaterialScene Scene;
	Scene.SetMaterialInterface(Material);

	const auto Render = [&](float Yaw) {
		Scene.YawOffset = Yaw;
		FImageRenderTarget Target(128, 128);
		EXPECT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 128));
		return ReadImage(Target);
	};
	const FImage Front = Render(0.0f);
	const FImage Again = Render(0.0f);
	const FImage Turned = Render(180.0f);
	EXPECT_EQ(CountDifferentPixels(Front, Again, 0), 0);
	// Half a turn shows the other half of the texture at the centre.
	const FLinearColor FrontCentre = Front.MeanAround(64, 64, 4);
	const FLinearColor TurnedCentre = Turned.MeanAround(64, 64, 4);
	EXPECT_GT(std::abs(FrontCentre.R - TurnedCentre.R), 0.3f);
	EXPECT_GT(std::abs(FrontCentre.B - TurnedCentre.B), 0.3f);
	EXPECT_GT(CountDifferentPixels(Front, Turned, 40), 128 * 128 / 4);
}

TEST_F(SceneRendering, AShaderThatDoesNotLinkFailsTheFrameWithAWarningAndLeavesTheTargetUnreadable)
{
	UMaterial* Broken = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_Broken");
	FMaterialShaderMap ShaderMap = ConstantColorShaderMap({1.0f, 0.0f, 0.0f, 1.0f}, false);
	ShaderMap.PixelGlsl = MaterialPixelShader("", "\tBaseColor = UndeclaredValue.rgb;\n");
	ShaderMaps.Set(Broken, ShaderMap);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(Broken);

	FLogCapture Log;
	FImageRenderTarget Target(32, 32);
	EXPECT_FALSE(RenderScene(Scene, Target, {0.0f, 0.0f, 1.0f, 1.0f}, 0, 0, 32));
	for (const FColor& Pixel : Target.GetPixels())
	{
		ASSERT_EQ(Pixel, (FColor{255, 0, 0, 255}));
	}
	std::vector<FColor> ReadBack;
	EXPECT_FALSE(Target.ReadPixels(ReadBack)) << "a failed frame must not read back as a picture";
	bool bWarned = false;
	for (const FLogLine& Line : Log.Lines())
	{
		bWarned |= Line.Verbosity == ELogVerbosity::Warning && Line.Message.find("/Game/M_Broken.M_Broken does not link") != std::string::npos;
	}
	EXPECT_TRUE(bWarned);

	FObjectThumbnail Thumbnail;
	ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(Broken, Thumbnail);
	EXPECT_TRUE(Thumbnail.IsEmpty());
	EXPECT_TRUE(Log.Contains("Renderer: no thumbnail for /Game/M_Broken.M_Broken"));

	// The next frame with a good material renders again.
	Scene.SetMaterialInterface(ConstantMaterial("/Game/M_Good", {1.0f, 1.0f, 1.0f, 1.0f}, true));
	EXPECT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 1.0f, 1.0f}, 0, 0, 32));
	EXPECT_EQ(Target.GetPixels()[16 * 32 + 16], (FColor{255, 255, 255, 255}));
	EXPECT_TRUE(Target.ReadPixels(ReadBack));
}

TEST_F(SceneRendering, ATranslucentMaterialIsBlendedOverTheBackgroundByItsOpacity)
{
	UMaterial* Glass = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_Glass");
	FMaterialShaderMap ShaderMap;
	ShaderMap.PixelGlsl = MaterialPixelShader("", "\tEmissive = vec3(1.0, 0.0, 0.0);\n\tShadingModel = 0.0;\n\tOpacity = 0.5;\n");
	ShaderMap.BlendMode = BLEND_Translucent;
	ShaderMap.bUnlit = true;
	ShaderMaps.Set(Glass, ShaderMap);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(Glass);
	FImageRenderTarget Target(64, 64);
	ASSERT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 64));
	// Half of linear red over black is 0.5, 188 in sRGB.
	const FColor& Centre = Target.GetPixels()[32 * 64 + 32];
	EXPECT_NEAR(Centre.R, 188, 2);
	EXPECT_EQ(Centre.G, 0);
	EXPECT_EQ(Centre.B, 0);
}

TEST_F(SceneRendering, PointLightsFallOffWithDistanceAndStopAtTheirAttenuationRadius)
{
	UMaterial* White = ConstantMaterial("/Game/M_White", {1.0f, 1.0f, 1.0f, 1.0f}, false);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(White);
	FSceneInterface& World = *Scene.GetScene();
	World.GetDirectionalLights().clear();
	World.GetSkyLight().Intensity = 0.0f;
	const auto RenderCentre = [&](float AttenuationRadius, double Distance) {
		World.GetPointLights().clear();
		FPointLight Light;
		// On the camera's side of the sphere (the orbit camera sits at yaw -157.5 on +X, +Y).
		Light.Location = FVector{0.383, 0.924, 0.2} * (50.0 + Distance) + FVector{0.0, 0.0, 51.0};
		Light.Intensity = 1.0f;
		Light.AttenuationRadius = AttenuationRadius;
		World.GetPointLights().push_back(Light);
		FImageRenderTarget Target(64, 64);
		EXPECT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 64));
		return Target.GetPixels()[32 * 64 + 32].G;
	};
	const uint8_t Near = RenderCentre(1000.0f, 60.0);
	const uint8_t Far = RenderCentre(1000.0f, 120.0);
	const uint8_t OutOfReach = RenderCentre(100.0f, 120.0);
	EXPECT_GT(Near, Far + 20);
	EXPECT_GT(Far, 10);
	EXPECT_EQ(OutOfReach, 0);
}

TEST_F(SceneRendering, MeshesMadeAtRunTimeAreDrawnWithTheirMaterial)
{
	UMaterial* Yellow = ConstantMaterial("/Game/M_Yellow", {1.0f, 1.0f, 0.0f, 1.0f}, true);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(nullptr);
	FDynamicMeshPrimitive Quad;
	// A square of 20 cm in front of the sphere, on the line from its centre to the orbit camera (pitch -11.25, yaw -157.5).
	const FVector Towards{0.375, 0.906, 0.195};
	const FVector Across{0.924, -0.383, 0.0};
	const FVector Centre = Towards * 80.0 + FVector{0.0, 0.0, 51.0};
	for (const auto& [U, V] : {std::pair{-1.0, -1.0}, std::pair{1.0, -1.0}, std::pair{1.0, 1.0}, std::pair{-1.0, 1.0}})
	{
		Quad.Positions.push_back((Centre + Across * (10.0 * U) + FVector{0.0, 0.0, 10.0 * V}).ToFloat());
		Quad.Normals.push_back(Towards.ToFloat());
	}
	Quad.Indices = {0, 1, 2, 0, 2, 3};
	Quad.Sections.push_back({0, 6, Yellow});
	Scene.GetScene()->AddDynamicMesh(std::move(Quad));
	FImageRenderTarget Target(64, 64);
	ASSERT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 64));
	EXPECT_EQ(Target.GetPixels()[32 * 64 + 32], (FColor{0, 255, 255, 255}));
	// Beside the square the default material's grey sphere shows.
	const FColor& Beside = Target.GetPixels()[32 * 64 + 12];
	EXPECT_EQ(Beside.R, Beside.B);
	EXPECT_GT(Beside.R, 40);
}

TEST_F(SceneRendering, AViewOfItsOwnDrawsOverWhatTheCanvasClearedAndClipsAtItsNearPlane)
{
	UMaterial* White = ConstantMaterial("/Game/M_Plain", {1.0f, 1.0f, 1.0f, 1.0f}, true);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(White);
	const auto Render = [&](float NearPlane, float FOV) {
		FImageRenderTarget Target(64, 64);
		const FGameTime Time = FGameTime::GetTimeSinceAppStart();
		FCanvas Canvas(&Target, nullptr, Time, GMaxRHIFeatureLevel);
		Canvas.Clear({0.0f, 1.0f, 0.0f, 1.0f});
		FSceneViewFamilyContext ViewFamily(FSceneViewFamily::ConstructionValues(&Target, Scene.GetScene(), FEngineShowFlags(ESFIM_Game)).SetTime(Time));
		auto View = std::make_unique<FSceneView>();
		View->UnscaledViewRect = {{0, 0}, {64, 64}};
		// 300 cm in front of the sphere on +X, looking back along -X.
		View->ViewLocation = FVector{300.0, 0.0, 51.0};
		View->ViewRotation = FRotator{0.0, 180.0, 0.0};
		View->FOV = FOV;
		View->NearClippingDistance = NearPlane;
		ViewFamily.AddView(std::move(View));
		GetRendererModule().BeginRenderingViewFamily(&Canvas, &ViewFamily);
		EXPECT_TRUE(GetRendererModule().LastFrameSucceeded());
		return ReadImage(Target);
	};
	const FImage Seen = Render(1.0f, 30.0f);
	EXPECT_EQ(Seen.At(32, 32), (FColor{255, 255, 255, 255}));
	EXPECT_EQ(Seen.At(1, 1), (FColor{0, 255, 0, 255}));
	// A field of view twice as wide shows the sphere about half as wide.
	const auto WhiteInRow = [](const FImage& Image) {
		int32_t Count = 0;
		for (int32_t X = 0; X < Image.Width; ++X)
		{
			Count += Image.At(X, 32) == FColor{255, 255, 255, 255} ? 1 : 0;
		}
		return Count;
	};
	const int32_t Narrow = WhiteInRow(Seen);
	const int32_t Wide = WhiteInRow(Render(1.0f, 60.0f));
	EXPECT_GT(Narrow, 30);
	EXPECT_NEAR(Wide * 2, Narrow, 8);
	// With the near plane beyond the sphere nothing is drawn over the clear.
	const FImage Clipped = Render(400.0f, 30.0f);
	EXPECT_EQ(Clipped.At(32, 32), (FColor{0, 255, 0, 255}));
}

TEST_F(SceneRendering, AMaterialSamplesARenderTargetAsItsTextureAndAnInstanceSwapsIt)
{
	auto* Canvas = MaterialTestGraphs::NewAsset<UTextureRenderTarget2D>("/Game/RT_Canvas");
	Canvas->ClearColor = FLinearColor{0.0f, 0.0f, 1.0f, 1.0f};
	Canvas->InitCustomFormat(8, 8, PF_FloatRGBA, true);
	UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_Screen");
	FMaterialShaderMap ShaderMap = TexturedShaderMap(Canvas->GetPathName());
	ShaderMap.PixelGlsl = MaterialPixelShader("layout(binding = 0) uniform sampler2D SPIRV_Cross_CombinedAlbedoAlbedoSampler;\n",
		"\tEmissive = texture(SPIRV_Cross_CombinedAlbedoAlbedoSampler, in_var_TEXCOORD01.xy).rgb;\n\tShadingModel = 0.0;\n");
	ShaderMaps.Set(Material, ShaderMap);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(Material);
	FImageRenderTarget Target(32, 32);
	ASSERT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 32));
	EXPECT_EQ(Target.GetPixels()[16 * 32 + 16], (FColor{255, 0, 0, 255}));

	// What is drawn into the render target shows on the next frame.
	Canvas->GameThread_GetRenderTargetResource()->Clear({1.0f, 1.0f, 0.0f, 1.0f});
	ASSERT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 32));
	EXPECT_EQ(Target.GetPixels()[16 * 32 + 16], (FColor{0, 255, 255, 255}));

	// An instance's texture parameter replaces the default texture: the camera sees U near 0.19 at the centre, the red half.
	auto* Instance = MaterialTestGraphs::NewAsset<UMaterialInstanceConstant>("/Game/MI_Screen");
	Instance->Parent = Material;
	Instance->SetTextureParameterValueEditorOnly(FMaterialParameterInfo{"Albedo"}, HalfRedHalfBlueTexture());
	Scene.SetMaterialInterface(Instance);
	ASSERT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 32));
	EXPECT_EQ(Target.GetPixels()[16 * 32 + 16], (FColor{0, 0, 255, 255}));
}

TEST_F(SceneRendering, AnEightBitRenderTargetSampledAsATextureKeepsItsColoursThroughTheSRGBRoundTrip)
{
	auto* Canvas = MaterialTestGraphs::NewAsset<UTextureRenderTarget2D>("/Game/RT_Picture");
	Canvas->InitCustomFormat(4, 4, PF_B8G8R8A8, false);
	FTextureRenderTargetResource* Resource = Canvas->GameThread_GetRenderTargetResource();
	ASSERT_NE(Resource, nullptr);
	ASSERT_TRUE(Resource->WritePixels(std::vector<FColor>(16, FColor{40, 128, 200, 255})));
	UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_Picture");
	FMaterialShaderMap ShaderMap = TexturedShaderMap(Canvas->GetPathName());
	ShaderMap.PixelGlsl = MaterialPixelShader("layout(binding = 0) uniform sampler2D SPIRV_Cross_CombinedAlbedoAlbedoSampler;\n",
		"\tEmissive = texture(SPIRV_Cross_CombinedAlbedoAlbedoSampler, in_var_TEXCOORD01.xy).rgb;\n\tShadingModel = 0.0;\n");
	ShaderMaps.Set(Material, ShaderMap);
	FMaterialThumbnailScene Scene;
	Scene.SetMaterialInterface(Material);
	FImageRenderTarget Target(32, 32);
	ASSERT_TRUE(RenderScene(Scene, Target, {0.0f, 0.0f, 0.0f, 1.0f}, 0, 0, 32));
	const FColor& Centre = Target.GetPixels()[16 * 32 + 16];
	EXPECT_NEAR(Centre.B, 40, 1);
	EXPECT_NEAR(Centre.G, 128, 1);
	EXPECT_NEAR(Centre.R, 200, 1);
}
