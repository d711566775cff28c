#pragma once

#include "Objects/Object.h"
#include "Textures/PixelFormat.h"
#include "Textures/TextureDefines.h"
#include "Textures/TextureSource.h"

#include <cstdint>
#include <string>
#include <vector>

/**
 * What the platform uses of a texture: the size of its top mip, its pixel format and its mips,
 * built from the source by the texture's settings. The host does not compress pixels; it knows
 * the mips' sizes and formats, so memory sizes are what the engine reports.
 */
struct FTexturePlatformData
{
	int32_t SizeX = 0;
	int32_t SizeY = 0;
	EPixelFormat PixelFormat = PF_Unknown;
	/** Number of mips the platform data holds (1 without mips). */
	int32_t NumMips = 0;
};

/**
 * The base of every texture asset. Holds the import settings and the source art; kinds below it
 * build platform data from them. A texture asset file names its source picture(s) beside it
 * (docs/PROJECT_FORMAT.md).
 */
class UTexture : public UObject
{
	DECLARE_ENGINE_CLASS(UTexture, UObject, "/Script/Engine.Texture")

public:
	FTextureSource Source;

	TextureCompressionSettings CompressionSettings = TC_Default;
	TextureMipGenSettings MipGenSettings = TMGS_FromTextureGroup;
	TextureGroup LODGroup = TEXTUREGROUP_World;
	bool SRGB = true;
	bool CompressionNoAlpha = false;
	/** Uncompressed on every platform (the "Compression None" setting). */
	bool CompressionNone = false;
	bool bFlipGreenChannel = false;
	bool bNormalizeNormals = false;

	/** Rebuilds the platform data from the source and the settings (after a setting or the source changed). */
	virtual void UpdateResource();
	/** Bytes of the chosen mips of the platform data in its pixel format. */
	virtual uint32_t CalcTextureMemorySizeEnum(ETextureMipCount Enum) const;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	void PostEditChange() override;

protected:
	/** Slices one source picture holds, stacked top to bottom (six for a cube's faces). */
	virtual int32_t GetNumSourceSlices() const { return 1; }

private:
	/**
	 * Writes the source as pictures beside the asset file, named after the asset (mips after
	 * the first as "<Name>_Mip<N>"), and names them in the fields; false when it cannot.
	 */
	bool WriteSourceFiles() const;

	/** The picture files the asset file names (kept as read, so a missing one is not lost on save). */
	mutable std::string SourceFileName;
	mutable std::vector<std::string> SourceMipFileNames;
	/** The source's change count when it was read from (or written to) those files. */
	mutable uint32_t SavedSourceChangeCount = 0;
};
