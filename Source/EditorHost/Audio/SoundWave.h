#pragma once

#include "Audio/SoundBase.h"

#include <cstdint>
#include <string>

/**
 * A sound imported from a WAVE file beside its asset file ("source"). Loading
 * reads the file's format and length; a sound wave without a source (a
 * procedural one) has no channels, rate or length. Asset fields: "source" (file
 * name, optional), "looping" (boolean, default false).
 */
class USoundWave : public USoundBase
{
	DECLARE_ENGINE_CLASS(USoundWave, USoundBase, "/Script/Engine.SoundWave")

public:
	bool bLooping = false;
	int32_t NumChannels = 0;
	/** The rate the sound was imported at, in Hz. */
	int32_t SampleRate = 0;

	/** The length in seconds, or IndefinitelyLoopingDuration for a looping sound, as the editor answers. */
	float GetDuration() const override { return bLooping ? IndefinitelyLoopingDuration : Duration; }
	/** The length of the imported samples in seconds, looping or not. */
	float GetSourceDuration() const { return Duration; }
	/**
	 * The rate the sound plays at on this platform. The host's platform has no
	 * cook overrides that resample audio, so it is the imported rate.
	 */
	float GetSampleRateForCurrentPlatform() const { return static_cast<float>(SampleRate); }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	std::string SourceFileName;
};
