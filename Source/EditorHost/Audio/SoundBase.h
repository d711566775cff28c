#pragma once

#include "Objects/Object.h"

/**
 * What every playable sound has: a duration in seconds and the distance beyond
 * which it cannot be heard. The host has no attenuation assets, so a sound
 * without attenuation of its own is audible up to the audio device's world limit.
 */
class USoundBase : public UObject
{
	DECLARE_ENGINE_CLASS(USoundBase, UObject, "/Script/Engine.SoundBase")

public:
	/** The duration the editor gives a sound that loops forever. */
	static constexpr float IndefinitelyLoopingDuration = 10000.0f;
	/** The audio device's largest audible distance (the editor's old world size). */
	static constexpr float MaxWorldDistance = 2097152.0f;

	virtual float GetDuration() const { return Duration; }
	virtual float GetMaxDistance() const { return MaxWorldDistance; }

protected:
	float Duration = 0.0f;
};
