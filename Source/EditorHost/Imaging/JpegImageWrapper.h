#pragma once

#include "Imaging/ImageWrapper.h"

#include <memory>

/** JPEG through TurboJPEG: 8-bit BGRA, RGBA or grey pixels in, baseline JPEG out (4:2:0 for colour), and back. */
std::shared_ptr<IImageWrapper> MakeJpegImageWrapper();
