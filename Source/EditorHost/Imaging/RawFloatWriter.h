#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

/** The bytes of a raw float file (RawFloatReader.h) of an R32F or RGBA32F image; nothing for other formats or sizes above 65536. */
std::optional<std::vector<uint8_t>> EncodeRawFloat(const FImage& Image);
