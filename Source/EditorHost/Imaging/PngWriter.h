#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

/**
 * The bytes of a PNG file of an image: G8 and G16 as grey, BGRA8 and RGBA16 as RGBA of 8 or
 * 16 bits (samples big-endian, as PNG stores them). Nothing for other formats or images whose
 * pixel bytes do not match their size.
 */
std::optional<std::vector<uint8_t>> EncodePng(const FImage& Image);
