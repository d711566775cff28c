#include "Textures/TextureRenderTarget2D.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
	/** Formats whose pixels are 8 bits a channel: what is written to them rounds to steps of 1/255. */
	bool IsEightBitFormat(EPixelFormat Format)
	{
		switch (Format)
		{
		case PF_B8G8R8A8:
		case PF_R8G8B8A8:
		case PF_A8R8G8B8:
		case PF_G8:
		case PF_R8:
		case PF_R8G8:
		case PF_L8:
		case PF_A8:
			return true;
		default:
			return false;
		}
	}

	uint8_t ToByte(float Value)
	{
		const float Clamped = std::clamp(std::isnan(Value) ? 0.0f : Value, 0.0f, 1.0f);
		return static_cast<uint8_t>(std::floor(Clamped * 255.0f + 0.5f));
	}

	FColor ToColor(const FLinearColor& Color)
	{
		return FColor{ToByte(Color.B), ToByte(Color.G), ToByte(Color.R), ToByte(Color.A)};
	}

	FLinearColor ToLinearColor(const FColor& Color)
	{
		return FLinearColor{Color.R / 255.0f, Color.G / 255.0f, Color.B / 255.0f, Color.A / 255.0f};
	}

	std::optional<EPixelFormat> FindPixelFormatByString(std::string_view Name)
	{
		for (int32_t Format = 0; Format < PF_MAX; ++Format)
		{
			if (Name == GetPixelFormatString(static_cast<EPixelFormat>(Format)))
			{
				return static_cast<EPixelFormat>(Format);
			}
		}
		return std::nullopt;
	}

	/** Sizes a render target accepts: a positive edge no larger than the engine's 16384-texel limit. */
	constexpr int32_t MaxRenderTargetSize = 16384;
}

bool FTextureRenderTargetResource::ReadPixels(std::vector<FColor>& OutPixels) const
{
	OutPixels.clear();
	if (HoldsFailedFrame())
	{
		return false;
	}
	if (IsEightBitFormat(Format))
	{
		OutPixels = ColorPixels;
	}
	else
	{
		OutPixels.resize(LinearPixels.size());
		std::transform(LinearPixels.begin(), LinearPixels.end(), OutPixels.begin(), ToColor);
	}
	return !OutPixels.empty();
}

float FTextureRenderTargetResource::GetDisplayGamma() const
{
	return bForceLinearGamma || !IsEightBitFormat(Format) ? 1.0f : 2.2f;
}

bool FTextureRenderTargetResource::ReadLinearColorPixels(std::vector<FLinearColor>& OutPixels) const
{
	OutPixels.clear();
	if (HoldsFailedFrame())
	{
		return false;
	}
	if (IsEightBitFormat(Format))
	{
		OutPixels.resize(ColorPixels.size());
		std::transform(ColorPixels.begin(), ColorPixels.end(), OutPixels.begin(), ToLinearColor);
	}
	else
	{
		OutPixels = LinearPixels;
	}
	return !OutPixels.empty();
}

bool FTextureRenderTargetResource::WritePixels(const std::vector<FColor>& NewPixels)
{
	if (NewPixels.size() != static_cast<std::size_t>(SizeX) * static_cast<std::size_t>(SizeY))
	{
		return false;
	}
	if (IsEightBitFormat(Format))
	{
		ColorPixels = NewPixels;
	}
	else
	{
		std::transform(NewPixels.begin(), NewPixels.end(), LinearPixels.begin(), ToLinearColor);
	}
	return true;
}

bool FTextureRenderTargetResource::WriteLinearColorPixels(const std::vector<FLinearColor>& NewPixels)
{
	if (NewPixels.size() != static_cast<std::size_t>(SizeX) * static_cast<std::size_t>(SizeY))
	{
		return false;
	}
	if (IsEightBitFormat(Format))
	{
		std::transform(NewPixels.begin(), NewPixels.end(), ColorPixels.begin(), ToColor);
	}
	else
	{
		LinearPixels = NewPixels;
	}
	return true;
}

void FTextureRenderTargetResource::Clear(const FLinearColor& Color)
{
	if (IsEightBitFormat(Format))
	{
		std::fill(ColorPixels.begin(), ColorPixels.end(), ToColor(Color));
	}
	else
	{
		std::fill(LinearPixels.begin(), LinearPixels.end(), Color);
	}
	SetHoldsFailedFrame(false);
}

void FTextureRenderTargetResource::ResetPixels()
{
	const std::size_t Count = static_cast<std::size_t>(SizeX) * static_cast<std::size_t>(SizeY);
	const bool bEightBit = IsEightBitFormat(Format);
	ColorPixels.assign(bEightBit ? Count : 0, FColor{0, 0, 0, 0});
	LinearPixels.assign(bEightBit ? 0 : Count, FLinearColor{0.0f, 0.0f, 0.0f, 0.0f});
}

