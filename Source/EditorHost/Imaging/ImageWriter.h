#pragma once

#include "Imaging/Image.h"

#include <string_view>

/**
 * Writes an image file, choosing the encoder by extension (letter case ignored): ".png"
 * (8-bit and 16-bit grey and colour), ".tga" (8-bit grey and BGRA), ".exr" (half and 32-bit
 * float RGBA) or ".rawf" (32-bit float R or RGBA). The file is written to a temporary name beside the target and renamed over
 * it, so a failed write leaves no half-written file. False, with a LogHost Warning, when the
 * format cannot hold the image or the file cannot be written.
 */
bool SaveImageFile(const FImage& Image, std::string_view Path);
