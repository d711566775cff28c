#pragma once

#include "Render/RenderTarget.h"

#include <cstdint>
#include <vector>

/** A render target that is only an 8-bit BGRA image in memory (what thumbnails render into). */
class FImageRenderTarget final : public FRenderTarget
{
public:
	/** An image of the size (each edge clamped to 1..16384), transparent black. */
	FImageRenderTarget(int32_t InSizeX, int32_t InSizeY, float InDisplayGamma = 2.2f);

	FIntPoint GetSizeXY() const override { return {SizeX, SizeY}; }
	bool ReadPixels(std::vector<FColor>& OutPixels) const override;
	bool WritePixels(const std::vector<FColor>& NewPixels) override;
	void Clear(const FLinearColor& Color) override;
	float GetDisplayGamma() const override { return DisplayGamma; }

	const std::vector<FColor>& GetPixels() const { return Pixels; }

private:
	int32_t SizeX = 1;
	int32_t SizeY = 1;
	float DisplayGamma = 2.2f;
	std::vector<FColor> Pixels;
};
