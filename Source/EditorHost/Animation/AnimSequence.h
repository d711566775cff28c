#pragma once

#include "Animation/AnimCurves.h"
#include "Animation/AnimEnums.h"
#include "Animation/AnimSequenceBase.h"
#include "Animation/AnimSequenceData.h"

#include <cstdint>
#include <string>
#include <vector>

/**
 * A sampled animation. Its bone tracks and morph target curves come from one
 * animation of a glTF file ("source", "animation", resampled at "sampleRate" frames
 * per second); without a source it is "frames" frames long and has no tracks.
 * Its own fields add root motion, additive settings, authored float curves
 * ("curves": name and keys) and sync markers.
 */
class UAnimSequence : public UAnimSequenceBase
{
	DECLARE_ENGINE_CLASS(UAnimSequence, UAnimSequenceBase, "/Script/Engine.AnimSequence")

public:
	bool bEnableRootMotion = false;
	EAdditiveAnimationType AdditiveAnimType = AAT_None;
	EAdditiveBasePoseType RefPoseType = ABPT_None;
	int32_t RefFrameIndex = 0;
	std::vector<FAnimSyncMarker> AuthoredSyncMarkers;

	double GetPlayLength() const override { return Data.PlayLength; }
	FFrameRate GetSamplingFrameRate() const { return SamplingFrameRate; }
	/** Frames sampled at both ends: one more than the frame intervals. */
	int32_t GetNumberOfSampledKeys() const { return Data.NumberOfKeys; }
	const std::vector<FBoneAnimationTrack>& GetBoneAnimationTracks() const { return Data.BoneTracks; }
	const std::vector<FFloatCurve>& GetFloatCurves() const { return FloatCurves; }
	UAnimSequence* GetRefPoseSequence() const { return RefPoseSeq.Get(); }

	/** An additive type with a base pose it can be taken against, as the editor decides. */
	bool IsValidAdditive() const;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;

private:
	bool ReadTracks(class FAnimFieldReader& Fields);

	FAnimSequenceData Data;
	FFrameRate SamplingFrameRate;
	std::vector<FFloatCurve> FloatCurves;
	TWeakObjectPtr<UAnimSequence> RefPoseSeq;
};
