#include "Imaging/ImageFileLoader.h"
#include "Imaging/ImageWrapperModule.h"
#include "Imaging/ImageWriter.h"
#include "Imaging/PngWriter.h"
#include "Imaging/TgaReader.h"
#include "Imaging/TgaWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <numeric>

namespace
{
	FImage MakeImage(int32_t SizeX, int32_t SizeY, EImagePixelFormat Format)
	{
		FImage Image{SizeX, SizeY, Format, {}};
		Image.RawData.resize(std::size_t(SizeX) * SizeY * GetBytesPerPixel(Format));
		// Runs of equal bytes and changing ones, so run-length packets of both kinds appear.
		for (std::size_t Index = 0; Index < Image.RawData.size(); ++Index)
		{
			Image.RawData[Index] = static_cast<uint8_t>(Index % 97 < 40 ? 7 : Index * 31 % 251);
		}
		return Image;
	}

	std::filesystem::path TempFile(const char* Name)
	{
		return std::filesystem::temp_directory_path() / (std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + Name);
	}
}

TEST(TgaImages, EveryLayoutAndEncodingDecodesToThePixelsWritten)
{
	for (const bool bRle : {false, true})
	{
		const FImage Grey = MakeImage(131, 7, EImagePixelFormat::G8);
		const std::optional<std::vector<uint8_t>> GreyBytes = EncodeTga(Grey, {.bRunLengthEncoded = bRle});
		ASSERT_TRUE(GreyBytes);
		const std::optional<FImage> GreyBack = DecodeTga(*GreyBytes, "grey.tga");
		ASSERT_TRUE(GreyBack);
		EXPECT_EQ(GreyBack->Format, EImagePixelFormat::G8);
		EXPECT_EQ(GreyBack->RawData, Grey.RawData) << "rle " << bRle;

		const FImage Colour = MakeImage(300, 5, EImagePixelFormat::BGRA8);
		const std::optional<FImage> ColourBack = DecodeTga(*EncodeTga(Colour, {.bRunLengthEncoded = bRle}), "colour.tga");
		ASSERT_TRUE(ColourBack);
		EXPECT_EQ(ColourBack->RawData, Colour.RawData) << "rle " << bRle;

		const std::optional<FImage> Opaque = DecodeTga(*EncodeTga(Colour, {.bRunLengthEncoded = bRle, .bWithAlpha = false}), "opaque.tga");
		ASSERT_TRUE(Opaque);
		for (std::size_t Pixel = 0; Pixel < Colour.RawData.size(); Pixel += 4)
		{
			ASSERT_EQ(std::memcmp(&Opaque->RawData[Pixel], &Colour.RawData[Pixel], 3), 0);
			ASSERT_EQ(Opaque->RawData[Pixel + 3], 255);
		}
	}
}

TEST(TgaImages, RunLengthEncodingShrinksFlatImagesAndRefusesWhatItCannotHold)
{
	FImage Flat{256, 256, EImagePixelFormat::BGRA8, std::vector<uint8_t>(256 * 256 * 4, 200)};
	EXPECT_LT(EncodeTga(Flat, {.bRunLengthEncoded = true})->size(), EncodeTga(Flat)->size() / 20);
	EXPECT_FALSE(EncodeTga(MakeImage(4, 4, EImagePixelFormat::RGBA16F)));
	FImage Short = MakeImage(4, 4, EImagePixelFormat::BGRA8);
	Short.RawData.pop_back();
	EXPECT_FALSE(EncodeTga(Short));
}

TEST(TgaImages, TruncatedAndForeignBytesAreRefused)
{
	const std::vector<uint8_t> Bytes = *EncodeTga(MakeImage(64, 64, EImagePixelFormat::BGRA8), {.bRunLengthEncoded = true});
	for (const std::size_t Length : {std::size_t(0), std::size_t(17), std::size_t(18), Bytes.size() / 2})
	{
		EXPECT_FALSE(DecodeTga(std::span(Bytes.data(), Length), "cut.tga")) << Length;
	}
	const std::vector<uint8_t> Png = *EncodePng(MakeImage(8, 8, EImagePixelFormat::G8));
	EXPECT_FALSE(DecodeTga(Png, "png-bytes.tga"));
}

