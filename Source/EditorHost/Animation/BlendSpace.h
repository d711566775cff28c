#pragma once

#include "Animation/AnimSequence.h"
#include "Animation/AnimationAsset.h"
#include "Meshes/MeshVector.h"

#include <array>
#include <string>
#include <vector>

/** One input axis of a blend space: its display name and range. */
struct FBlendParameter
{
	std::string DisplayName = "None";
	float Min = 0.0f;
	float Max = 100.0f;
	int32_t GridNum = 4;
};

/** An animation placed at a point of the blend space. */
struct FBlendSample
{
	TWeakObjectPtr<UAnimSequence> Animation;
	FVector SampleValue;
	float RateScale = 1.0f;
};

/**
 * A two-dimensional blend space: animations placed on a grid of two parameters.
 * Fields: "blendParameters" (up to three axes: displayName, min, max, gridNum) and
 * "samples" (animation, x, y, rateScale).
 */
class UBlendSpace : public UAnimationAsset
{
	DECLARE_ENGINE_CLASS(UBlendSpace, UAnimationAsset, "/Script/Engine.BlendSpace")

public:
	/** Axis 0, 1 or 2; other indices read axis 0, as no caller may ask for them. */
	const FBlendParameter& GetBlendParameter(int32_t Index) const { return BlendParameters[Index >= 0 && Index < 3 ? Index : 0]; }
	const std::vector<FBlendSample>& GetBlendSamples() const { return SampleData; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;

private:
	std::array<FBlendParameter, 3> BlendParameters;
	std::vector<FBlendSample> SampleData;
};

/** A one-dimensional blend space: only axis 0 and the samples' x count. */
class UBlendSpace1D : public UBlendSpace
{
	DECLARE_ENGINE_CLASS(UBlendSpace1D, UBlendSpace, "/Script/Engine.BlendSpace1D")
};
