#include "Textures/PixelFormat.h"
#include "Textures/Texture.h"
#include "Textures/TexturePlatformBuild.h"
#include "Textures/TextureSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace TexturePlatformBuild;

TEST(PixelFormats, TheTableIsIndexedByFormatAndNamesFormatsAsTheEngineDoes)
{
	for (int Format = 0; Format < PF_MAX; ++Format)
	{
		EXPECT_EQ(GPixelFormats[Format].UnrealFormat, static_cast<EPixelFormat>(Format)) << GetPixelFormatString(static_cast<EPixelFormat>(Format));
	}
	EXPECT_STREQ(GPixelFormats[PF_DXT1].Name, "DXT1");
	EXPECT_STREQ(GPixelFormats[PF_B8G8R8A8].Name, "B8G8R8A8");
	EXPECT_STREQ(GPixelFormats[PF_FloatRGBA].Name, "FloatRGBA");
	EXPECT_STREQ(GPixelFormats[PF_BC5].Name, "BC5");
	EXPECT_STREQ(GPixelFormats[PF_G16].Name, "G16");
	EXPECT_STREQ(GetPixelFormatString(PF_BC7), "PF_BC7");
	EXPECT_STREQ(GetPixelFormatString(PF_R32G32B32F), "PF_R32G32B32F");
	EXPECT_STREQ(GetPixelFormatString(static_cast<EPixelFormat>(200)), "PF_Unknown");
}

TEST(PixelFormats, MipSizesCountWholeBlocks)
{
	EXPECT_EQ(CalcTextureMipMapSize(1, 1, PF_DXT1), 8u) << "a 1×1 mip still takes one block";
	EXPECT_EQ(CalcTextureMipMapSize(6, 6, PF_BC5), 4u * 16u) << "6×6 rounds up to 2×2 blocks";
	EXPECT_EQ(CalcTextureMipMapSize(4096, 4096, PF_DXT5), 16777216u);
	EXPECT_EQ(CalcTextureMipMapSize(300, 100, PF_B8G8R8A8), 120000u);
	EXPECT_EQ(CalcTextureMipMapSize(64, 64, PF_G16), 8192u);
	EXPECT_EQ(CalcTextureMipMapSize(32, 16, PF_FloatRGBA), 4096u);

	FTexturePlatformData Cube;
	Cube.SizeX = 16;
	Cube.SizeY = 16;
	Cube.NumMips = 5;
	Cube.PixelFormat = PF_DXT1;
	// 16, 8, 4, 2, 1: 16 + 4 + 1 + 1 + 1 blocks of 8 bytes, on each of six faces.
	EXPECT_EQ(CalcPlatformDataMemorySize(Cube, 6), 23u * 8u * 6u);
}

TEST(TexturePlatformBuild, MipCountsFollowTheMipGenerationAndTheGroup)
{
	EXPECT_EQ(CalcNumPlatformMips(4096, 4096, 1, TMGS_SimpleAverage), 13);
	EXPECT_EQ(CalcNumPlatformMips(32, 16, 1, TMGS_SimpleAverage), 6);
	EXPECT_EQ(CalcNumPlatformMips(300, 100, 1, TMGS_SimpleAverage), 1) << "sizes that are not powers of two get no generated mips";
	EXPECT_EQ(CalcNumPlatformMips(64, 64, 1, TMGS_NoMipmaps), 1);
	EXPECT_EQ(CalcNumPlatformMips(4096, 4096, 13, TMGS_LeaveExistingMips), 13);
	EXPECT_EQ(CalcNumPlatformMips(4096, 4096, 1, TMGS_LeaveExistingMips), 1);
	EXPECT_EQ(CalcNumPlatformMips(0, 64, 1, TMGS_SimpleAverage), 0);

	EXPECT_EQ(ResolveMipGenSettings(TMGS_FromTextureGroup, TEXTUREGROUP_UI), TMGS_NoMipmaps);
	EXPECT_EQ(ResolveMipGenSettings(TMGS_FromTextureGroup, TEXTUREGROUP_World), TMGS_SimpleAverage);
	EXPECT_EQ(ResolveMipGenSettings(TMGS_Sharpen4, TEXTUREGROUP_UI), TMGS_Sharpen4) << "a texture's own setting wins over its group";
}

