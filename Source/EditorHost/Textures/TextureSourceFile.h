#pragma once

#include "Imaging/Image.h"
#include "Textures/TextureDefines.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FTextureSource;
class UObject;

/** The source format of decoded pixels (G8 → TSF_G8, BGRA8 → TSF_BGRA8, RGBA16F → TSF_RGBA16F...). */
ETextureSourceFormat ToTextureSourceFormat(EImagePixelFormat Format);
/** The image layout of a source format, or nothing for formats no image file holds (TSF_BGRE8, TSF_R16F...). */
std::optional<EImagePixelFormat> ToImagePixelFormat(ETextureSourceFormat Format);

/**
 * Reads a texture's source from the picture files named in its asset file: SourceFileName
 * holds mip 0 and MipFileNames mips 1, 2... (each exactly half the size of the one above, at
 * least 1, in the same format). Files are plain names in the asset's folder. With NumSlices
 * above 1 (a cube's six faces) a picture holds the slices stacked top to bottom, so it is
 * NumSlices times as high as it is wide. On failure the source is left invalid and the reason
 * is in OutError.
 */
bool LoadTextureSourceFiles(const UObject& Asset, std::string_view SourceFileName, const std::vector<std::string>& MipFileNames, int32_t NumSlices,
	FTextureSource& OutSource, std::string& OutError);

/** One source mip as an image: its slices stacked top to bottom. Nothing for an invalid mip or a format no image holds. */
std::optional<FImage> MakeSourceMipImage(const FTextureSource& Source, int32_t MipIndex);
