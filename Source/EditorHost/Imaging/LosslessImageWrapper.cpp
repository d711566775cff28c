#include "Imaging/LosslessImageWrapper.h"

#include "Imaging/Image.h"
#include "Imaging/PngReader.h"
#include "Imaging/PngWriter.h"
#include "Imaging/TgaReader.h"
#include "Imaging/TgaWriter.h"

#include <cstring>
#include <optional>

namespace
{
	std::optional<EImagePixelFormat> ImagePixelFormat(ERGBFormat Format, int32_t BitDepth)
	{
		if (Format == ERGBFormat::BGRA && BitDepth == 8)
		{
			return EImagePixelFormat::BGRA8;
		}
		if (Format == ERGBFormat::Gray)
		{
			return BitDepth == 8 ? std::optional(EImagePixelFormat::G8) : BitDepth == 16 ? std::optional(EImagePixelFormat::G16) : std::nullopt;
		}
		if (Format == ERGBFormat::RGBA && BitDepth == 16)
		{
			return EImagePixelFormat::RGBA16;
		}
		return std::nullopt;
	}

	/** An 8-bit pixel of the decoded image as R, G, B, A. */
	void ReadRgba8(const FImage& Image, std::size_t Pixel, uint8_t (&Out)[4])
	{
		const uint8_t* Source = Image.RawData.data() + Pixel * GetBytesPerPixel(Image.Format);
		switch (Image.Format)
		{
		case EImagePixelFormat::G8:
			Out[0] = Out[1] = Out[2] = Source[0];
			Out[3] = 255;
			break;
		case EImagePixelFormat::G16:
			Out[0] = Out[1] = Out[2] = Source[1];
			Out[3] = 255;
			break;
		case EImagePixelFormat::BGRA8:
			Out[0] = Source[2];
			Out[1] = Source[1];
			Out[2] = Source[0];
			Out[3] = Source[3];
			break;
		default:
			for (int Channel = 0; Channel < 4; ++Channel)
			{
				uint16_t Sample = 0;
				std::memcpy(&Sample, Source + Channel * 2, sizeof(Sample));
				Out[Channel] = static_cast<uint8_t>(Sample >> 8);
			}
			break;
		}
	}

	class FLosslessImageWrapper final : public IImageWrapper
	{
	public:
		explicit FLosslessImageWrapper(EImageFormat InFormat) : FileFormat(InFormat) {}

		bool SetRaw(const void* RawData, int64_t RawSize, int32_t Width, int32_t Height, ERGBFormat Format, int32_t BitDepth) override
		{
			Image.reset();
			const std::optional<EImagePixelFormat> PixelFormat = ImagePixelFormat(Format, BitDepth);
			if (!RawData || !PixelFormat || Width <= 0 || Height <= 0 || (FileFormat == EImageFormat::TGA && BitDepth != 8))
			{
				return false;
			}
			const int64_t Needed = int64_t(Width) * Height * GetBytesPerPixel(*PixelFormat);
			if (RawSize < Needed)
			{
				return false;
			}
			FImage NewImage{Width, Height, *PixelFormat, {}};
			const auto* Bytes = static_cast<const uint8_t*>(RawData);
			NewImage.RawData.assign(Bytes, Bytes + Needed);
			Image = std::move(NewImage);
			return true;
		}

		bool SetCompressed(const void* CompressedData, int64_t CompressedSize) override
		{
			Image.reset();
			if (!CompressedData || CompressedSize <= 0)
			{
				return false;
			}
			const std::span<const uint8_t> Bytes(static_cast<const uint8_t*>(CompressedData), static_cast<std::size_t>(CompressedSize));
			Image = FileFormat == EImageFormat::PNG ? DecodePng(Bytes, "compressed PNG data") : DecodeTga(Bytes, "compressed TGA data");
			return Image.has_value();
		}

		std::vector<uint8_t> GetCompressed(int32_t) override
		{
			if (!Image)
			{
				return {};
			}
			std::optional<std::vector<uint8_t>> Bytes = FileFormat == EImageFormat::PNG ? EncodePng(*Image) : EncodeTga(*Image, {.bRunLengthEncoded = true});
			return Bytes ? std::move(*Bytes) : std::vector<uint8_t>();
		}

		bool GetRaw(ERGBFormat Format, int32_t BitDepth, std::vector<uint8_t>& OutRawData) override
		{
			OutRawData.clear();
			if (!Image || BitDepth != 8 || (Format != ERGBFormat::BGRA && Format != ERGBFormat::RGBA && Format != ERGBFormat::Gray))
			{
				return false;
			}
			const std::size_t NumPixels = std::size_t(Image->SizeX) * Image->SizeY;
			const int32_t OutBytes = Format == ERGBFormat::Gray ? 1 : 4;
			OutRawData.resize(NumPixels * OutBytes);
			for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
			{
				uint8_t Rgba[4];
				ReadRgba8(*Image, Pixel, Rgba);
				uint8_t* Target = OutRawData.data() + Pixel * OutBytes;
				if (Format == ERGBFormat::Gray)
				{
					Target[0] = static_cast<uint8_t>((Rgba[0] * 299 + Rgba[1] * 587 + Rgba[2] * 114 + 500) / 1000);
					continue;
				}
				const bool bBgra = Format == ERGBFormat::BGRA;
				Target[0] = bBgra ? Rgba[2] : Rgba[0];
				Target[1] = Rgba[1];
				Target[2] = bBgra ? Rgba[0] : Rgba[2];
				Target[3] = Rgba[3];
			}
			return true;
		}

		int32_t GetWidth() const override { return Image ? Image->SizeX : 0; }
		int32_t GetHeight() const override { return Image ? Image->SizeY : 0; }
		ERGBFormat GetFormat() const override
		{
			if (!Image)
			{
				return ERGBFormat::Invalid;
			}
			const bool bGrey = Image->Format == EImagePixelFormat::G8 || Image->Format == EImagePixelFormat::G16;
			return bGrey ? ERGBFormat::Gray : Image->Format == EImagePixelFormat::BGRA8 ? ERGBFormat::BGRA : ERGBFormat::RGBA;
		}
		int32_t GetBitDepth() const override
		{
			if (!Image)
			{
				return 0;
			}
			return Image->Format == EImagePixelFormat::G16 || Image->Format == EImagePixelFormat::RGBA16 ? 16 : 8;
		}

	private:
		EImageFormat FileFormat;
		std::optional<FImage> Image;
	};
}

std::shared_ptr<IImageWrapper> MakeLosslessImageWrapper(EImageFormat Format)
{
	return Format == EImageFormat::PNG || Format == EImageFormat::TGA ? std::make_shared<FLosslessImageWrapper>(Format) : nullptr;
}
