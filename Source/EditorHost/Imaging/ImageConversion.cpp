#include "Imaging/ImageConversion.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace
{
	uint8_t SixteenToEight(uint16_t Value)
	{
		return static_cast<uint8_t>((uint32_t(Value) * 255u + 32767u) / 65535u);
	}

	uint8_t FloatToEight(float Value)
	{
		if (!(Value > 0.0f))
		{
			return 0;
		}
		return Value >= 1.0f ? 255 : static_cast<uint8_t>(std::floor(Value * 255.0f + 0.5f));
	}

	template <typename T>
	T ReadSample(const uint8_t* Bytes, int32_t Index)
	{
		T Value;
		std::memcpy(&Value, Bytes + Index * sizeof(T), sizeof(T));
		return Value;
	}
}

float HalfBitsToFloat(uint16_t Bits)
{
	const uint32_t Sign = uint32_t(Bits & 0x8000u) << 16;
	const uint32_t Exponent = (Bits >> 10) & 0x1Fu;
	const uint32_t Mantissa = Bits & 0x3FFu;
	if (Exponent == 0)
	{
		const float Magnitude = std::ldexp(static_cast<float>(Mantissa), -24);
		return Sign ? -Magnitude : Magnitude;
	}
	if (Exponent == 31)
	{
		return std::bit_cast<float>(Sign | 0x7F800000u | (Mantissa << 13));
	}
	return std::bit_cast<float>(Sign | ((Exponent + 112u) << 23) | (Mantissa << 13));
}

FImage ConvertToEightBit(const FImage& Image)
{
	if (Image.Format == EImagePixelFormat::G8 || Image.Format == EImagePixelFormat::BGRA8)
	{
		return Image;
	}
	const bool bGrey = Image.Format == EImagePixelFormat::G16 || Image.Format == EImagePixelFormat::R32F;
	FImage Out{Image.SizeX, Image.SizeY, bGrey ? EImagePixelFormat::G8 : EImagePixelFormat::BGRA8, {}};
	const std::size_t NumPixels = std::size_t(Image.SizeX) * Image.SizeY;
	const int32_t InBytes = GetBytesPerPixel(Image.Format);
	Out.RawData.resize(NumPixels * (bGrey ? 1 : 4));
	if (Image.RawData.size() < NumPixels * InBytes)
	{
		return Out;
	}
	for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
	{
		const uint8_t* In = Image.RawData.data() + Pixel * InBytes;
		if (bGrey)
		{
			Out.RawData[Pixel] = Image.Format == EImagePixelFormat::G16 ? SixteenToEight(ReadSample<uint16_t>(In, 0)) : FloatToEight(ReadSample<float>(In, 0));
			continue;
		}
		uint8_t Rgba[4];
		for (int32_t Channel = 0; Channel < 4; ++Channel)
		{
			switch (Image.Format)
			{
			case EImagePixelFormat::RGBA16:
				Rgba[Channel] = SixteenToEight(ReadSample<uint16_t>(In, Channel));
				break;
			case EImagePixelFormat::RGBA16F:
				Rgba[Channel] = FloatToEight(HalfBitsToFloat(ReadSample<uint16_t>(In, Channel)));
				break;
			default:
				Rgba[Channel] = FloatToEight(ReadSample<float>(In, Channel));
				break;
			}
		}
		uint8_t* Target = Out.RawData.data() + Pixel * 4;
		Target[0] = Rgba[2];
		Target[1] = Rgba[1];
		Target[2] = Rgba[0];
		Target[3] = Rgba[3];
	}
	return Out;
}