TEST(ImageFiles, SavedFilesLoadBackInTheirFormatWithTheSamePixels)
{
	const std::pair<const char*, EImagePixelFormat> Cases[] = {
		{"g8.png", EImagePixelFormat::G8},
		{"g16.png", EImagePixelFormat::G16},
		{"bgra8.png", EImagePixelFormat::BGRA8},
		{"rgba16.png", EImagePixelFormat::RGBA16},
		{"bgra8.tga", EImagePixelFormat::BGRA8},
		{"g8.TGA", EImagePixelFormat::G8},
		{"r32f.rawf", EImagePixelFormat::R32F},
		{"rgba16f.exr", EImagePixelFormat::RGBA16F},
		{"rgba32f.exr", EImagePixelFormat::RGBA32F},
	};
	for (const auto& [Name, Format] : Cases)
	{
		FImage Image = MakeImage(33, 17, Format);
		if (Format == EImagePixelFormat::R32F || Format == EImagePixelFormat::RGBA32F)
		{
			std::vector<float> Values(Image.RawData.size() / 4);
			std::iota(Values.begin(), Values.end(), -3.5f);
			std::memcpy(Image.RawData.data(), Values.data(), Image.RawData.size());
		}
		const std::filesystem::path Path = TempFile(Name);
		ASSERT_TRUE(SaveImageFile(Image, Path.string())) << Name;
		const std::optional<FImage> Back = LoadImageFile(Path.string());
		std::filesystem::remove(Path);
		ASSERT_TRUE(Back) << Name;
		EXPECT_EQ(Back->Format, Format) << Name;
		EXPECT_EQ(Back->SizeX, 33);
		EXPECT_EQ(Back->SizeY, 17);
		EXPECT_EQ(Back->RawData, Image.RawData) << Name;
	}
}

TEST(ImageFiles, AFormatTheFileCannotHoldWritesNothing)
{
	const std::filesystem::path Path = TempFile("float.png");
	EXPECT_FALSE(SaveImageFile(MakeImage(4, 4, EImagePixelFormat::RGBA32F), Path.string()));
	EXPECT_FALSE(SaveImageFile(MakeImage(4, 4, EImagePixelFormat::G16), TempFile("g16.tga").string()));
	EXPECT_FALSE(SaveImageFile(MakeImage(4, 4, EImagePixelFormat::G8), TempFile("g8.bmp").string()));
	EXPECT_FALSE(SaveImageFile(MakeImage(4, 4, EImagePixelFormat::R32F), TempFile("r32f.exr").string()));
	EXPECT_FALSE(std::filesystem::exists(Path));
}