void UTextureRenderTarget2D::InitCustomFormat(uint32_t InSizeX, uint32_t InSizeY, EPixelFormat InOverrideFormat, bool bInForceLinearGamma)
{
	SizeX = static_cast<int32_t>(std::min<uint32_t>(InSizeX, MaxRenderTargetSize));
	SizeY = static_cast<int32_t>(std::min<uint32_t>(InSizeY, MaxRenderTargetSize));
	OverrideFormat = InOverrideFormat < PF_MAX ? InOverrideFormat : PF_Unknown;
	bForceLinearGamma = bInForceLinearGamma;
	UpdateResourceImmediate(true);
}

void UTextureRenderTarget2D::UpdateResourceImmediate(bool bClearRenderTarget)
{
	if (SizeX <= 0 || SizeY <= 0 || SizeX > MaxRenderTargetSize || SizeY > MaxRenderTargetSize || GPixelFormats[OverrideFormat].BlockBytes == 0)
	{
		Resource.reset();
		return;
	}
	const bool bKeepPixels = Resource && Resource->SizeX == SizeX && Resource->SizeY == SizeY && !bClearRenderTarget
		&& IsEightBitFormat(Resource->Format) == IsEightBitFormat(OverrideFormat);
	if (!Resource)
	{
		Resource = std::make_unique<FTextureRenderTargetResource>();
	}
	Resource->Format = OverrideFormat;
	Resource->bForceLinearGamma = bForceLinearGamma;
	if (!bKeepPixels)
	{
		Resource->SizeX = SizeX;
		Resource->SizeY = SizeY;
		Resource->ResetPixels();
	}
	if (bClearRenderTarget)
	{
		Resource->Clear(ClearColor);
	}
}

FTextureRenderTargetResource* UTextureRenderTarget2D::GameThread_GetRenderTargetResource()
{
	return Resource.get();
}

uint32_t UTextureRenderTarget2D::CalcTextureMemorySizeEnum([[maybe_unused]] ETextureMipCount Enum) const
{
	if (SizeX <= 0 || SizeY <= 0)
	{
		return 0;
	}
	const uint64_t Bytes = CalcTextureMipMapSize(SizeX, SizeY, OverrideFormat);
	return static_cast<uint32_t>(std::min<uint64_t>(Bytes, std::numeric_limits<uint32_t>::max()));
}

bool UTextureRenderTarget2D::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	const auto ReadSize = [this, &File](std::string_view Key, int32_t& OutSize) {
		const std::optional<double> Size = File.TryGetNumberField(Key);
		if (Size && *Size >= 1.0 && *Size <= MaxRenderTargetSize && std::floor(*Size) == *Size)
		{
			OutSize = static_cast<int32_t>(*Size);
		}
		else if (File.HasField(Key))
		{
			UE_LOG(LogHost, Warning, "Render target %s: %.*s is not a whole number from 1 to %d; it has no size", GetPathName().c_str(), static_cast<int>(Key.size()), Key.data(),
				MaxRenderTargetSize);
			OutSize = 0;
		}
	};
	ReadSize("sizeX", SizeX);
	ReadSize("sizeY", SizeY);
	if (const std::optional<std::string> FormatName = File.TryGetStringField("overrideFormat"))
	{
		if (const std::optional<EPixelFormat> Format = FindPixelFormatByString(*FormatName))
		{
			OverrideFormat = *Format;
		}
		else
		{
			UE_LOG(LogHost, Warning, "Render target %s: overrideFormat %s is not a pixel format; it keeps %s", GetPathName().c_str(), FormatName->c_str(),
				GetPixelFormatString(OverrideFormat));
		}
	}
	if (const std::shared_ptr<FJsonObject> Color = File.TryGetObjectField("clearColor"))
	{
		ClearColor.R = static_cast<float>(Color->TryGetNumberField("R").value_or(ClearColor.R));
		ClearColor.G = static_cast<float>(Color->TryGetNumberField("G").value_or(ClearColor.G));
		ClearColor.B = static_cast<float>(Color->TryGetNumberField("B").value_or(ClearColor.B));
		ClearColor.A = static_cast<float>(Color->TryGetNumberField("A").value_or(ClearColor.A));
	}
	bForceLinearGamma = File.TryGetBoolField("forceLinearGamma").value_or(bForceLinearGamma);
	UpdateResourceImmediate(true);
	return true;
}

void UTextureRenderTarget2D::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	OutFile.SetNumberField("sizeX", SizeX);
	OutFile.SetNumberField("sizeY", SizeY);
	OutFile.SetStringField("overrideFormat", GetPixelFormatString(OverrideFormat));
	auto Color = std::make_shared<FJsonObject>();
	Color->SetNumberField("R", ClearColor.R);
	Color->SetNumberField("G", ClearColor.G);
	Color->SetNumberField("B", ClearColor.B);
	Color->SetNumberField("A", ClearColor.A);
	OutFile.SetObjectField("clearColor", std::move(Color));
	OutFile.SetBoolField("forceLinearGamma", bForceLinearGamma);
}
