#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/**
 * Decodes a TGA (uncompressed or RLE; true-colour, grey or colour-mapped): grey images become
 * G8, every other kind BGRA8 (alpha 255 where the file has none). The header is checked before
 * decoding, so bytes of another format are refused; corrupt or truncated files are refused with
 * a LogHost Warning naming SourceName.
 */
std::optional<FImage> DecodeTga(std::span<const uint8_t> Bytes, std::string_view SourceName);
