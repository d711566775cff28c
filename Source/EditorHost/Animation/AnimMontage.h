#pragma once

#include "Animation/AnimSequence.h"
#include "Animation/AnimSequenceBase.h"

#include <cmath>
#include <string>
#include <vector>

/** The base of animations assembled from other animations. */
class UAnimCompositeBase : public UAnimSequenceBase
{
	DECLARE_ENGINE_CLASS(UAnimCompositeBase, UAnimSequenceBase, "/Script/Engine.AnimCompositeBase")
};

/** A named part of a montage: where it starts and which section plays after it ("None": the montage ends). */
struct FCompositeSection
{
	std::string SectionName;
	double LinkTime = 0.0;
	std::string NextSectionName = "None";

	double GetTime() const { return LinkTime; }
};

/** A stretch of one animation placed on a slot track. */
struct FAnimSegment
{
	TWeakObjectPtr<UAnimSequenceBase> AnimReference;
	double StartPos = 0.0;
	double AnimStartTime = 0.0;
	double AnimEndTime = 0.0;
	double AnimPlayRate = 1.0;
	int32_t LoopingCount = 1;

	/** Seconds the segment lasts on its track. */
	double GetLength() const { return LoopingCount * (AnimEndTime - AnimStartTime) / std::abs(AnimPlayRate); }
};

/** The animations a montage plays into one slot of the animation graph. */
struct FSlotAnimationTrack
{
	std::string SlotName;
	std::vector<FAnimSegment> AnimSegments;
};

/**
 * A montage: slot tracks of animation segments, split into sections that the game
 * jumps between. Its play length is where the last segment of any track ends.
 * Fields: "sections" (name, time, nextSection), "slotAnimTracks" (slotName and
 * segments: animation, startPos, animStartTime, animEndTime, playRate, loopingCount).
 */
class UAnimMontage : public UAnimCompositeBase
{
	DECLARE_ENGINE_CLASS(UAnimMontage, UAnimCompositeBase, "/Script/Engine.AnimMontage")

public:
	std::vector<FCompositeSection> CompositeSections;
	std::vector<FSlotAnimationTrack> SlotAnimTracks;

	double GetPlayLength() const override { return SequenceLength; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;

private:
	double SequenceLength = 0.0;
};
