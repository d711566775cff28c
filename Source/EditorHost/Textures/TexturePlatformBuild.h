#pragma once

#include "Textures/PixelFormat.h"
#include "Textures/TextureDefines.h"

#include <cstdint>

class FTextureSource;
class UTexture;
struct FTexturePlatformData;

/**
 * The engine's rules that turn a texture's source and settings into platform data: the mips the
 * mip generation setting gives, the pixel format the compression settings choose, and the bytes
 * those mips take. The host never compresses pixels; sizes and formats are all it needs.
 */
namespace TexturePlatformBuild
{
	/** The mip generation a texture group gives TMGS_FromTextureGroup in the default device profile. */
	TextureMipGenSettings GetTextureGroupMipGenSettings(TextureGroup Group);

	/** The mip generation that applies: the texture's own, or its group's for TMGS_FromTextureGroup. */
	TextureMipGenSettings ResolveMipGenSettings(TextureMipGenSettings MipGenSettings, TextureGroup Group);

	/**
	 * Platform mips of a top mip of that size: 1 without mips, the source's count when existing
	 * mips are kept, else the full chain down to 1×1. Sizes that are not powers of two get no
	 * generated mips, as the engine builds them without padding.
	 */
	int32_t CalcNumPlatformMips(int32_t SizeX, int32_t SizeY, int32_t NumSourceMips, TextureMipGenSettings ResolvedMipGenSettings);

	/** Whether the source's top mip holds an alpha value other than opaque (grey and one-channel formats have none). */
	bool DetectSourceAlpha(const FTextureSource& Source);

	/** What the pixel format choice reads of a texture. */
	struct FFormatChoiceInput
	{
		TextureCompressionSettings CompressionSettings = TC_Default;
		ETextureSourceFormat SourceFormat = TSF_BGRA8;
		bool bSourceHasAlpha = true;
		bool bCompressionNoAlpha = false;
		bool bCompressionNone = false;
		int32_t SizeX = 0;
		int32_t SizeY = 0;
	};

	/**
	 * The engine's default format for the compression settings (DXT1/DXT5 by alpha, BC5 for
	 * normal maps, BC4, BC6H, BC7, G8, G16, FloatRGBA, R16F, R32_FLOAT, A32B32G32R32F...). A block
	 * format falls back to the source's uncompressed format (B8G8R8A8, FloatRGBA for float
	 * sources, G8/G16 for grey) when compression is off or the top mip is not whole blocks.
	 */
	EPixelFormat ChoosePixelFormat(const FFormatChoiceInput& Input);

	/** The uncompressed format a source of that format is kept in. */
	EPixelFormat GetUncompressedPixelFormat(ETextureSourceFormat SourceFormat);

	/** Bytes of every mip of the platform data, each counted in whole blocks, times the number of faces or slices. */
	uint64_t CalcPlatformDataMemorySize(const FTexturePlatformData& PlatformData, int32_t NumSlices);

	/** Platform data for a top mip of that size (2D textures: the source size; cubes: one face) from the texture's source and settings. */
	FTexturePlatformData BuildPlatformData(const UTexture& Texture, int32_t SizeX, int32_t SizeY, bool bSourceHasAlpha);
}
