#include "Imaging/RawFloatReader.h"

#include "Imaging/ImageRefusal.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
	constexpr std::string_view Magic = "KRF1";
	constexpr std::size_t HeaderBytes = 16;
	constexpr uint32_t MaxEdge = 65536;

	uint32_t ReadUint32(const uint8_t* Bytes)
	{
		return uint32_t(Bytes[0]) | uint32_t(Bytes[1]) << 8 | uint32_t(Bytes[2]) << 16 | uint32_t(Bytes[3]) << 24;
	}
}

std::optional<FImage> DecodeRawFloat(std::span<const uint8_t> Bytes, std::string_view SourceName)
{
	if (Bytes.size() < HeaderBytes || !std::equal(Magic.begin(), Magic.end(), Bytes.begin()))
	{
		return RefuseImage(SourceName, "not a raw float image (no KRF1 header)");
	}
	return DecodeRawFloatPixels(Bytes.subspan(HeaderBytes), ReadUint32(&Bytes[4]), ReadUint32(&Bytes[8]), ReadUint32(&Bytes[12]), SourceName);
}

std::optional<FImage> DecodeRawFloatPixels(std::span<const uint8_t> Pixels, uint32_t Width, uint32_t Height, uint32_t Channels, std::string_view SourceName)
{
	if (Width == 0 || Height == 0 || Width > MaxEdge || Height > MaxEdge)
	{
		return RefuseImage(SourceName, "raw float size " + std::to_string(Width) + "x" + std::to_string(Height) + " is out of range");
	}
	if (Channels != 1 && Channels != 4)
	{
		return RefuseImage(SourceName, "raw float images have 1 or 4 channels, not " + std::to_string(Channels));
	}
	const uint64_t Expected = uint64_t(Width) * Height * Channels * sizeof(float);
	if (Pixels.size() != Expected)
	{
		return RefuseImage(SourceName, "raw float data holds " + std::to_string(Pixels.size()) + " bytes, expected " + std::to_string(Expected));
	}
	FImage Image;
	Image.SizeX = static_cast<int32_t>(Width);
	Image.SizeY = static_cast<int32_t>(Height);
	Image.Format = Channels == 1 ? EImagePixelFormat::R32F : EImagePixelFormat::RGBA32F;
	Image.RawData.assign(Pixels.begin(), Pixels.end());
	return Image;
}
