#include "Assets/AssetFiles.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialTestGraphs.h"
#include "Render/ObjectTools.h"
#include "Render/RenderTestSupport.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

using namespace RenderTestSupport;

namespace
{
	class MaterialThumbnails : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		FScopedShaderMaps ShaderMaps;

		static FImage Thumbnail(UObject* Object)
		{
			FObjectThumbnail Result;
			ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(Object, Result);
			return ThumbnailImage(Result);
		}

		static bool IsBackground(const FColor& Pixel) { return Pixel.R == 0 && Pixel.G == 0 && Pixel.B == 0; }
	};
}

TEST_F(MaterialThumbnails, RedMaterialsFillTheCentreAndLeaveTheCornersToTheBackgroundAtTheEditorsSize)
{
	for (const bool bUnlit : {true, false})
	{
		SCOPED_TRACE(bUnlit ? "unlit" : "default lit");
		UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>(bUnlit ? "/Game/M_RedUnlit" : "/Game/M_RedLit");
		ShaderMaps.Set(Material, ConstantColorShaderMap({1.0f, 0.0f, 0.0f, 1.0f}, bUnlit));

		const FImage Image = Thumbnail(Material);
		ASSERT_EQ(Image.Width, 256);
		ASSERT_EQ(Image.Height, 256);
		ASSERT_EQ(Image.Pixels.size(), 256u * 256u);
		// Red, with at most a little of the white highlight of the lit one.
		const FLinearColor Centre = Image.MeanAround(128, 128, 8);
		EXPECT_GT(Centre.R, 0.6f);
		EXPECT_LT(Centre.G, 0.3f);
		EXPECT_LT(Centre.B, 0.3f);
		for (const auto& [X, Y] : {std::pair{2, 2}, std::pair{253, 2}, std::pair{2, 253}, std::pair{253, 253}})
		{
			EXPECT_TRUE(IsBackground(Image.At(X, Y))) << X << "," << Y;
		}
		// The sphere covers most of the picture but not all of it.
		int64_t Reddish = 0;
		for (const FColor& Pixel : Image.Pixels)
		{
			Reddish += Pixel.R > 2 * Pixel.G + 30 && Pixel.R > 2 * Pixel.B + 30 ? 1 : 0;
		}
		EXPECT_GT(Reddish, 256 * 256 / 3);
		EXPECT_LT(Reddish, 256 * 256 * 9 / 10);
	}
}

TEST_F(MaterialThumbnails, AnEmissiveMaterialIsBrightAndAnInstanceOverridesItsColour)
{
	UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_Glow");
	ShaderMaps.Set(Material, EmissiveShaderMap({4.0f, 4.0f, 4.0f, 1.0f}));
	const FImage Glowing = Thumbnail(Material);
	ASSERT_EQ(Glowing.Pixels.size(), 256u * 256u);
	const FLinearColor Centre = Glowing.MeanAround(128, 128, 20);
	EXPECT_GT(Centre.R, 0.97f);
	EXPECT_GT(Centre.G, 0.97f);
	EXPECT_GT(Centre.B, 0.97f);

	auto* Instance = MaterialTestGraphs::NewAsset<UMaterialInstanceConstant>("/Game/MI_GlowBlue");
	Instance->Parent = Material;
	Instance->SetVectorParameterValueEditorOnly(FMaterialParameterInfo{"Glow"}, {0.0f, 0.0f, 1.0f, 1.0f});
	const FLinearColor Blue = Thumbnail(Instance).MeanAround(128, 128, 20);
	EXPECT_LT(Blue.R, 0.02f);
	EXPECT_LT(Blue.G, 0.02f);
	EXPECT_GT(Blue.B, 0.97f);
}

TEST_F(MaterialThumbnails, AMaterialWithoutAShaderMapShowsTheGreyWorldGrid)
{
	UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>("/Game/M_NotCompiled");
	const FImage Image = Thumbnail(Material);
	ASSERT_EQ(Image.Pixels.size(), 256u * 256u);
	// Along a row above the middle (the equator runs on a line) the sphere is grey, crossed by lines darker than the grey on both sides.
	constexpr int32_t Row = 100;
	int32_t Lines = 0;
	bool bOnLine = false;
	for (int32_t X = 60; X < 196; ++X)
	{
		const FColor& Pixel = Image.At(X, Row);
		EXPECT_LE(std::abs(Pixel.R - Pixel.G), 6) << X;
		EXPECT_LE(std::abs(Pixel.G - Pixel.B), 6) << X;
		const bool bDarker = Pixel.G + 12 < std::min(Image.At(X - 5, Row).G, Image.At(X + 5, Row).G);
		Lines += bDarker && !bOnLine ? 1 : 0;
		bOnLine = bDarker;
	}
	EXPECT_GE(Lines, 5);
	EXPECT_LE(Lines, 20);
	EXPECT_TRUE(IsBackground(Image.At(1, 1)));
}

TEST_F(MaterialThumbnails, ObjectsThatAreNotMaterialsGetNoThumbnail)
{
	FObjectThumbnail Result;
	ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(nullptr, Result);
	EXPECT_TRUE(Result.IsEmpty());
	UPackage* Package = CreatePackage("/Game/NotAMaterial");
	ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(Package, Result);
	EXPECT_TRUE(Result.IsEmpty());
	EXPECT_EQ(Result.GetImageWidth(), 0);
}
