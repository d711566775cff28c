#include "Endpoints/TextureAnalysis.h"

#include "Core/JsonSerializer.h"
#include "Textures/TextureSource.h"

#include <gtest/gtest.h>

namespace
{
	FChannelRanges RangesOf(float MinR, float MaxR, float MinG, float MaxG, float MinB, float MaxB)
	{
		FChannelRanges Ranges;
		Ranges.Min[0] = MinR;
		Ranges.Max[0] = MaxR;
		Ranges.Min[1] = MinG;
		Ranges.Max[1] = MaxG;
		Ranges.Min[2] = MinB;
		Ranges.Max[2] = MaxB;
		return Ranges;
	}
}

TEST(TextureRangeObject, HoldsMinMaxMidAndRangeAsFloats)
{
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*MakeRangeObject(0.25f, 0.75f)), R"({"min":0.25,"max":0.75,"mid":0.5,"range":0.5})");
	// 0.1 as a 32-bit float, printed as the double it widens to.
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*MakeRangeObject(0.1f, 0.1f)),
		R"({"min":0.10000000149011612,"max":0.10000000149011612,"mid":0.10000000149011612,"range":0})");
}

TEST(TextureCompressionName, NamesEightSettingsAndCallsTheRestOther)
{
	EXPECT_EQ(GetCompressionSettingsName(TC_Default), "TC_Default");
	EXPECT_EQ(GetCompressionSettingsName(TC_Normalmap), "TC_Normalmap");
	EXPECT_EQ(GetCompressionSettingsName(TC_Masks), "TC_Masks");
	EXPECT_EQ(GetCompressionSettingsName(TC_Grayscale), "TC_Grayscale");
	EXPECT_EQ(GetCompressionSettingsName(TC_HDR), "TC_HDR");
	EXPECT_EQ(GetCompressionSettingsName(TC_Alpha), "TC_Alpha");
	EXPECT_EQ(GetCompressionSettingsName(TC_BC7), "TC_BC7");
	EXPECT_EQ(GetCompressionSettingsName(TC_HalfFloat), "TC_HalfFloat");
	for (const TextureCompressionSettings Other : {TC_Displacementmap, TC_VectorDisplacementmap, TC_EditorIcon, TC_DistanceFieldFont, TC_HDR_Compressed, TC_LQ,
			 TC_EncodedReflectionCapture, TC_SingleFloat, TC_HDR_F32})
	{
		EXPECT_EQ(GetCompressionSettingsName(Other), "TC_Other") << static_cast<int>(Other);
	}
}

TEST(TextureColourWords, ContrastAndTemperatureThresholdsAreStrict)
{
	EXPECT_EQ(DescribeContrast(RangesOf(0, 1, 0, 1, 0, 0.2f)), "high");
	EXPECT_EQ(DescribeContrast(RangesOf(0, 0.7f, 0, 0.7f, 0, 0.7f)), "medium") << "0.7 is not above 0.7";
	EXPECT_EQ(DescribeContrast(RangesOf(0, 0.5f, 0, 0.5f, 0, 0.5f)), "medium");
	EXPECT_EQ(DescribeContrast(RangesOf(0.5f, 0.75f, 0.5f, 0.75f, 0.5f, 0.75f)), "low") << "0.25 is below 0.3";

	EXPECT_EQ(DescribeTemperature(RangesOf(0.6f, 0.6f, 0, 0, 0.5f, 0.5f)), "warm");
	EXPECT_EQ(DescribeTemperature(RangesOf(0.5f, 0.5f, 0, 0, 0.6f, 0.6f)), "cool");
	EXPECT_EQ(DescribeTemperature(RangesOf(0.53f, 0.53f, 0, 0, 0.5f, 0.5f)), "neutral");
	EXPECT_EQ(DescribeTemperature(RangesOf(0.5f, 0.5f, 1, 1, 0.53f, 0.53f)), "neutral") << "green plays no part";
}

TEST(TextureChannelRanges, ReadsOnlyTheSmallestMipInItsFormat)
{
	// A 2×2 BGRA source with two mips: mip 0 is ignored, mip 1 is one half-transparent pixel.
	const uint8_t Bgra[] = {0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255, 255, 255, 255, 51, 102, 204, 102};
	FTextureSource Source;
	Source.Init(2, 2, 1, 2, TSF_BGRA8, Bgra);
	const std::optional<FChannelRanges> Ranges = MeasureSmallestSourceMip(Source);
	ASSERT_TRUE(Ranges.has_value());
	EXPECT_EQ(Ranges->Min[0], 204 / 255.0f);
	EXPECT_EQ(Ranges->Min[1], 102 / 255.0f);
	EXPECT_EQ(Ranges->Min[2], 51 / 255.0f);
	EXPECT_EQ(Ranges->Min[3], 102 / 255.0f);
	EXPECT_EQ(Ranges->Max[3], 102 / 255.0f);

	const uint8_t Grey[] = {10, 250, 40};
	Source.Init(3, 1, 1, 1, TSF_G8, Grey);
	const std::optional<FChannelRanges> GreyRanges = MeasureSmallestSourceMip(Source);
	ASSERT_TRUE(GreyRanges.has_value());
	for (int Channel = 0; Channel < 3; ++Channel)
	{
		EXPECT_EQ(GreyRanges->Min[Channel], 10 / 255.0f);
		EXPECT_EQ(GreyRanges->Max[Channel], 250 / 255.0f);
	}
	EXPECT_EQ(GreyRanges->Min[3], 1.0f);

	Source.Init(2, 2, 1, 1, TSF_RGBA16F);
	EXPECT_FALSE(MeasureSmallestSourceMip(Source).has_value()) << "16-bit float sources are not read";
	Source.Init(2, 2, 1, 1, TSF_RGBA32F);
	const std::optional<FChannelRanges> Other = MeasureSmallestSourceMip(Source);
	ASSERT_TRUE(Other.has_value()) << "other formats read as opaque black";
	EXPECT_EQ(Other->Max[0], 0.0f);
	EXPECT_EQ(Other->Min[3], 1.0f);
	Source.Reset();
	EXPECT_FALSE(MeasureSmallestSourceMip(Source).has_value());
}
