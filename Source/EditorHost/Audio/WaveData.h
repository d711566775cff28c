#pragma once

#include <cstdint>
#include <vector>

enum class EWaveSampleFormat : uint8_t
{
	/** Integer PCM: 8-bit unsigned, 16-, 24- and 32-bit signed. */
	PcmInteger,
	/** IEEE floating point, 32 or 64 bits. */
	IeeeFloat
};

/** A sound's samples as the WAVE file stores them: interleaved frames of NumChannels samples, little-endian. */
struct FWaveData
{
	uint16_t NumChannels = 0;
	uint32_t SampleRate = 0;
	uint16_t BitsPerSample = 0;
	EWaveSampleFormat SampleFormat = EWaveSampleFormat::PcmInteger;
	uint32_t NumFrames = 0;
	std::vector<uint8_t> SampleData;

	double GetDuration() const { return SampleRate == 0 ? 0.0 : double(NumFrames) / SampleRate; }
	uint32_t GetBlockAlign() const { return uint32_t(NumChannels) * BitsPerSample / 8; }
	/** One sample scaled to -1..1 (integers by their full range; floats as stored). */
	float GetSample(uint32_t Frame, uint16_t Channel) const;
};
