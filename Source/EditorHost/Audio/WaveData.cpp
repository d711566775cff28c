#include "Audio/WaveData.h"

#include <cstring>

float FWaveData::GetSample(uint32_t Frame, uint16_t Channel) const
{
	const std::size_t BytesPerSample = BitsPerSample / 8;
	const uint8_t* Source = SampleData.data() + std::size_t(Frame) * GetBlockAlign() + Channel * BytesPerSample;
	if (SampleFormat == EWaveSampleFormat::IeeeFloat)
	{
		if (BitsPerSample == 64)
		{
			double Value;
			std::memcpy(&Value, Source, 8);
			return static_cast<float>(Value);
		}
		float Value;
		std::memcpy(&Value, Source, 4);
		return Value;
	}
	switch (BitsPerSample)
	{
	case 8:
		return (int32_t(Source[0]) - 128) / 128.0f;
	case 16:
		return int16_t(uint16_t(Source[0] | Source[1] << 8)) / 32768.0f;
	case 24:
		// Place the three bytes at the top of a 32-bit word so the sign carries.
		return int32_t(uint32_t(Source[0]) << 8 | uint32_t(Source[1]) << 16 | uint32_t(Source[2]) << 24) / 2147483648.0f;
	default:
		return int32_t(uint32_t(Source[0]) | uint32_t(Source[1]) << 8 | uint32_t(Source[2]) << 16 | uint32_t(Source[3]) << 24) / 2147483648.0f;
	}
}