TEST(ImageWrappers, JpegEncodesBgraAtAQualityAndDecodesToTheSameSize)
{
	FImageWrapperModule Module;
	const FImage Colour = MakeImage(256, 85, EImagePixelFormat::BGRA8);
	const std::shared_ptr<IImageWrapper> Writer = Module.CreateImageWrapper(EImageFormat::JPEG);
	ASSERT_TRUE(Writer);
	ASSERT_TRUE(Writer->SetRaw(Colour.RawData.data(), int64_t(Colour.RawData.size()), 256, 85, ERGBFormat::BGRA, 8));
	const std::vector<uint8_t> Low = Writer->GetCompressed(20);
	const std::vector<uint8_t> High = Writer->GetCompressed(95);
	ASSERT_FALSE(Low.empty());
	EXPECT_LT(Low.size(), High.size());
	EXPECT_EQ(Module.DetectImageFormat(High.data(), int64_t(High.size())), EImageFormat::JPEG);

	const std::shared_ptr<IImageWrapper> Reader = Module.CreateImageWrapper(EImageFormat::JPEG);
	ASSERT_TRUE(Reader->SetCompressed(High.data(), int64_t(High.size())));
	EXPECT_EQ(Reader->GetWidth(), 256);
	EXPECT_EQ(Reader->GetHeight(), 85);
	std::vector<uint8_t> Decoded;
	ASSERT_TRUE(Reader->GetRaw(ERGBFormat::BGRA, 8, Decoded));
	EXPECT_EQ(Decoded.size(), Colour.RawData.size());

	// A flat colour survives lossy coding within a few levels.
	const std::vector<uint8_t> Flat(64 * 64 * 4, 0x80);
	ASSERT_TRUE(Writer->SetRaw(Flat.data(), int64_t(Flat.size()), 64, 64, ERGBFormat::BGRA, 8));
	const std::vector<uint8_t> FlatJpeg = Writer->GetCompressed(85);
	ASSERT_TRUE(Reader->SetCompressed(FlatJpeg.data(), int64_t(FlatJpeg.size())));
	ASSERT_TRUE(Reader->GetRaw(ERGBFormat::Gray, 8, Decoded));
	for (const uint8_t Value : Decoded)
	{
		ASSERT_NEAR(Value, 0x80, 3);
	}
}

TEST(ImageWrappers, RefuseWhatTheyCannotHoldAndCorruptData)
{
	FImageWrapperModule Module;
	const std::shared_ptr<IImageWrapper> Jpeg = Module.CreateImageWrapper(EImageFormat::JPEG);
	const std::vector<uint8_t> Pixels(16 * 16 * 4, 1);
	EXPECT_FALSE(Jpeg->SetRaw(Pixels.data(), int64_t(Pixels.size()) - 1, 16, 16, ERGBFormat::BGRA, 8));
	EXPECT_FALSE(Jpeg->SetRaw(Pixels.data(), int64_t(Pixels.size()), 16, 16, ERGBFormat::RGBAF, 8));
	EXPECT_FALSE(Jpeg->SetRaw(Pixels.data(), int64_t(Pixels.size()), 0, 16, ERGBFormat::BGRA, 8));
	EXPECT_TRUE(Jpeg->GetCompressed(85).empty());

	ASSERT_TRUE(Jpeg->SetRaw(Pixels.data(), int64_t(Pixels.size()), 16, 16, ERGBFormat::BGRA, 8));
	std::vector<uint8_t> Bytes = Jpeg->GetCompressed(85);
	Bytes.resize(Bytes.size() / 2);
	std::vector<uint8_t> Decoded;
	EXPECT_FALSE(Jpeg->SetCompressed(Bytes.data(), int64_t(Bytes.size())) && Jpeg->GetRaw(ERGBFormat::BGRA, 8, Decoded));
	EXPECT_FALSE(Jpeg->SetCompressed("not a jpeg", 10));
	EXPECT_EQ(Module.CreateImageWrapper(EImageFormat::DDS), nullptr);

	const std::shared_ptr<IImageWrapper> Png = Module.CreateImageWrapper(EImageFormat::PNG);
	ASSERT_TRUE(Png->SetRaw(Pixels.data(), int64_t(Pixels.size()), 16, 16, ERGBFormat::BGRA, 8));
	const std::vector<uint8_t> PngBytes = Png->GetCompressed(0);
	EXPECT_EQ(Module.DetectImageFormat(PngBytes.data(), int64_t(PngBytes.size())), EImageFormat::PNG);
	ASSERT_TRUE(Png->SetCompressed(PngBytes.data(), int64_t(PngBytes.size())));
	ASSERT_TRUE(Png->GetRaw(ERGBFormat::BGRA, 8, Decoded));
	EXPECT_EQ(Decoded, Pixels);
}
