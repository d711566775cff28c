#pragma once

#include "Core/Color.h"
#include "Render/RenderCore.h"

#include <vector>

/**
 * Something a renderer draws into: a size and 8-bit BGRA pixels, rows top to bottom. The
 * renderer reads what is already there (a canvas clear) as the background of its views and
 * writes the finished frame back.
 */
class FRenderTarget
{
public:
	virtual ~FRenderTarget() = default;

	virtual FIntPoint GetSizeXY() const = 0;
	/** Every pixel, rows top to bottom, as 8-bit BGRA; false while the target holds a failed frame. */
	virtual bool ReadPixels(std::vector<FColor>& OutPixels) const = 0;
	/** Replaces every pixel; false when the count does not match the size. */
	virtual bool WritePixels(const std::vector<FColor>& Pixels) = 0;
	/** Sets every pixel to the colour. */
	virtual void Clear(const FLinearColor& Color) = 0;
	/** The gamma the renderer encodes the target's colours with: 2.2 (sRGB) or 1 for linear targets. */
	virtual float GetDisplayGamma() const { return 2.2f; }

	/**
	 * Whether the last frame drawn into the target failed (no device, a shader that would not
	 * build): its pixels are then no picture, so reading them back fails until a clear or a
	 * drawn frame replaces them, and a caller never takes an empty canvas for a rendering.
	 */
	bool HoldsFailedFrame() const { return bHoldsFailedFrame; }
	/** Set by the renderer when a frame fails and reset when it starts the next one. */
	void SetHoldsFailedFrame(bool bFailed) { bHoldsFailedFrame = bFailed; }

private:
	bool bHoldsFailedFrame = false;
};
