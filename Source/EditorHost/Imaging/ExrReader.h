#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/**
 * Decodes a single-part scanline OpenEXR image from its R, G, B and A channels (a
 * lone Y channel is grey): RGBA16F when every one of them is half float (the half
 * bits kept as stored), RGBA32F otherwise. Missing colour channels read 0, a missing
 * alpha 1. Tiled, multi-part, deep and subsampled files are refused, as are corrupt
 * or truncated ones, with a LogHost Warning naming SourceName.
 */
std::optional<FImage> DecodeExr(std::span<const uint8_t> Bytes, std::string_view SourceName);
