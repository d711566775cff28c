#pragma once

#include "Textures/TextureDefines.h"

#include <cstdint>
#include <vector>

/**
 * A texture's source art: the image that was imported, kept with the asset so the platform
 * data can be rebuilt. One block and one layer (2D textures); normally one mip, as an import
 * gives, but a source may carry its own mip chain (each mip half the size of the one above,
 * at least 1). The pixels of all mips are stored one after the other, mip 0 first, rows top
 * to bottom, in the layout of the source format (8-bit BGRA is B, G, R, A bytes; 16-bit and
 * float channels are native-endian).
 */
class FTextureSource
{
public:
	/**
	 * Replaces the source. Data holds the mips one after the other (mip 0 first) and must be at
	 * least CalcMipOffset(NumMips) bytes; when it is empty the mips are zero-filled. A source
	 * with a zero size, no mips, an invalid format or more mips than its size allows is invalid.
	 */
	void Init(int32_t NewSizeX, int32_t NewSizeY, int32_t NewNumSlices, int32_t NewNumMips, ETextureSourceFormat NewFormat, const uint8_t* NewData = nullptr);
	/** Makes the source empty (invalid). */
	void Reset();

	/** True when the source has a size, at least one mip and a known format. */
	bool IsValid() const;
	int32_t GetSizeX() const { return SizeX; }
	int32_t GetSizeY() const { return SizeY; }
	int32_t GetNumSlices() const { return NumSlices; }
	int32_t GetNumMips() const { return NumMips; }
	ETextureSourceFormat GetFormat(int32_t LayerIndex = 0) const;
	/** Bytes of one pixel of the source format (0 for TSF_Invalid). */
	int32_t GetBytesPerPixel(int32_t LayerIndex = 0) const;
	static int32_t GetBytesPerPixel(ETextureSourceFormat Format);

	/** The width and height of a mip: the source size shifted right by the mip index, each at least 1. */
	int32_t GetMipSizeX(int32_t MipIndex) const;
	int32_t GetMipSizeY(int32_t MipIndex) const;
	/** Bytes of one mip. */
	int64_t CalcMipSize(int32_t MipIndex) const;

	/**
	 * Copies one mip's bytes into OutMipData. False, with OutMipData empty, for a block or layer
	 * other than 0, a mip index outside the source, or an invalid source.
	 */
	bool GetMipData(std::vector<uint8_t>& OutMipData, int32_t BlockIndex, int32_t LayerIndex, int32_t MipIndex) const;
	/** All the source bytes, mip 0 first. */
	const std::vector<uint8_t>& GetRawData() const { return Data; }
	/** Counts the replacements of the source (Init and Reset of a valid one), so an owner can tell that its source changed since it was loaded. */
	uint32_t GetChangeCount() const { return ChangeCount; }

private:
	int64_t CalcMipOffset(int32_t MipIndex) const;

	int32_t SizeX = 0;
	int32_t SizeY = 0;
	int32_t NumSlices = 0;
	int32_t NumMips = 0;
	ETextureSourceFormat Format = TSF_Invalid;
	std::vector<uint8_t> Data;
	uint32_t ChangeCount = 0;
};
