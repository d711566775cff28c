#include "BulkData/PngTestWriter.h"
#include "Core/FileSystem.h"
#include "Core/Log.h"
#include "Core/ScopedTestDir.h"
#include "Imaging/ExrReader.h"
#include "Imaging/ImageFileLoader.h"
#include "Imaging/PngReader.h"
#include "Imaging/RawFloatReader.h"

#include <gtest/gtest.h>
#include <tinyexr.h>

#include <cstring>

namespace
{
	template <typename T>
	std::vector<T> Values(const FImage& Image)
	{
		std::vector<T> Out(Image.RawData.size() / sizeof(T));
		std::memcpy(Out.data(), Image.RawData.data(), Image.RawData.size());
		return Out;
	}

	/** A 2x1 OpenEXR image with R, G, B (no alpha) of the given pixel type. */
	std::vector<uint8_t> WriteTestExr(int PixelType)
	{
		std::vector<float> Channels[3] = {{0.5f, 2.0f}, {0.25f, 0.0f}, {1.0f, -1.0f}};
		unsigned char* Images[3] = {reinterpret_cast<unsigned char*>(Channels[2].data()), reinterpret_cast<unsigned char*>(Channels[1].data()),
			reinterpret_cast<unsigned char*>(Channels[0].data())};
		EXRImage Image;
		InitEXRImage(&Image);
		Image.num_channels = 3;
		Image.images = Images;
		Image.width = 2;
		Image.height = 1;
		EXRHeader Header;
		InitEXRHeader(&Header);
		EXRChannelInfo Infos[3] = {};
		int InputTypes[3] = {TINYEXR_PIXELTYPE_FLOAT, TINYEXR_PIXELTYPE_FLOAT, TINYEXR_PIXELTYPE_FLOAT};
		int StoredTypes[3] = {PixelType, PixelType, PixelType};
		std::strcpy(Infos[0].name, "B");
		std::strcpy(Infos[1].name, "G");
		std::strcpy(Infos[2].name, "R");
		Header.num_channels = 3;
		Header.channels = Infos;
		Header.pixel_types = InputTypes;
		Header.requested_pixel_types = StoredTypes;
		unsigned char* Memory = nullptr;
		const char* Error = nullptr;
		const std::size_t Size = SaveEXRImageToMemory(&Image, &Header, &Memory, &Error);
		std::vector<uint8_t> Bytes(Memory, Memory + Size);
		std::free(Memory);
		return Bytes;
	}

	class ImageReaderTest : public testing::Test
	{
	protected:
		void SetUp() override { FLog::SetStderrEnabled(false); }
		void TearDown() override { FLog::SetStderrEnabled(true); }
		FLogCapture Capture;
	};
}

TEST_F(ImageReaderTest, PngGreyStaysOneChannelAtItsDepth)
{
	const std::optional<FImage> Grey8 = DecodePng(WriteTestPng(2, 2, 8, 0, {0, 64, 128, 255}), "Grey8.png");
	ASSERT_TRUE(Grey8);
	EXPECT_EQ(Grey8->Format, EImagePixelFormat::G8);
	EXPECT_EQ(Grey8->RawData, (std::vector<uint8_t>{0, 64, 128, 255}));

	const std::optional<FImage> Grey16 = DecodePng(WriteTestPng(2, 1, 16, 0, {0x12, 0x34, 0xFF, 0xFE}), "Grey16.png");
	ASSERT_TRUE(Grey16);
	EXPECT_EQ(Grey16->Format, EImagePixelFormat::G16);
	EXPECT_EQ(Values<uint16_t>(*Grey16), (std::vector<uint16_t>{0x1234, 0xFFFE}));
}

TEST_F(ImageReaderTest, PngColourBecomesBgra8OrRgba16WithOpaqueDefaults)
{
	const std::optional<FImage> Rgb8 = DecodePng(WriteTestPng(1, 1, 8, 2, {10, 20, 30}), "Rgb8.png");
	ASSERT_TRUE(Rgb8);
	EXPECT_EQ(Rgb8->Format, EImagePixelFormat::BGRA8);
	EXPECT_EQ(Rgb8->RawData, (std::vector<uint8_t>{30, 20, 10, 255}));

	const std::optional<FImage> GreyAlpha = DecodePng(WriteTestPng(1, 1, 8, 4, {90, 7}), "GreyAlpha.png");
	ASSERT_TRUE(GreyAlpha);
	EXPECT_EQ(GreyAlpha->RawData, (std::vector<uint8_t>{90, 90, 90, 7}));

	const std::optional<FImage> Rgba16 = DecodePng(WriteTestPng(1, 1, 16, 6, {0, 1, 0, 2, 0, 3, 0x80, 0}), "Rgba16.png");
	ASSERT_TRUE(Rgba16);
	EXPECT_EQ(Rgba16->Format, EImagePixelFormat::RGBA16);
	EXPECT_EQ(Values<uint16_t>(*Rgba16), (std::vector<uint16_t>{1, 2, 3, 0x8000}));

	const std::optional<FImage> Rgb16 = DecodePng(WriteTestPng(1, 1, 16, 2, {0, 1, 0, 2, 0, 3}), "Rgb16.png");
	ASSERT_TRUE(Rgb16);
	EXPECT_EQ(Values<uint16_t>(*Rgb16), (std::vector<uint16_t>{1, 2, 3, 0xFFFF}));
}

