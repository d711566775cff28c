#include "Imaging/ImageWrapperModule.h"

#include "Imaging/JpegImageWrapper.h"
#include "Imaging/LosslessImageWrapper.h"

#include <cstring>

std::shared_ptr<IImageWrapper> FImageWrapperModule::CreateImageWrapper(EImageFormat InFormat)
{
	switch (InFormat)
	{
	case EImageFormat::JPEG:
		return MakeJpegImageWrapper();
	case EImageFormat::PNG:
	case EImageFormat::TGA:
		return MakeLosslessImageWrapper(InFormat);
	default:
		return nullptr;
	}
}

EImageFormat FImageWrapperModule::DetectImageFormat(const void* CompressedData, int64_t CompressedSize)
{
	static constexpr uint8_t PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
	static constexpr uint8_t JpegSignature[] = {0xFF, 0xD8, 0xFF};
	const auto* Bytes = static_cast<const uint8_t*>(CompressedData);
	if (!Bytes || CompressedSize <= 0)
	{
		return EImageFormat::Invalid;
	}
	if (CompressedSize >= int64_t(sizeof(PngSignature)) && std::memcmp(Bytes, PngSignature, sizeof(PngSignature)) == 0)
	{
		return EImageFormat::PNG;
	}
	if (CompressedSize >= int64_t(sizeof(JpegSignature)) && std::memcmp(Bytes, JpegSignature, sizeof(JpegSignature)) == 0)
	{
		return EImageFormat::JPEG;
	}
	return EImageFormat::Invalid;
}
