#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

/** How a TGA is written. */
struct FTgaWriteOptions
{
	/** Run-length encoded packets (never crossing a row) instead of raw pixels. */
	bool bRunLengthEncoded = false;
	/** For BGRA8 images: 32 bits with alpha, or 24 bits without. */
	bool bWithAlpha = true;
};

/**
 * The bytes of a TGA file of an 8-bit image, rows stored top to bottom: G8 as 8-bit grey,
 * BGRA8 as 32-bit (or 24-bit) true colour. Nothing for other formats, sizes above 65535 or
 * images whose pixel bytes do not match their size.
 */
std::optional<std::vector<uint8_t>> EncodeTga(const FImage& Image, const FTgaWriteOptions& Options = {});