TEST_F(ImageReaderTest, CorruptAndTruncatedPngsAreRefused)
{
	const std::vector<uint8_t> Good = WriteTestPng(4, 4, 8, 2, std::vector<uint8_t>(48, 7));
	EXPECT_FALSE(DecodePng(std::vector<uint8_t>(Good.begin(), Good.begin() + Good.size() / 2), "Half.png"));
	EXPECT_TRUE(Capture.Messages("LogHost").at(0).starts_with("Refusing image file 'Half.png': the PNG data is corrupt or truncated"));
	std::vector<uint8_t> NotPng = Good;
	NotPng[1] = 'X';
	EXPECT_FALSE(DecodePng(NotPng, "NotPng.png"));
	EXPECT_TRUE(Capture.Contains("Refusing image file 'NotPng.png': not a PNG file"));
	for (std::size_t Length = 0; Length < Good.size(); Length += 5)
	{
		EXPECT_FALSE(DecodePng(std::vector<uint8_t>(Good.begin(), Good.begin() + Length), "Cut.png")) << Length;
	}
}

TEST_F(ImageReaderTest, ExrHalfKeepsHalfBitsAndFloatStaysFloat)
{
	const std::optional<FImage> Half = DecodeExr(WriteTestExr(TINYEXR_PIXELTYPE_HALF), "Half.exr");
	ASSERT_TRUE(Half);
	EXPECT_EQ(Half->Format, EImagePixelFormat::RGBA16F);
	EXPECT_EQ(Half->SizeX, 2);
	// 0.5, 0.25, 1.0, and alpha 1.0 as half floats; then 2.0, 0.0, -1.0, 1.0.
	EXPECT_EQ(Values<uint16_t>(*Half), (std::vector<uint16_t>{0x3800, 0x3400, 0x3C00, 0x3C00, 0x4000, 0x0000, 0xBC00, 0x3C00}));

	const std::optional<FImage> Float = DecodeExr(WriteTestExr(TINYEXR_PIXELTYPE_FLOAT), "Float.exr");
	ASSERT_TRUE(Float);
	EXPECT_EQ(Float->Format, EImagePixelFormat::RGBA32F);
	EXPECT_EQ(Values<float>(*Float), (std::vector<float>{0.5f, 0.25f, 1.0f, 1.0f, 2.0f, 0.0f, -1.0f, 1.0f}));
}

TEST_F(ImageReaderTest, TruncatedExrIsRefused)
{
	const std::vector<uint8_t> Good = WriteTestExr(TINYEXR_PIXELTYPE_FLOAT);
	for (std::size_t Length = 0; Length < Good.size(); Length += 7)
	{
		EXPECT_FALSE(DecodeExr(std::vector<uint8_t>(Good.begin(), Good.begin() + Length), "Cut.exr")) << Length;
	}
	EXPECT_TRUE(Capture.Contains("Refusing image file 'Cut.exr': not an OpenEXR file"));
}

TEST_F(ImageReaderTest, RawFloatNeedsItsHeaderAndExactSize)
{
	std::vector<uint8_t> Bytes = {'K', 'R', 'F', '1', 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
	const float Pixels[2] = {1.5f, -3.0f};
	Bytes.insert(Bytes.end(), reinterpret_cast<const uint8_t*>(Pixels), reinterpret_cast<const uint8_t*>(Pixels) + 8);
	const std::optional<FImage> Image = DecodeRawFloat(Bytes, "Heights.rawf");
	ASSERT_TRUE(Image);
	EXPECT_EQ(Image->Format, EImagePixelFormat::R32F);
	EXPECT_EQ(Values<float>(*Image), (std::vector<float>{1.5f, -3.0f}));

	Bytes.push_back(0);
	EXPECT_FALSE(DecodeRawFloat(Bytes, "Long.rawf"));
	EXPECT_TRUE(Capture.Contains("Refusing image file 'Long.rawf': raw float data holds 9 bytes, expected 8"));
	EXPECT_FALSE(DecodeRawFloatPixels(std::vector<uint8_t>(8 * 3), 2, 1, 3, "ThreeChannels.rawf"));
	EXPECT_FALSE(DecodeRawFloatPixels({}, 0, 1, 1, "Empty.rawf"));
}

TEST_F(ImageReaderTest, FileLoaderPicksTheDecoderByExtension)
{
	FScopedTestDir Dir;
	ASSERT_TRUE(FFileHelper::SaveBytesToFile(WriteTestPng(1, 1, 8, 0, {42}), Dir / "Mask.PNG"));
	const std::optional<FImage> Mask = LoadImageFile(Dir / "Mask.PNG");
	ASSERT_TRUE(Mask);
	EXPECT_EQ(Mask->Format, EImagePixelFormat::G8);
	EXPECT_FALSE(LoadImageFile(Dir / "Mask.tga"));
	EXPECT_FALSE(LoadImageFile(Dir / "Missing.exr"));
}
