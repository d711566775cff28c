#include "Imaging/PngReader.h"

#include "Imaging/ImageRefusal.h"

#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace
{
	constexpr std::array<uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
	constexpr int64_t MaxPixels = int64_t(1) << 28;

	struct FStbFree
	{
		void operator()(void* Pixels) const { stbi_image_free(Pixels); }
	};

	/** The grey value stays one channel; everything else is widened to four. */
	int DesiredChannels(int FileChannels)
	{
		return FileChannels == 1 ? 1 : 4;
	}
}

std::optional<FImage> DecodePng(std::span<const uint8_t> Bytes, std::string_view SourceName)
{
	if (Bytes.size() < PngSignature.size() || !std::equal(PngSignature.begin(), PngSignature.end(), Bytes.begin()))
	{
		return RefuseImage(SourceName, "not a PNG file");
	}
	if (Bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
	{
		return RefuseImage(SourceName, "the file is too large");
	}
	const auto Size = static_cast<int>(Bytes.size());
	int Width = 0;
	int Height = 0;
	int FileChannels = 0;
	if (!stbi_info_from_memory(Bytes.data(), Size, &Width, &Height, &FileChannels) || int64_t(Width) * Height > MaxPixels)
	{
		return RefuseImage(SourceName, "the PNG header is corrupt or the image is too large");
	}
	const bool b16Bit = stbi_is_16_bit_from_memory(Bytes.data(), Size) != 0;
	const int Channels = DesiredChannels(FileChannels);
	std::unique_ptr<void, FStbFree> Pixels(b16Bit ? static_cast<void*>(stbi_load_16_from_memory(Bytes.data(), Size, &Width, &Height, &FileChannels, Channels))
												  : static_cast<void*>(stbi_load_from_memory(Bytes.data(), Size, &Width, &Height, &FileChannels, Channels)));
	if (!Pixels)
	{
		const char* Reason = stbi_failure_reason();
		return RefuseImage(SourceName, std::string("the PNG data is corrupt or truncated (") + (Reason ? Reason : "unknown") + ")");
	}
	FImage Image;
	Image.SizeX = Width;
	Image.SizeY = Height;
	Image.Format = Channels == 1 ? (b16Bit ? EImagePixelFormat::G16 : EImagePixelFormat::G8) : (b16Bit ? EImagePixelFormat::RGBA16 : EImagePixelFormat::BGRA8);
	const std::size_t NumBytes = std::size_t(Width) * Height * GetBytesPerPixel(Image.Format);
	const auto* Source = static_cast<const uint8_t*>(Pixels.get());
	Image.RawData.assign(Source, Source + NumBytes);
	if (Image.Format == EImagePixelFormat::BGRA8)
	{
		for (std::size_t Pixel = 0; Pixel < NumBytes; Pixel += 4)
		{
			std::swap(Image.RawData[Pixel], Image.RawData[Pixel + 2]);
		}
	}
	return Image;
}
