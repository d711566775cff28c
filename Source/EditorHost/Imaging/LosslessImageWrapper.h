#pragma once

#include "Imaging/ImageWrapper.h"

#include <memory>

/**
 * PNG or TGA: raw pixels in (8-bit BGRA or grey; 16-bit RGBA or grey for PNG), the file's
 * bytes out; and compressed bytes decoded back to 8-bit BGRA, RGBA or grey.
 */
std::shared_ptr<IImageWrapper> MakeLosslessImageWrapper(EImageFormat Format);
