#include "Assets/AssetFiles.h"
#include "Level/PointLightComponent.h"
#include "Level/StaticMeshComponent.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/PreviewScene.h"
#include "Render/RenderTestSupport.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

using namespace RenderTestSupport;

namespace
{
	constexpr int32_t ImageSize = 64;
	const FVector Camera{0.0, -300.0, 300.0};
	const FVector Origin{0.0, 0.0, 0.0};

	/**
	 * The engine's plane, four metres square, as a ground at the origin under a scene with no light of
	 * its own (no sun, no sky), in the world grid material the tests give no shader.
	 */
	class PreviewSceneLighting : public ::testing::Test
	{
	protected:
		PreviewSceneLighting()
		{
			Scene.SetLightBrightness(0.0f);
			Scene.SetSkyBrightness(0.0f);
			Ground->SetStaticMesh(LoadObject<UStaticMesh>("/Engine/BasicShapes/Plane.Plane"));
			Scene.AddComponent(Ground, {FQuat::Identity(), Origin, {4.0, 4.0, 1.0}});
		}

		FImage Render() { return RenderPreviewScene(Scene, Camera, Origin, ImageSize); }

		static double MeanBrightness(const FImage& Image)
		{
			double Sum = 0.0;
			for (const FColor& Pixel : Image.Pixels)
			{
				Sum += (Pixel.R + Pixel.G + Pixel.B) / 3.0;
			}
			return Image.Pixels.empty() ? 0.0 : Sum / Image.Pixels.size();
		}

		FTestEditor Editor{HostOnly()};
		FScopedShaderMaps ShaderMaps;
		FPreviewScene Scene;
		UStaticMeshComponent* Ground = NewObject<UStaticMeshComponent>();
	};
}

TEST_F(PreviewSceneLighting, TheEnginePlaneIsAGroundFacingUp)
{
	ASSERT_NE(Ground->GetStaticMesh(), nullptr);
	const FBoxSphereBounds& Bounds = Ground->GetBounds();
	EXPECT_NEAR(Bounds.BoxExtent.X, 200.0, 1e-3);
	EXPECT_NEAR(Bounds.BoxExtent.Y, 200.0, 1e-3);
	EXPECT_NEAR(Bounds.BoxExtent.Z, 0.0, 1e-3);

	// A sun from above lights it; a sun from below leaves it dark.
	Scene.SetLightBrightness(3.14159265f);
	Scene.SetLightDirection(FRotator{-60.0, 90.0, 0.0});
	const FImage Above = Render();
	ASSERT_FALSE(Above.Pixels.empty());
	const FLinearColor Lit = Above.MeanAround(ImageSize / 2, ImageSize / 2, 4);
	EXPECT_GT(Lit.R, 0.3f);
	Scene.SetLightDirection(FRotator{60.0, 90.0, 0.0});
	EXPECT_LT(Render().MeanAround(ImageSize / 2, ImageSize / 2, 4).R, 0.02f);
	// Beyond the plane's far edge the background shows.
	EXPECT_EQ(Above.At(ImageSize / 2, 1), (FColor{0, 0, 0, 255}));
}

TEST_F(PreviewSceneLighting, PointLightComponentsLightTheSceneUntilRemovedInTheUnitsTheyAreGivenIn)
{
	EXPECT_EQ(MeanBrightness(Render()), 0.0);
	auto* Light = NewObject<UPointLightComponent>();
	Light->SetIntensity(20.0f);
	Light->SetAttenuationRadius(2000.0f);
	Scene.AddComponent(Light, {FQuat::Identity(), {0.0, 0.0, 150.0}, FVector::OneVector()});
	ASSERT_EQ(Scene.GetScene()->GetPointLights().size(), 1u);
	EXPECT_EQ(Scene.GetScene()->GetPointLights().front().Location, (FVector{0.0, 0.0, 150.0}));
	const FImage Candelas = Render();
	EXPECT_GT(MeanBrightness(Candelas), 10.0);

	// 625 of the engine's unitless units are a candela; lumens spread over the whole sphere.
	Scene.RemoveComponent(Light);
	EXPECT_TRUE(Scene.GetScene()->GetPointLights().empty());
	EXPECT_EQ(MeanBrightness(Render()), 0.0);
	Light->SetIntensityUnits(ELightUnits::Unitless);
	Light->SetIntensity(20.0f * 625.0f);
	Scene.AddComponent(Light, {FQuat::Identity(), {0.0, 0.0, 150.0}, FVector::OneVector()});
	EXPECT_EQ(CountDifferentPixels(Candelas, Render(), 1), 0);
	EXPECT_NEAR(Light->MakePointLight().Intensity, 20.0f, 1e-4f);
	Light->SetIntensityUnits(ELightUnits::Lumens);
	Light->SetIntensity(4.0f * 3.14159265f * 20.0f);
	EXPECT_NEAR(Light->MakePointLight().Intensity, 20.0f, 1e-3f);

	// A second, equal light doubles the light; removing one of them leaves the other.
	auto* Twin = NewObject<UPointLightComponent>();
	Twin->SetIntensity(20.0f);
	Twin->SetAttenuationRadius(2000.0f);
	Scene.AddComponent(Twin, {FQuat::Identity(), {0.0, 0.0, 150.0}, FVector::OneVector()});
	EXPECT_EQ(Scene.GetScene()->GetPointLights().size(), 2u);
	EXPECT_GT(MeanBrightness(Render()), MeanBrightness(Candelas) * 1.3);
	Scene.RemoveComponent(Light);
	EXPECT_EQ(CountDifferentPixels(Candelas, Render(), 1), 0);
}

TEST_F(PreviewSceneLighting, SoftSourcesWidenTheHighlight)
{
	// The light mirrored in the ground towards the camera, so the highlight lies in the picture.
	auto* Light = NewObject<UPointLightComponent>();
	Light->SetIntensity(40.0f);
	Light->SetAttenuationRadius(3000.0f);
	Scene.AddComponent(Light, {FQuat::Identity(), {0.0, 300.0, 300.0}, FVector::OneVector()});
	const FImage Hard = Render();
	Scene.RemoveComponent(Light);
	Light->SetSoftSourceRadius(200.0f);
	Scene.AddComponent(Light, {FQuat::Identity(), {0.0, 300.0, 300.0}, FVector::OneVector()});
	EXPECT_GT(CountDifferentPixels(Hard, Render(), 2), 50);
	Scene.RemoveComponent(Light);

	Scene.SetLightBrightness(3.14159265f);
	Scene.SetLightDirection(FRotator{-45.0, -90.0, 0.0});
	Scene.GetDirectionalLight().SetLightSourceAngle(0.5f);
	const FImage Sharp = Render();
	Scene.GetDirectionalLight().SetLightSourceSoftAngle(60.0f);
	EXPECT_GT(CountDifferentPixels(Sharp, Render(), 2), 50);
}
