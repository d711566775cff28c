#include "Endpoints/TextureThumbnail.h"

#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

namespace
{
	int32_t MaxSizeOf(std::string_view Body)
	{
		return ReadThumbnailMaxSize(*FJsonSerializer::DeserializeObject(Body));
	}

	/** A picture whose pixel (x, y) holds B = x mod 256, G = y, R = x / 256. */
	FBgraImage CoordinateImage(int32_t Width, int32_t Height)
	{
		FBgraImage Image{Width, Height, std::vector<uint8_t>(static_cast<std::size_t>(Width) * Height * 4)};
		for (int32_t Y = 0; Y < Height; ++Y)
		{
			for (int32_t X = 0; X < Width; ++X)
			{
				uint8_t* Pixel = Image.Pixels.data() + (static_cast<std::size_t>(Y) * Width + X) * 4;
				Pixel[0] = static_cast<uint8_t>(X % 256);
				Pixel[1] = static_cast<uint8_t>(Y);
				Pixel[2] = static_cast<uint8_t>(X / 256);
				Pixel[3] = 255;
			}
		}
		return Image;
	}

	/** The source coordinates the output pixel (x, y) came from. */
	std::pair<int, int> SourceOf(const FBgraImage& Image, int32_t X, int32_t Y)
	{
		const uint8_t* Pixel = Image.Pixels.data() + (static_cast<std::size_t>(Y) * Image.Width + X) * 4;
		return {Pixel[2] * 256 + Pixel[0], Pixel[1]};
	}
}

TEST(ThumbnailMaxSize, DefaultsTruncatesAndClamps)
{
	EXPECT_EQ(MaxSizeOf("{}"), 256);
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":8})"), 32);
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":4000})"), 512);
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":100.7})"), 100);
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":-100.7})"), 32);
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":1e300})"), 512) << "clamped before it becomes an integer";
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":"128"})"), 256) << "text is no number";
	EXPECT_EQ(MaxSizeOf(R"({"maxSize":null})"), 256);
}

TEST(ThumbnailMip, TheLastMipThatReachesTheLimitInEitherEdgeWins)
{
	EXPECT_EQ(ChooseThumbnailMip(4096, 4096, 13, 256), 4);
	EXPECT_EQ(ChooseThumbnailMip(4096, 4096, 13, 257), 3);
	EXPECT_EQ(ChooseThumbnailMip(4096, 4096, 3, 256), 2) << "a short chain stops at its last mip";
	EXPECT_EQ(ChooseThumbnailMip(4096, 1024, 13, 256), 4) << "the wider edge still reaches the limit at 256 x 64";
	EXPECT_EQ(ChooseThumbnailMip(64, 2048, 12, 512), 2) << "the height alone counts (16 x 512)";
	EXPECT_EQ(ChooseThumbnailMip(300, 100, 1, 256), 0);
	EXPECT_EQ(ChooseThumbnailMip(64, 64, 7, 256), 0) << "no mip reaches the limit: mip 0";
}

TEST(ThumbnailSize, FitsTheLongerEdgeRoundingHalfUp)
{
	const auto SizeText = [](int32_t Width, int32_t Height, int32_t MaxSize) {
		const FThumbnailSize Size = CalcThumbnailSize(Width, Height, MaxSize);
		return std::to_string(Size.Width) + "x" + std::to_string(Size.Height);
	};
	EXPECT_EQ(SizeText(300, 100, 256), "256x85");
	EXPECT_EQ(SizeText(100, 300, 256), "85x256");
	EXPECT_EQ(SizeText(64, 64, 256), "64x64") << "never enlarged";
	EXPECT_EQ(SizeText(256, 256, 256), "256x256");
	EXPECT_EQ(SizeText(2000, 3, 32), "32x1") << "at least one pixel";
	EXPECT_EQ(SizeText(512, 3, 256), "256x2") << "1.5 rounds up";
}

TEST(ThumbnailResample, TakesTheNearestSourcePixelWithoutFiltering)
{
	const FBgraImage Resized = FitIntoThumbnail(CoordinateImage(300, 100), 256);
	ASSERT_EQ(Resized.Width, 256);
	ASSERT_EQ(Resized.Height, 85);
	ASSERT_EQ(Resized.Pixels.size(), 256U * 85 * 4);
	// Output x samples source trunc(x × 300 / 256).
	EXPECT_EQ(SourceOf(Resized, 0, 0), std::make_pair(0, 0));
	EXPECT_EQ(SourceOf(Resized, 6, 1), std::make_pair(7, 1));
	EXPECT_EQ(SourceOf(Resized, 128, 42), std::make_pair(150, 49));
	EXPECT_EQ(SourceOf(Resized, 255, 84), std::make_pair(298, 98));

	const FBgraImage Same = FitIntoThumbnail(CoordinateImage(40, 30), 256);
	EXPECT_EQ(Same.Width, 40);
	EXPECT_EQ(Same.Pixels, CoordinateImage(40, 30).Pixels) << "a picture that fits is left alone";
}

TEST(ThumbnailPixels, GreyAndBgraBecomeOpaqueBgraAndOtherFormatsAreRefused)
{
	const std::vector<uint8_t> Grey = {0, 128, 255, 7};
	const std::optional<FBgraImage> FromGrey = ConvertToOpaqueBgra(Grey, 2, 2, TSF_G8);
	ASSERT_TRUE(FromGrey.has_value());
	EXPECT_EQ(FromGrey->Pixels, std::vector<uint8_t>({0, 0, 0, 255, 128, 128, 128, 255, 255, 255, 255, 255, 7, 7, 7, 255}));

	const std::vector<uint8_t> Bgra = {10, 20, 30, 0, 40, 50, 60, 128};
	const std::optional<FBgraImage> FromBgra = ConvertToOpaqueBgra(Bgra, 2, 1, TSF_BGRA8);
	ASSERT_TRUE(FromBgra.has_value());
	EXPECT_EQ(FromBgra->Pixels, std::vector<uint8_t>({10, 20, 30, 255, 40, 50, 60, 255})) << "colour kept, alpha made opaque";

	EXPECT_FALSE(ConvertToOpaqueBgra(Bgra, 1, 1, TSF_G16).has_value());
	EXPECT_FALSE(ConvertToOpaqueBgra(Bgra, 1, 1, TSF_RGBA16F).has_value());
	EXPECT_FALSE(ConvertToOpaqueBgra(Bgra, 3, 1, TSF_BGRA8).has_value()) << "fewer bytes than the mip needs";
	EXPECT_FALSE(ConvertToOpaqueBgra({}, 0, 0, TSF_G8).has_value());
}
