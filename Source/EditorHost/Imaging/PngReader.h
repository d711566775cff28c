#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/**
 * Decodes a PNG: 8-bit grey becomes G8, 16-bit grey G16; 8-bit grey with alpha, RGB
 * and RGBA become BGRA8 (alpha 255 where the file has none); 16-bit ones RGBA16
 * (alpha 65535). Palette images decode to BGRA8. Corrupt or truncated files are
 * refused with a LogHost Warning naming SourceName.
 */
std::optional<FImage> DecodePng(std::span<const uint8_t> Bytes, std::string_view SourceName);
