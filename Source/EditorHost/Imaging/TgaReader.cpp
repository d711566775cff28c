#include "Imaging/TgaReader.h"

#include "Imaging/ImageRefusal.h"

#include <stb_image.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

namespace
{
	constexpr std::size_t HeaderSize = 18;
	constexpr int64_t MaxPixels = int64_t(1) << 28;

	struct FStbFree
	{
		void operator()(uint8_t* Pixels) const { stbi_image_free(Pixels); }
	};

	bool IsGreyImageType(uint8_t ImageType)
	{
		return ImageType == 3 || ImageType == 11;
	}

	/** Whether the 18-byte header describes an image stb can decode: a TGA has no signature, so its fields are checked instead. */
	bool HasTgaHeader(std::span<const uint8_t> Bytes)
	{
		if (Bytes.size() < HeaderSize)
		{
			return false;
		}
		const uint8_t ColorMapType = Bytes[1];
		const uint8_t ImageType = Bytes[2];
		const uint16_t Width = static_cast<uint16_t>(Bytes[12] | (Bytes[13] << 8));
		const uint16_t Height = static_cast<uint16_t>(Bytes[14] | (Bytes[15] << 8));
		const uint8_t Depth = Bytes[16];
		const bool bKnownType = ImageType == 1 || ImageType == 2 || ImageType == 3 || ImageType == 9 || ImageType == 10 || ImageType == 11;
		const bool bColorMapped = ImageType == 1 || ImageType == 9;
		const bool bKnownDepth = Depth == 8 || Depth == 15 || Depth == 16 || Depth == 24 || Depth == 32;
		return ColorMapType <= 1 && (ColorMapType == 1) == bColorMapped && bKnownType && bKnownDepth && Width > 0 && Height > 0;
	}

	/**
	 * Whether the bytes hold every pixel the header promises. The decoder reads past a short
	 * file as zeros, so the length is checked first: raw pixels by size, run-length packets by
	 * walking them.
	 */
	bool HoldsEveryPixel(std::span<const uint8_t> Bytes)
	{
		const std::size_t IdLength = Bytes[0];
		const std::size_t ColorMapLength = Bytes[1] == 1 ? std::size_t(Bytes[5] | (Bytes[6] << 8)) * ((Bytes[7] + 7) / 8) : 0;
		const std::size_t PixelBytes = (Bytes[16] + 7) / 8;
		const std::size_t NumPixels = std::size_t(Bytes[12] | (Bytes[13] << 8)) * std::size_t(Bytes[14] | (Bytes[15] << 8));
		std::size_t Position = HeaderSize + IdLength + ColorMapLength;
		if (Bytes[2] < 9)
		{
			return Position <= Bytes.size() && NumPixels * PixelBytes <= Bytes.size() - Position;
		}
		std::size_t Pixels = 0;
		while (Pixels < NumPixels)
		{
			if (Position >= Bytes.size())
			{
				return false;
			}
			const uint8_t Packet = Bytes[Position++];
			const std::size_t Count = (Packet & 0x7F) + 1u;
			const std::size_t PacketBytes = Packet & 0x80 ? PixelBytes : Count * PixelBytes;
			if (PacketBytes > Bytes.size() - Position)
			{
				return false;
			}
			Position += PacketBytes;
			Pixels += Count;
		}
		return true;
	}
}

std::optional<FImage> DecodeTga(std::span<const uint8_t> Bytes, std::string_view SourceName)
{
	if (!HasTgaHeader(Bytes))
	{
		return RefuseImage(SourceName, "not a TGA file");
	}
	if (Bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
	{
		return RefuseImage(SourceName, "the file is too large");
	}
	if (!HoldsEveryPixel(Bytes))
	{
		return RefuseImage(SourceName, "the TGA data is truncated");
	}
	const auto Size = static_cast<int>(Bytes.size());
	int Width = 0;
	int Height = 0;
	int FileChannels = 0;
	if (!stbi_info_from_memory(Bytes.data(), Size, &Width, &Height, &FileChannels) || int64_t(Width) * Height > MaxPixels)
	{
		return RefuseImage(SourceName, "the TGA header is corrupt or the image is too large");
	}
	const bool bGrey = IsGreyImageType(Bytes[2]);
	const int Channels = bGrey ? 1 : 4;
	std::unique_ptr<uint8_t, FStbFree> Pixels(stbi_load_from_memory(Bytes.data(), Size, &Width, &Height, &FileChannels, Channels));
	if (!Pixels)
	{
		const char* Reason = stbi_failure_reason();
		return RefuseImage(SourceName, std::string("the TGA data is corrupt or truncated (") + (Reason ? Reason : "unknown") + ")");
	}
	FImage Image;
	Image.SizeX = Width;
	Image.SizeY = Height;
	Image.Format = bGrey ? EImagePixelFormat::G8 : EImagePixelFormat::BGRA8;
	const std::size_t NumBytes = std::size_t(Width) * Height * Channels;
	Image.RawData.assign(Pixels.get(), Pixels.get() + NumBytes);
	if (!bGrey)
	{
		for (std::size_t Pixel = 0; Pixel < NumBytes; Pixel += 4)
		{
			std::swap(Image.RawData[Pixel], Image.RawData[Pixel + 2]);
		}
	}
	return Image;
}
