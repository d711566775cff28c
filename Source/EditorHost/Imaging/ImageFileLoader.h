#pragma once

#include "Imaging/Image.h"

#include <optional>
#include <string_view>

/**
 * Reads a texture source file, choosing the decoder by extension (letter case
 * ignored): ".png", ".tga", ".exr" or ".rawf" (see RawFloatReader.h). Unknown extensions,
 * unreadable and malformed files are refused with a LogHost Warning.
 */
std::optional<FImage> LoadImageFile(std::string_view Path);
