#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

/** How an additive animation's delta is taken, with the editor's enumerator values. */
enum EAdditiveAnimationType : uint8_t
{
	AAT_None = 0,
	AAT_LocalSpaceBase = 1,
	AAT_RotationOffsetMeshSpace = 2,
};

/** What an additive animation's delta is taken against, with the editor's enumerator values. */
enum EAdditiveBasePoseType : uint8_t
{
	ABPT_None = 0,
	ABPT_RefPose = 1,
	ABPT_AnimScaled = 2,
	ABPT_AnimFrame = 3,
	ABPT_LocalAnimFrame = 4,
};

/** The enumerator of a name as asset files write it ("AAT_LocalSpaceBase"), or nothing. */
std::optional<EAdditiveAnimationType> ParseAdditiveAnimationType(std::string_view Name);
std::optional<EAdditiveBasePoseType> ParseAdditiveBasePoseType(std::string_view Name);

/** Frames per second as a fraction, as the editor's FFrameRate. */
struct FFrameRate
{
	int32_t Numerator = 30;
	int32_t Denominator = 1;

	double AsDecimal() const { return static_cast<double>(Numerator) / static_cast<double>(Denominator); }
};
