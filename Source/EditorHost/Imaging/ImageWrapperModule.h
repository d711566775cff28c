#pragma once

#include "Imaging/ImageWrapper.h"

/** The host's "ImageWrapper" module: JPEG through TurboJPEG, PNG and TGA. */
class FImageWrapperModule final : public IImageWrapperModule
{
public:
	std::shared_ptr<IImageWrapper> CreateImageWrapper(EImageFormat InFormat) override;
	EImageFormat DetectImageFormat(const void* CompressedData, int64_t CompressedSize) override;
};
