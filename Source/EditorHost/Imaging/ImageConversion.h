#pragma once

#include "Imaging/Image.h"

#include <cstdint>

/** The value of IEEE 754 binary16 bits as a float (subnormals, infinities and NaN included). */
float HalfBitsToFloat(uint16_t Bits);

/**
 * The image as 8 bits per channel, for files that hold only 8-bit pixels (an exported TGA).
 * G8 and BGRA8 stay as they are. 16-bit values v become round(v × 255 / 65535). Float values
 * (half or 32-bit) are clamped to 0..1, times 255, rounded half up, without any change of gamma;
 * NaN reads as 0. Grey formats (G16, R32F) become G8; the others BGRA8.
 */
FImage ConvertToEightBit(const FImage& Image);
