#include "Assets/AssetFiles.h"
#include "ControlRig/ControlRigShapeLibrary.h"
#include "Level/StaticMeshComponent.h"
#include "Materials/MaterialInstance.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/PreviewScene.h"
#include "Render/RenderTestSupport.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

using namespace RenderTestSupport;

namespace
{
	constexpr int32_t ImageSize = 96;
	constexpr std::string_view LibraryPath = "/ControlRig/Controls/DefaultGizmoLibraryNormalized.DefaultGizmoLibraryNormalized";
	const FColor Black{0, 0, 0, 255};

	/** The default shape library's shapes drawn with its gizmo material, compiled by the host's material compiler. */
	class ControlRigGizmoRendering : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UControlRigShapeLibrary* Library = LoadObject<UControlRigShapeLibrary>(LibraryPath);

		/** A component drawing the named shape of the library at twenty times its size. */
		UStaticMeshComponent* AddShape(FPreviewScene& Scene, std::string_view ShapeName, UMaterialInterface* Material)
		{
			const FControlRigShapeDefinition* Shape = UControlRigShapeLibrary::GetShapeByName(ShapeName, std::span(&Library, 1));
			EXPECT_NE(Shape, nullptr) << ShapeName;
			auto* Component = NewObject<UStaticMeshComponent>();
			EXPECT_TRUE(Shape != nullptr && Component->SetStaticMesh(Shape->LoadStaticMesh())) << ShapeName;
			for (int32_t Slot = 0; Slot < Component->GetNumMaterials(); ++Slot)
			{
				Component->SetMaterial(Slot, Material);
			}
			Scene.AddComponent(Component, {FQuat::Identity(), FVector::ZeroVector(), {20.0, 20.0, 20.0}});
			return Component;
		}

		static FImage RenderFromAbove(FPreviewScene& Scene) { return RenderPreviewScene(Scene, {30.0, -40.0, 50.0}, FVector::ZeroVector(), ImageSize); }

		static int64_t CountOfColour(const FImage& Image, const FColor& Colour)
		{
			int64_t Count = 0;
			for (const FColor& Pixel : Image.Pixels)
			{
				Count += Pixel == Colour ? 1 : 0;
			}
			return Count;
		}
	};
}

TEST_F(ControlRigGizmoRendering, TheGizmoMaterialShowsItsColourParameterUnlitAndADynamicInstanceTintsIt)
{
	ASSERT_NE(Library, nullptr);
	UMaterialInterface* Gizmo = Library->LoadDefaultMaterial();
	ASSERT_NE(Gizmo, nullptr);
	ASSERT_EQ(Library->MaterialColorParameter, "Color");
	UMaterialInstanceDynamic* Tinted = UMaterialInstanceDynamic::Create(Gizmo, nullptr);
	Tinted->SetVectorParameterValue(Library->MaterialColorParameter, {0.0f, 1.0f, 0.0f, 1.0f});

	FPreviewScene Scene;
	AddShape(Scene, "Sphere_Solid", Tinted);
	const FImage Green = RenderFromAbove(Scene);
	ASSERT_FALSE(Green.Pixels.empty());
	EXPECT_EQ(Green.At(ImageSize / 2, ImageSize / 2), (FColor{0, 255, 0, 255}));

	// Unlit: without sun and sky the colour is the same.
	Scene.SetLightBrightness(0.0f);
	Scene.SetSkyBrightness(0.0f);
	EXPECT_EQ(CountDifferentPixels(Green, RenderFromAbove(Scene), 0), 0);

	// The material itself shows its default colour, red.
	FPreviewScene Untinted;
	AddShape(Untinted, "Sphere_Solid", Gizmo);
	EXPECT_EQ(RenderFromAbove(Untinted).At(ImageSize / 2, ImageSize / 2), (FColor{0, 0, 255, 255}));
}

TEST_F(ControlRigGizmoRendering, EveryShapeOfTheDefaultLibraryDrawsAsAnOutlineOrASolid)
{
	ASSERT_NE(Library, nullptr);
	UMaterialInterface* Gizmo = Library->LoadDefaultMaterial();
	ASSERT_NE(Gizmo, nullptr);
	const FColor Red{0, 0, 255, 255};
	int64_t SphereArea = 0;
	for (const char* Name : {"Default", "Circle_Thin", "Square_Thin", "Box_Thin", "Sphere_Solid", "Arrow_Thin", "Diamond_Thin"})
	{
		SCOPED_TRACE(Name);
		FPreviewScene Scene;
		AddShape(Scene, Name, Gizmo);
		const FImage Image = RenderFromAbove(Scene);
		ASSERT_FALSE(Image.Pixels.empty());
		const int64_t Drawn = CountOfColour(Image, Red);
		EXPECT_GT(Drawn, 30);
		EXPECT_EQ(CountOfColour(Image, Black) + Drawn, static_cast<int64_t>(Image.Pixels.size())) << "unlit: gizmo colour or background only";
		SphereArea = std::string_view(Name) == "Sphere_Solid" ? Drawn : SphereArea;
	}
	// The outlines are thin: the circle around the sphere's equator covers far less than the sphere.
	FPreviewScene Circle;
	AddShape(Circle, "Circle_Thin", Gizmo);
	EXPECT_LT(CountOfColour(RenderFromAbove(Circle), Red) * 3, SphereArea);
}
