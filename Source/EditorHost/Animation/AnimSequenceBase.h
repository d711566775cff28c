#pragma once

#include "Animation/AnimNotifies.h"
#include "Animation/AnimationAsset.h"

#include <vector>

/** The base of playable animations (sequences and montages): notifies, rate scale and play length. */
class UAnimSequenceBase : public UAnimationAsset
{
	DECLARE_ENGINE_CLASS(UAnimSequenceBase, UAnimationAsset, "/Script/Engine.AnimSequenceBase")

public:
	std::vector<FAnimNotifyEvent> Notifies;
	float RateScale = 1.0f;

	/** Seconds at a rate scale of 1. */
	virtual double GetPlayLength() const { return 0.0; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
};
