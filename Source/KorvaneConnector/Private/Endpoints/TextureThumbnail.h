#pragma once

#include "Textures/TextureDefines.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class FJsonObject;
class UTexture2D;

/** The thumbnail edge limit of a request: `maxSize` truncated and clamped to 32..512, or 256 without a number there. */
int32_t ReadThumbnailMaxSize(const FJsonObject& Body);

/**
 * The source mip a thumbnail reads: the smallest mip whose width or height still reaches
 * MaxSize, so a large texture is never read at full size; mip 0 when no mip reaches it.
 */
int32_t ChooseThumbnailMip(int32_t SourceSizeX, int32_t SourceSizeY, int32_t NumMips, int32_t MaxSize);

/** An opaque 8-bit BGRA picture, rows top to bottom. */
struct FBgraImage
{
	int32_t Width = 0;
	int32_t Height = 0;
	std::vector<uint8_t> Pixels;
};

/**
 * The first Width × Height pixels of an 8-bit grey or 8-bit BGRA source mip as opaque BGRA
 * (grey spread over B, G and R; alpha 255). Nothing for other formats or too few bytes.
 */
std::optional<FBgraImage> ConvertToOpaqueBgra(std::span<const uint8_t> MipData, int32_t Width, int32_t Height, ETextureSourceFormat Format);

/** The size of a Width × Height picture fitted into MaxSize (half rounded up, at least 1); unchanged when it already fits. */
struct FThumbnailSize
{
	int32_t Width = 0;
	int32_t Height = 0;
};
FThumbnailSize CalcThumbnailSize(int32_t Width, int32_t Height, int32_t MaxSize);

/** The picture fitted into MaxSize by nearest-neighbour sampling, without filtering; as it is when it fits. */
FBgraImage FitIntoThumbnail(FBgraImage Image, int32_t MaxSize);

/**
 * The texture's thumbnail from its source art: "data:image/jpeg;base64,..." of a JPEG at
 * quality 85 at most MaxSize on its longer edge, or the empty text when the texture has no
 * usable 8-bit source or the picture cannot be encoded.
 */
std::string MakeTextureThumbnail(const UTexture2D* Texture, int32_t MaxSize);
