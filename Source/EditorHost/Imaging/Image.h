#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

/** How an image's pixels are laid out, named as the editor names texture source formats. */
enum class EImagePixelFormat : uint8_t
{
	/** One 8-bit grey channel. */
	G8,
	/** One 16-bit grey channel. */
	G16,
	/** 8 bits each of blue, green, red, alpha, in that byte order. */
	BGRA8,
	/** 16 bits each of red, green, blue, alpha. */
	RGBA16,
	/** Half floats (IEEE 754 binary16 bits) of red, green, blue, alpha. */
	RGBA16F,
	/** 32-bit floats of red, green, blue, alpha. */
	RGBA32F,
	/** One 32-bit float channel. */
	R32F
};

std::string_view LexToString(EImagePixelFormat Format);
int32_t GetBytesPerPixel(EImagePixelFormat Format);

/** Decoded pixels, rows top to bottom, native-endian channel values, no padding between rows. */
struct FImage
{
	int32_t SizeX = 0;
	int32_t SizeY = 0;
	EImagePixelFormat Format = EImagePixelFormat::BGRA8;
	std::vector<uint8_t> RawData;
};
