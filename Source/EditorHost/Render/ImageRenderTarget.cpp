#include "Render/ImageRenderTarget.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr int32_t MaxEdge = 16384;

	/** A linear channel as the byte the target stores: sRGB-encoded for gamma targets, as is for linear ones. */
	uint8_t EncodeChannel(float Value, bool bGamma)
	{
		float Clamped = std::clamp(std::isnan(Value) ? 0.0f : Value, 0.0f, 1.0f);
		if (bGamma)
		{
			Clamped = Clamped <= 0.0031308f ? Clamped * 12.92f : 1.055f * std::pow(Clamped, 1.0f / 2.4f) - 0.055f;
		}
		return static_cast<uint8_t>(std::lround(Clamped * 255.0f));
	}
}

FImageRenderTarget::FImageRenderTarget(int32_t InSizeX, int32_t InSizeY, float InDisplayGamma)
	: SizeX(std::clamp(InSizeX, 1, MaxEdge)), SizeY(std::clamp(InSizeY, 1, MaxEdge)), DisplayGamma(InDisplayGamma),
	  Pixels(static_cast<std::size_t>(SizeX) * SizeY)
{
}

bool FImageRenderTarget::ReadPixels(std::vector<FColor>& OutPixels) const
{
	if (HoldsFailedFrame())
	{
		OutPixels.clear();
		return false;
	}
	OutPixels = Pixels;
	return true;
}

bool FImageRenderTarget::WritePixels(const std::vector<FColor>& NewPixels)
{
	if (NewPixels.size() != Pixels.size())
	{
		return false;
	}
	Pixels = NewPixels;
	return true;
}

void FImageRenderTarget::Clear(const FLinearColor& Color)
{
	const bool bGamma = DisplayGamma > 1.0f;
	const FColor Encoded{EncodeChannel(Color.B, bGamma), EncodeChannel(Color.G, bGamma), EncodeChannel(Color.R, bGamma), EncodeChannel(Color.A, false)};
	std::fill(Pixels.begin(), Pixels.end(), Encoded);
	SetHoldsFailedFrame(false);
}
