#include "Audio/WaveReader.h"
#include "Core/Log.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

// Whatever parses must hold whole frames, and every sample of them must be readable.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	FLog::SetStderrEnabled(false);
	const std::optional<FWaveData> Wave = ParseWave(std::span(Data, Size), "Fuzz.wav");
	if (!Wave)
	{
		return 0;
	}
	if (Wave->SampleData.size() != std::size_t(Wave->NumFrames) * Wave->GetBlockAlign())
	{
		std::abort();
	}
	volatile float Sum = 0.0f;
	for (uint32_t Frame = 0; Frame < Wave->NumFrames; ++Frame)
	{
		for (uint16_t Channel = 0; Channel < Wave->NumChannels; ++Channel)
		{
			Sum = Sum + Wave->GetSample(Frame, Channel);
		}
	}
	return 0;
}
