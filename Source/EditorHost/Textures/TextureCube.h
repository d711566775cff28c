#pragma once

#include "Textures/Texture.h"

/** A cube texture: six square faces of one size. Materials sample it; it is never a 2D texture. */
class UTextureCube : public UTexture
{
	DECLARE_ENGINE_CLASS(UTextureCube, UTexture, "/Script/Engine.TextureCube")

public:
	/** Edge length of one face of the platform data. */
	int32_t GetSizeX() const;
	int32_t GetSizeY() const;
	EPixelFormat GetPixelFormat() const;

	void UpdateResource() override;
	uint32_t CalcTextureMemorySizeEnum(ETextureMipCount Enum) const override;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

protected:
	/** A cube's source picture holds its six faces (+X, -X, +Y, -Y, +Z, -Z) stacked top to bottom. */
	int32_t GetNumSourceSlices() const override;

private:
	FTexturePlatformData PlatformData;
};
