#include "Endpoints/TextureAnalysis.h"

#include "Objects/Enum.h"
#include "Textures/PixelFormat.h"
#include "Textures/Texture2D.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
	constexpr int R = 0;
	constexpr int G = 1;
	constexpr int B = 2;
	constexpr int A = 3;

	float MidOf(const FChannelRanges& Ranges, int Channel)
	{
		return (Ranges.Min[Channel] + Ranges.Max[Channel]) * 0.5f;
	}

	/** A 0..1 value as a byte, half rounded up. */
	int ToByte(float Value)
	{
		return std::clamp(static_cast<int>(std::floor(Value * 255.0f + 0.5f)), 0, 255);
	}

	std::string_view PixelFormatName(EPixelFormat Format)
	{
		return Format < PF_MAX ? std::string_view(GPixelFormats[Format].Name) : std::string_view("Unknown");
	}

	std::string MipGenSettingsName(TextureMipGenSettings Settings)
	{
		const UEnum* const Enum = StaticEnum<TextureMipGenSettings>();
		return Enum != nullptr ? Enum->GetNameStringByValue(Settings) : std::string();
	}

	void AddChannelData(FJsonObject& Analysis, const FChannelRanges& Ranges)
	{
		auto ChannelInfo = std::make_shared<FJsonObject>();
		ChannelInfo->SetObjectField("R", MakeRangeObject(Ranges.Min[R], Ranges.Max[R]));
		ChannelInfo->SetObjectField("G", MakeRangeObject(Ranges.Min[G], Ranges.Max[G]));
		ChannelInfo->SetObjectField("B", MakeRangeObject(Ranges.Min[B], Ranges.Max[B]));
		ChannelInfo->SetObjectField("A", MakeRangeObject(Ranges.Min[A], Ranges.Max[A]));
		Analysis.SetObjectField("channelInfo", std::move(ChannelInfo));

		const float MidR = MidOf(Ranges, R);
		const float MidG = MidOf(Ranges, G);
		const float MidB = MidOf(Ranges, B);
		char DominantColor[8];
		std::snprintf(DominantColor, sizeof(DominantColor), "#%02X%02X%02X", ToByte(MidR), ToByte(MidG), ToByte(MidB));
		Analysis.SetStringField("dominantColor", DominantColor);
		Analysis.SetNumberField("brightness", 0.299f * MidR + 0.587f * MidG + 0.114f * MidB);
		Analysis.SetStringField("contrast", DescribeContrast(Ranges));
		Analysis.SetStringField("temperature", DescribeTemperature(Ranges));
	}
}

std::shared_ptr<FJsonObject> MakeRangeObject(float Min, float Max)
{
	auto Range = std::make_shared<FJsonObject>();
	Range->SetNumberField("min", Min);
	Range->SetNumberField("max", Max);
	Range->SetNumberField("mid", (Min + Max) * 0.5f);
	Range->SetNumberField("range", Max - Min);
	return Range;
}

std::string_view GetCompressionSettingsName(TextureCompressionSettings Settings)
{
	switch (Settings)
	{
	case TC_Default:
		return "TC_Default";
	case TC_Normalmap:
		return "TC_Normalmap";
	case TC_Masks:
		return "TC_Masks";
	case TC_Grayscale:
		return "TC_Grayscale";
	case TC_HDR:
		return "TC_HDR";
	case TC_Alpha:
		return "TC_Alpha";
	case TC_BC7:
		return "TC_BC7";
	case TC_HalfFloat:
		return "TC_HalfFloat";
	default:
		return "TC_Other";
	}
}

