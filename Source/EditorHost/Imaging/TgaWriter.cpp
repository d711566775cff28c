#include "Imaging/TgaWriter.h"

#include <algorithm>
#include <cstring>

namespace
{
	constexpr uint8_t TopLeftOrigin = 0x20;
	constexpr int32_t MaxPacketPixels = 128;

	void AppendLittleEndian16(std::vector<uint8_t>& Out, int32_t Value)
	{
		Out.push_back(static_cast<uint8_t>(Value & 0xFF));
		Out.push_back(static_cast<uint8_t>((Value >> 8) & 0xFF));
	}

	/** One row as run-length packets: repeated pixels as a run, the others as raw packets. */
	void AppendRunLengthRow(std::vector<uint8_t>& Out, const uint8_t* Row, int32_t Width, int32_t PixelBytes)
	{
		const auto Same = [Row, PixelBytes](int32_t A, int32_t B) { return std::memcmp(Row + A * PixelBytes, Row + B * PixelBytes, PixelBytes) == 0; };
		int32_t X = 0;
		while (X < Width)
		{
			int32_t Run = 1;
			while (X + Run < Width && Run < MaxPacketPixels && Same(X, X + Run))
			{
				++Run;
			}
			if (Run > 1)
			{
				Out.push_back(static_cast<uint8_t>(0x80 | (Run - 1)));
				Out.insert(Out.end(), Row + X * PixelBytes, Row + (X + 1) * PixelBytes);
				X += Run;
				continue;
			}
			int32_t Raw = 1;
			while (X + Raw < Width && Raw < MaxPacketPixels && !(X + Raw + 1 < Width && Same(X + Raw, X + Raw + 1)))
			{
				++Raw;
			}
			Out.push_back(static_cast<uint8_t>(Raw - 1));
			Out.insert(Out.end(), Row + X * PixelBytes, Row + (X + Raw) * PixelBytes);
			X += Raw;
		}
	}
}

std::optional<std::vector<uint8_t>> EncodeTga(const FImage& Image, const FTgaWriteOptions& Options)
{
	const bool bGrey = Image.Format == EImagePixelFormat::G8;
	if ((!bGrey && Image.Format != EImagePixelFormat::BGRA8) || Image.SizeX <= 0 || Image.SizeY <= 0 || Image.SizeX > 0xFFFF || Image.SizeY > 0xFFFF
		|| Image.RawData.size() != std::size_t(Image.SizeX) * Image.SizeY * GetBytesPerPixel(Image.Format))
	{
		return std::nullopt;
	}
	const int32_t PixelBytes = bGrey ? 1 : (Options.bWithAlpha ? 4 : 3);
	std::vector<uint8_t> Pixels;
	if (PixelBytes == 3)
	{
		Pixels.reserve(std::size_t(Image.SizeX) * Image.SizeY * 3);
		for (std::size_t Pixel = 0; Pixel < Image.RawData.size(); Pixel += 4)
		{
			Pixels.insert(Pixels.end(), Image.RawData.begin() + Pixel, Image.RawData.begin() + Pixel + 3);
		}
	}
	const std::vector<uint8_t>& Source = PixelBytes == 3 ? Pixels : Image.RawData;

	std::vector<uint8_t> Out;
	Out.reserve(18 + Source.size() + (Options.bRunLengthEncoded ? Source.size() / 64 + Image.SizeY : 0));
	const uint8_t ImageType = static_cast<uint8_t>((bGrey ? 3 : 2) + (Options.bRunLengthEncoded ? 8 : 0));
	Out.insert(Out.end(), {0, 0, ImageType, 0, 0, 0, 0, 0, 0, 0, 0, 0});
	AppendLittleEndian16(Out, Image.SizeX);
	AppendLittleEndian16(Out, Image.SizeY);
	Out.push_back(static_cast<uint8_t>(PixelBytes * 8));
	Out.push_back(static_cast<uint8_t>(TopLeftOrigin | (PixelBytes == 4 ? 8 : 0)));
	if (!Options.bRunLengthEncoded)
	{
		Out.insert(Out.end(), Source.begin(), Source.end());
		return Out;
	}
	const std::size_t RowBytes = std::size_t(Image.SizeX) * PixelBytes;
	for (int32_t Y = 0; Y < Image.SizeY; ++Y)
	{
		AppendRunLengthRow(Out, Source.data() + Y * RowBytes, Image.SizeX, PixelBytes);
	}
	return Out;
}
