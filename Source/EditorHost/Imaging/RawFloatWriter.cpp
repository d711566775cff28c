#include "Imaging/RawFloatWriter.h"

#include <bit>

namespace
{
	constexpr uint32_t MaxEdge = 65536;

	void AppendLittleEndian32(std::vector<uint8_t>& Out, uint32_t Value)
	{
		for (int Shift = 0; Shift < 32; Shift += 8)
		{
			Out.push_back(static_cast<uint8_t>((Value >> Shift) & 0xFF));
		}
	}
}

std::optional<std::vector<uint8_t>> EncodeRawFloat(const FImage& Image)
{
	static_assert(std::endian::native == std::endian::little, "raw float pixels are copied as the machine holds them");
	const bool bSingle = Image.Format == EImagePixelFormat::R32F;
	if ((!bSingle && Image.Format != EImagePixelFormat::RGBA32F) || Image.SizeX <= 0 || Image.SizeY <= 0 || uint32_t(Image.SizeX) > MaxEdge || uint32_t(Image.SizeY) > MaxEdge
		|| Image.RawData.size() != std::size_t(Image.SizeX) * Image.SizeY * GetBytesPerPixel(Image.Format))
	{
		return std::nullopt;
	}
	std::vector<uint8_t> Out{'K', 'R', 'F', '1'};
	Out.reserve(16 + Image.RawData.size());
	AppendLittleEndian32(Out, uint32_t(Image.SizeX));
	AppendLittleEndian32(Out, uint32_t(Image.SizeY));
	AppendLittleEndian32(Out, bSingle ? 1u : 4u);
	Out.insert(Out.end(), Image.RawData.begin(), Image.RawData.end());
	return Out;
}
