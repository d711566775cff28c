#pragma once

#include "Runtime/ModuleManager.h"

#include <cstdint>
#include <memory>
#include <vector>

/** The compressed image formats the image wrappers read or write. */
enum class EImageFormat : int8_t
{
	Invalid = -1,
	PNG = 0,
	JPEG,
	GrayscaleJPEG,
	BMP,
	ICO,
	EXR,
	ICNS,
	TGA,
	HDR,
	TIFF,
	DDS,
	UEJPEG,
	GrayscaleUEJPEG
};

/** The channel layout of raw pixels. */
enum class ERGBFormat : int8_t
{
	Invalid = -1,
	RGBA = 0,
	BGRA = 1,
	Gray = 2,
	RGBAF = 3,
	BGRE = 4,
	GrayF = 5
};

/**
 * Converts between raw pixels and one compressed format. Raw pixels are set with SetRaw and
 * compressed with GetCompressed; compressed bytes are set with SetCompressed and decoded with
 * GetRaw. A wrapper refuses what its format cannot hold, and corrupt or truncated input is
 * refused with a LogHost Warning, never a crash.
 */
class IImageWrapper
{
public:
	virtual ~IImageWrapper() = default;

	/** Takes raw pixels (rows top to bottom, no padding); false when the layout, depth or size is not one the format writes. */
	virtual bool SetRaw(const void* RawData, int64_t RawSize, int32_t Width, int32_t Height, ERGBFormat Format, int32_t BitDepth) = 0;
	/** Takes compressed bytes and reads their header; false when they are not this format. */
	virtual bool SetCompressed(const void* CompressedData, int64_t CompressedSize) = 0;
	/**
	 * The compressed bytes of the raw pixels that were set; Quality is the JPEG quality (1..100,
	 * 0 for the default 85) and ignored by lossless formats. Empty when nothing can be written.
	 */
	virtual std::vector<uint8_t> GetCompressed(int32_t Quality = 0) = 0;
	/** Decodes the compressed bytes into OutRawData in the asked layout and depth; false when it cannot. */
	virtual bool GetRaw(ERGBFormat Format, int32_t BitDepth, std::vector<uint8_t>& OutRawData) = 0;

	/** The size of the image that was set (raw or compressed header). */
	virtual int32_t GetWidth() const = 0;
	virtual int32_t GetHeight() const = 0;
	/** The layout and depth of the image as the compressed data holds it (or as set raw). */
	virtual ERGBFormat GetFormat() const = 0;
	virtual int32_t GetBitDepth() const = 0;
};

/** The module "ImageWrapper": makes image wrappers by format. */
class IImageWrapperModule : public IModuleInterface
{
public:
	/** A wrapper for the format, or nullptr for a format the host has no wrapper for. */
	virtual std::shared_ptr<IImageWrapper> CreateImageWrapper(EImageFormat InFormat) = 0;
	/** The format that compressed bytes are in, by their signature; Invalid when none matches. */
	virtual EImageFormat DetectImageFormat(const void* CompressedData, int64_t CompressedSize) = 0;
};