std::optional<FChannelRanges> MeasureSmallestSourceMip(const FTextureSource& Source)
{
	if (!Source.IsValid() || Source.GetNumMips() < 1)
	{
		return std::nullopt;
	}
	const int32_t MipIndex = Source.GetNumMips() - 1;
	const int64_t PixelCount = static_cast<int64_t>(std::max(1, Source.GetSizeX() >> MipIndex)) * std::max(1, Source.GetSizeY() >> MipIndex);
	const ETextureSourceFormat Format = Source.GetFormat(0);
	const int32_t BytesPerPixel = Source.GetBytesPerPixel(0);
	std::vector<uint8_t> MipData;
	if (!Source.GetMipData(MipData, 0, 0, MipIndex) || PixelCount == 0 || static_cast<int64_t>(MipData.size()) < PixelCount * BytesPerPixel
		|| Format == TSF_RGBA16F)
	{
		return std::nullopt;
	}

	FChannelRanges Ranges;
	const uint8_t* Pixel = MipData.data();
	for (int64_t Index = 0; Index < PixelCount; ++Index, Pixel += BytesPerPixel)
	{
		float Color[4] = {0.0f, 0.0f, 0.0f, 1.0f};
		if (Format == TSF_BGRA8)
		{
			Color[B] = Pixel[0] / 255.0f;
			Color[G] = Pixel[1] / 255.0f;
			Color[R] = Pixel[2] / 255.0f;
			Color[A] = BytesPerPixel >= 4 ? Pixel[3] / 255.0f : 1.0f;
		}
		else if (Format == TSF_G8)
		{
			Color[R] = Color[G] = Color[B] = Pixel[0] / 255.0f;
		}
		for (int Channel = 0; Channel < 4; ++Channel)
		{
			Ranges.Min[Channel] = std::min(Ranges.Min[Channel], Color[Channel]);
			Ranges.Max[Channel] = std::max(Ranges.Max[Channel], Color[Channel]);
		}
	}
	return Ranges;
}

std::string_view DescribeContrast(const FChannelRanges& Ranges)
{
	const float Contrast = ((Ranges.Max[G] - Ranges.Min[G]) + (Ranges.Max[R] - Ranges.Min[R]) + (Ranges.Max[B] - Ranges.Min[B])) * (1.0f / 3.0f);
	if (Contrast > 0.7f)
	{
		return "high";
	}
	return Contrast > 0.3f ? "medium" : "low";
}

std::string_view DescribeTemperature(const FChannelRanges& Ranges)
{
	const float MidR = MidOf(Ranges, R);
	const float MidB = MidOf(Ranges, B);
	if (MidR > MidB + 0.05f)
	{
		return "warm";
	}
	return MidB > MidR + 0.05f ? "cool" : "neutral";
}

std::shared_ptr<FJsonObject> AnalyseTexture(const UTexture2D& Texture, std::string_view Path)
{
	auto Analysis = std::make_shared<FJsonObject>();
	Analysis->SetStringField("name", Texture.GetName());
	Analysis->SetStringField("path", Path);
	Analysis->SetBoolField("success", true);
	Analysis->SetArrayField("resolution", FJsonValueArray{Texture.GetSizeX(), Texture.GetSizeY()});
	Analysis->SetStringField("format", PixelFormatName(Texture.GetPixelFormat(0)));
	Analysis->SetBoolField("sRGB", Texture.SRGB);
	Analysis->SetBoolField("hasAlpha", !Texture.CompressionNoAlpha);
	Analysis->SetStringField("compressionSettings", GetCompressionSettingsName(Texture.CompressionSettings));
	Analysis->SetBoolField("normalizeNormals", Texture.bNormalizeNormals);
	Analysis->SetBoolField("flipGreenChannel", Texture.bFlipGreenChannel);
	Analysis->SetStringField("mipGenSettings", MipGenSettingsName(Texture.MipGenSettings));
	Analysis->SetNumberField("memoryBytes", Texture.CalcTextureMemorySizeEnum(ETextureMipCount::TMC_ResidentMips));

	const std::optional<FChannelRanges> Ranges = MeasureSmallestSourceMip(Texture.Source);
	Analysis->SetBoolField("hasChannelData", Ranges.has_value());
	if (Ranges)
	{
		AddChannelData(*Analysis, *Ranges);
	}
	return Analysis;
}
