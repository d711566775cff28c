#pragma once

#include "Core/Color.h"
#include "Render/RenderTarget.h"
#include "Textures/Texture.h"

#include <cstdint>
#include <vector>

/**
 * The game-thread side of a render target's pixels: what a renderer draws into and what
 * ReadPixels reads back. Pixels are kept as 8-bit BGRA (FColor) or 16-bit float RGBA, as the
 * target's format asks; ReadPixels converts float pixels to FColor and hands 8-bit ones over as
 * they are, so reading back a frame costs no conversion.
 */
class FTextureRenderTargetResource : public FRenderTarget
{
public:
	FIntPoint GetSizeXY() const override { return {SizeX, SizeY}; }
	/** 1 for targets that force linear gamma or keep float pixels, else 2.2 (sRGB). */
	float GetDisplayGamma() const override;
	int32_t GetSizeX() const { return SizeX; }
	int32_t GetSizeY() const { return SizeY; }
	EPixelFormat GetFormat() const { return Format; }

	/** Every pixel, rows top to bottom, as 8-bit BGRA (linear formats are clamped to 0..1 and written without gamma). */
	bool ReadPixels(std::vector<FColor>& OutPixels) const override;
	/** Every pixel as linear colour. */
	bool ReadLinearColorPixels(std::vector<FLinearColor>& OutPixels) const;
	/** Replaces the pixels (what a renderer writes at the end of a frame); false when the size does not match. */
	bool WritePixels(const std::vector<FColor>& Pixels) override;
	bool WriteLinearColorPixels(const std::vector<FLinearColor>& Pixels);
	/** Sets every pixel to the colour. */
	void Clear(const FLinearColor& Color) override;

private:
	friend class UTextureRenderTarget2D;

	int32_t SizeX = 0;
	int32_t SizeY = 0;
	EPixelFormat Format = PF_B8G8R8A8;
	bool bForceLinearGamma = false;
	/** Sizes both pixel stores for the format (the other one empty), every pixel transparent black. */
	void ResetPixels();

	/** One FColor per pixel for the 8-bit formats; empty otherwise. */
	std::vector<FColor> ColorPixels;
	/** One FLinearColor per pixel for the other formats; empty for the 8-bit ones. */
	std::vector<FLinearColor> LinearPixels;
};

/** A 2D render target: a texture that a renderer draws into. Materials may sample it; it is never bundled. */
class UTextureRenderTarget2D : public UTexture
{
	DECLARE_ENGINE_CLASS(UTextureRenderTarget2D, UTexture, "/Script/Engine.TextureRenderTarget2D")

public:
	int32_t SizeX = 0;
	int32_t SizeY = 0;
	FLinearColor ClearColor{0.0f, 1.0f, 0.0f, 1.0f};
	EPixelFormat OverrideFormat = PF_B8G8R8A8;
	bool bForceLinearGamma = true;

	/** Sets the size and format and (re)creates the resource, cleared to ClearColor. */
	void InitCustomFormat(uint32_t InSizeX, uint32_t InSizeY, EPixelFormat InOverrideFormat, bool bInForceLinearGamma);
	/** Recreates the resource at the current size and format; with bClearRenderTarget its pixels are ClearColor. */
	void UpdateResourceImmediate(bool bClearRenderTarget = true);
	/** The resource, or nullptr before InitCustomFormat or UpdateResourceImmediate made one. */
	FTextureRenderTargetResource* GameThread_GetRenderTargetResource();
	EPixelFormat GetFormat() const { return OverrideFormat; }

	uint32_t CalcTextureMemorySizeEnum(ETextureMipCount Enum) const override;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	std::unique_ptr<FTextureRenderTargetResource> Resource;
};
