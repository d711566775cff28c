#pragma once

#include "Audio/SoundNode.h"
#include "Audio/SoundWave.h"
#include "Objects/WeakObjectPtr.h"

#include <string>

/** Plays one sound wave. Fields: "soundWave" (object path), "looping" (boolean). */
class USoundNodeWavePlayer : public USoundNode
{
	DECLARE_ENGINE_CLASS(USoundNodeWavePlayer, USoundNode, "/Script/Engine.SoundNodeWavePlayer")

public:
	bool bLooping = false;

	/** The wave, loaded with the cue as the editor loads every wave a cue plays; nullptr when it does not load. */
	USoundWave* GetSoundWave() const { return SoundWave.Get(); }

	int32_t GetMaxChildNodes() const override { return 0; }
	float GetDuration(std::span<const float> ChildDurations) const override;

	bool LoadAssetFields(const FJsonObject& Entry, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutEntry) const override;

private:
	std::string SoundWavePath;
	TWeakObjectPtr<USoundWave> SoundWave;
};

/** Picks one of its inputs at random. */
class USoundNodeRandom : public USoundNode
{
	DECLARE_ENGINE_CLASS(USoundNodeRandom, USoundNode, "/Script/Engine.SoundNodeRandom")

public:
	int32_t GetMaxChildNodes() const override { return MaxAllowedChildNodes; }
};

/** Plays all of its inputs at once. */
class USoundNodeMixer : public USoundNode
{
	DECLARE_ENGINE_CLASS(USoundNodeMixer, USoundNode, "/Script/Engine.SoundNodeMixer")

public:
	int32_t GetMaxChildNodes() const override { return MaxAllowedChildNodes; }
};

/** Repeats its input. Fields: "loopIndefinitely" (boolean, default true), "loopCount" (default 1). */
class USoundNodeLooping : public USoundNode
{
	DECLARE_ENGINE_CLASS(USoundNodeLooping, USoundNode, "/Script/Engine.SoundNodeLooping")

public:
	bool bLoopIndefinitely = true;
	int32_t LoopCount = 1;

	float GetDuration(std::span<const float> ChildDurations) const override;

	bool LoadAssetFields(const FJsonObject& Entry, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutEntry) const override;
};

/**
 * Fades its input with distance. With "overrideAttenuation" true it uses its own
 * sphere, "attenuationOverrides": {"innerRadius" (default 400), "falloffDistance"
 * (default 3600)}, audible up to their sum; without, it is audible up to the
 * world limit (the host has no attenuation assets).
 */
class USoundNodeAttenuation : public USoundNode
{
	DECLARE_ENGINE_CLASS(USoundNodeAttenuation, USoundNode, "/Script/Engine.SoundNodeAttenuation")

public:
	bool bOverrideAttenuation = false;
	float InnerRadius = 400.0f;
	float FalloffDistance = 3600.0f;

	float GetMaxDistance(std::span<const float> ChildMaxDistances) const override;

	bool LoadAssetFields(const FJsonObject& Entry, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutEntry) const override;
};

/** Varies the pitch and volume of its input. */
class USoundNodeModulator : public USoundNode
{
	DECLARE_ENGINE_CLASS(USoundNodeModulator, USoundNode, "/Script/Engine.SoundNodeModulator")
};
