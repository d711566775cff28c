#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/**
 * Raw float images, the host's own tiny format for float texture sources (".rawf").
 * Everything is little-endian:
 *
 *     bytes 0..3    the magic "KRF1"
 *     bytes 4..7    width in pixels, uint32, 1..65536
 *     bytes 8..11   height in pixels, uint32, 1..65536
 *     bytes 12..15  channels per pixel, uint32: 1 (R) or 4 (R, G, B, A)
 *     then          width × height × channels 32-bit floats, rows top to bottom;
 *                   nothing may follow
 *
 * One channel decodes to R32F, four to RGBA32F. Anything else is refused with a
 * LogHost Warning naming SourceName.
 */
std::optional<FImage> DecodeRawFloat(std::span<const uint8_t> Bytes, std::string_view SourceName);

/** The same pixels without the header, their size given by the asset (e.g. width and height in its JSON). */
std::optional<FImage> DecodeRawFloatPixels(std::span<const uint8_t> Pixels, uint32_t Width, uint32_t Height, uint32_t Channels, std::string_view SourceName);