TEST(TexturePlatformBuild, CompressionSettingsChooseTheEnginesFormats)
{
	const auto Choose = [](TextureCompressionSettings Settings, ETextureSourceFormat SourceFormat = TSF_BGRA8, bool bAlpha = false) {
		FFormatChoiceInput Input;
		Input.CompressionSettings = Settings;
		Input.SourceFormat = SourceFormat;
		Input.bSourceHasAlpha = bAlpha;
		Input.SizeX = 64;
		Input.SizeY = 64;
		return ChoosePixelFormat(Input);
	};
	EXPECT_EQ(Choose(TC_Default), PF_DXT1);
	EXPECT_EQ(Choose(TC_Default, TSF_BGRA8, true), PF_DXT5);
	EXPECT_EQ(Choose(TC_Masks, TSF_BGRA8, true), PF_DXT5);
	EXPECT_EQ(Choose(TC_Normalmap), PF_BC5);
	EXPECT_EQ(Choose(TC_Grayscale, TSF_G8), PF_G8);
	EXPECT_EQ(Choose(TC_Grayscale, TSF_G16), PF_G16);
	EXPECT_EQ(Choose(TC_Displacementmap), PF_G16);
	EXPECT_EQ(Choose(TC_VectorDisplacementmap), PF_B8G8R8A8);
	EXPECT_EQ(Choose(TC_HDR, TSF_RGBA16F), PF_FloatRGBA);
	EXPECT_EQ(Choose(TC_EditorIcon), PF_B8G8R8A8);
	EXPECT_EQ(Choose(TC_Alpha), PF_BC4);
	EXPECT_EQ(Choose(TC_DistanceFieldFont), PF_G8);
	EXPECT_EQ(Choose(TC_HDR_Compressed, TSF_RGBA16F), PF_BC6H);
	EXPECT_EQ(Choose(TC_BC7), PF_BC7);
	EXPECT_EQ(Choose(TC_HalfFloat, TSF_R16F), PF_R16F);

	FFormatChoiceInput NoAlpha;
	NoAlpha.bSourceHasAlpha = true;
	NoAlpha.bCompressionNoAlpha = true;
	NoAlpha.SizeX = NoAlpha.SizeY = 64;
	EXPECT_EQ(ChoosePixelFormat(NoAlpha), PF_DXT1) << "compression without alpha drops it";

	FFormatChoiceInput Uncompressed = NoAlpha;
	Uncompressed.bCompressionNone = true;
	EXPECT_EQ(ChoosePixelFormat(Uncompressed), PF_B8G8R8A8);
	Uncompressed.SourceFormat = TSF_RGBA16F;
	EXPECT_EQ(ChoosePixelFormat(Uncompressed), PF_FloatRGBA);

	FFormatChoiceInput PartialBlocks;
	PartialBlocks.SizeX = 30;
	PartialBlocks.SizeY = 30;
	EXPECT_EQ(ChoosePixelFormat(PartialBlocks), PF_B8G8R8A8) << "a top mip that is not whole 4×4 blocks stays uncompressed";
	PartialBlocks.SourceFormat = TSF_G8;
	EXPECT_EQ(ChoosePixelFormat(PartialBlocks), PF_G8);
}

TEST(TexturePlatformBuild, AlphaIsDetectedPerSourceFormat)
{
	FTextureSource Source;
	const uint8_t Opaque[] = {1, 2, 3, 255, 4, 5, 6, 255};
	Source.Init(2, 1, 1, 1, TSF_BGRA8, Opaque);
	EXPECT_FALSE(DetectSourceAlpha(Source));
	const uint8_t SeeThrough[] = {1, 2, 3, 255, 4, 5, 6, 254};
	Source.Init(2, 1, 1, 1, TSF_BGRA8, SeeThrough);
	EXPECT_TRUE(DetectSourceAlpha(Source));

	// Half float 1.0 is opaque; 0.5 is not.
	uint16_t Half[4] = {0x3C00, 0x3C00, 0x3C00, 0x3C00};
	Source.Init(1, 1, 1, 1, TSF_RGBA16F, reinterpret_cast<const uint8_t*>(Half));
	EXPECT_FALSE(DetectSourceAlpha(Source));
	Half[3] = 0x3800;
	Source.Init(1, 1, 1, 1, TSF_RGBA16F, reinterpret_cast<const uint8_t*>(Half));
	EXPECT_TRUE(DetectSourceAlpha(Source));

	const uint8_t Grey[] = {0, 7};
	Source.Init(2, 1, 1, 1, TSF_G8, Grey);
	EXPECT_FALSE(DetectSourceAlpha(Source)) << "grey has no alpha";
}

TEST(TextureSource, MipsAreLaidOutLargestFirstAndReadOneAtATime)
{
	FTextureSource Source;
	Source.Init(4, 2, 1, 3, TSF_G8);
	ASSERT_TRUE(Source.IsValid());
	EXPECT_EQ(Source.GetMipSizeX(2), 1);
	EXPECT_EQ(Source.GetMipSizeY(2), 1);
	EXPECT_EQ(Source.CalcMipSize(0), 8);
	EXPECT_EQ(Source.CalcMipSize(1), 2);
	EXPECT_EQ(Source.GetRawData().size(), 11u);

	std::vector<uint8_t> Mip;
	EXPECT_TRUE(Source.GetMipData(Mip, 0, 0, 1));
	EXPECT_EQ(Mip.size(), 2u);
	EXPECT_FALSE(Source.GetMipData(Mip, 0, 0, 3)) << "past the last mip";
	EXPECT_TRUE(Mip.empty());
	EXPECT_FALSE(Source.GetMipData(Mip, 1, 0, 0)) << "only block 0 exists";
	EXPECT_FALSE(Source.GetMipData(Mip, 0, 1, 0)) << "only layer 0 exists";
	EXPECT_EQ(Source.GetFormat(1), TSF_Invalid);

	const uint32_t Changes = Source.GetChangeCount();
	Source.Init(4, 4, 1, 4, TSF_BGRA8);
	EXPECT_FALSE(Source.IsValid()) << "a 4×4 source has at most three mips";
	EXPECT_GT(Source.GetChangeCount(), Changes);
	Source.Init(0, 4, 1, 1, TSF_BGRA8);
	EXPECT_FALSE(Source.IsValid());
	EXPECT_EQ(FTextureSource::GetBytesPerPixel(TSF_RGBA32F), 16);
	EXPECT_EQ(FTextureSource::GetBytesPerPixel(TSF_Invalid), 0);
}
