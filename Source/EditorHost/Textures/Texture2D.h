#pragma once

#include "Textures/Texture.h"

/**
 * A 2D texture. Its platform data is built from the source: the size of the source's top mip,
 * the mips the mip generation setting gives, and the pixel format the compression settings
 * choose. Registry tags "Dimensions" ("%dx%d" of the platform size) and "Format" (the pixel
 * format's name in GPixelFormats).
 */
class UTexture2D : public UTexture
{
	DECLARE_ENGINE_CLASS(UTexture2D, UTexture, "/Script/Engine.Texture2D")

public:
	TextureAddress AddressX = TA_Wrap;
	TextureAddress AddressY = TA_Wrap;

	/** Width of the platform data's top mip (0 without platform data). */
	int32_t GetSizeX() const;
	int32_t GetSizeY() const;
	/** The platform data's pixel format (PF_Unknown without platform data). */
	EPixelFormat GetPixelFormat(uint32_t LayerIndex = 0) const;
	int32_t GetNumMips() const;
	const FTexturePlatformData* GetPlatformData() const;

	void UpdateResource() override;
	uint32_t CalcTextureMemorySizeEnum(ETextureMipCount Enum) const override;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

private:
	FTexturePlatformData PlatformData;
};
