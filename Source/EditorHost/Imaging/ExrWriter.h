#pragma once

#include "Imaging/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

/**
 * The bytes of an OpenEXR file (ZIP compressed) of a float image: RGBA16F as half RGBA,
 * RGBA32F as float RGBA. Nothing for other formats (an EXR reads back as RGBA, so a
 * one-channel image is written as a raw float file instead).
 */
std::optional<std::vector<uint8_t>> EncodeExr(const FImage& Image);
