#include "Imaging/PngWriter.h"

#include <zlib.h>

#include <array>
#include <cstring>
#include <limits>
#include <string_view>

namespace
{
	constexpr std::array<uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
	constexpr uint8_t ColorTypeGrey = 0;
	constexpr uint8_t ColorTypeRgba = 6;

	void AppendBigEndian32(std::vector<uint8_t>& Out, uint32_t Value)
	{
		for (int Shift = 24; Shift >= 0; Shift -= 8)
		{
			Out.push_back(static_cast<uint8_t>((Value >> Shift) & 0xFF));
		}
	}

	void AppendChunk(std::vector<uint8_t>& Out, std::string_view Type, const std::vector<uint8_t>& Data)
	{
		AppendBigEndian32(Out, static_cast<uint32_t>(Data.size()));
		const std::size_t TypeStart = Out.size();
		Out.insert(Out.end(), Type.begin(), Type.end());
		Out.insert(Out.end(), Data.begin(), Data.end());
		const uLong Crc = crc32(0L, Out.data() + TypeStart, static_cast<uInt>(Out.size() - TypeStart));
		AppendBigEndian32(Out, static_cast<uint32_t>(Crc));
	}

	/** The scanlines as PNG filters them (filter type 0 on every row), samples in PNG's byte order. */
	std::vector<uint8_t> Scanlines(const FImage& Image, int32_t SampleBytes, int32_t Channels)
	{
		const std::size_t RowBytes = std::size_t(Image.SizeX) * SampleBytes * Channels;
		std::vector<uint8_t> Out;
		Out.reserve((RowBytes + 1) * Image.SizeY);
		const int32_t PixelBytes = GetBytesPerPixel(Image.Format);
		for (int32_t Y = 0; Y < Image.SizeY; ++Y)
		{
			Out.push_back(0);
			const uint8_t* Row = Image.RawData.data() + std::size_t(Y) * Image.SizeX * PixelBytes;
			for (int32_t X = 0; X < Image.SizeX; ++X)
			{
				const uint8_t* Pixel = Row + std::size_t(X) * PixelBytes;
				switch (Image.Format)
				{
				case EImagePixelFormat::G8:
					Out.push_back(Pixel[0]);
					break;
				case EImagePixelFormat::BGRA8:
					Out.insert(Out.end(), {Pixel[2], Pixel[1], Pixel[0], Pixel[3]});
					break;
				default:
					for (int32_t Channel = 0; Channel < Channels; ++Channel)
					{
						uint16_t Sample = 0;
						std::memcpy(&Sample, Pixel + Channel * 2, sizeof(Sample));
						Out.push_back(static_cast<uint8_t>(Sample >> 8));
						Out.push_back(static_cast<uint8_t>(Sample & 0xFF));
					}
					break;
				}
			}
		}
		return Out;
	}
}

std::optional<std::vector<uint8_t>> EncodePng(const FImage& Image)
{
	const bool bGrey = Image.Format == EImagePixelFormat::G8 || Image.Format == EImagePixelFormat::G16;
	const bool bSixteen = Image.Format == EImagePixelFormat::G16 || Image.Format == EImagePixelFormat::RGBA16;
	const bool bWritable = bGrey || Image.Format == EImagePixelFormat::BGRA8 || Image.Format == EImagePixelFormat::RGBA16;
	if (!bWritable || Image.SizeX <= 0 || Image.SizeY <= 0 || Image.RawData.size() != std::size_t(Image.SizeX) * Image.SizeY * GetBytesPerPixel(Image.Format))
	{
		return std::nullopt;
	}
	const std::vector<uint8_t> Raw = Scanlines(Image, bSixteen ? 2 : 1, bGrey ? 1 : 4);
	if (Raw.size() > std::numeric_limits<uLong>::max() / 2)
	{
		return std::nullopt;
	}
	uLongf CompressedSize = compressBound(static_cast<uLong>(Raw.size()));
	std::vector<uint8_t> Compressed(CompressedSize);
	if (compress2(Compressed.data(), &CompressedSize, Raw.data(), static_cast<uLong>(Raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
	{
		return std::nullopt;
	}
	Compressed.resize(CompressedSize);

	std::vector<uint8_t> Header;
	AppendBigEndian32(Header, static_cast<uint32_t>(Image.SizeX));
	AppendBigEndian32(Header, static_cast<uint32_t>(Image.SizeY));
	Header.insert(Header.end(), {static_cast<uint8_t>(bSixteen ? 16 : 8), bGrey ? ColorTypeGrey : ColorTypeRgba, 0, 0, 0});

	std::vector<uint8_t> Out(PngSignature.begin(), PngSignature.end());
	AppendChunk(Out, "IHDR", Header);
	AppendChunk(Out, "IDAT", Compressed);
	AppendChunk(Out, "IEND", {});
	return Out;
}
