#pragma once

#include "Data/RichCurve.h"

#include <string>

/** A named float curve of an animation (a morph target weight, a material parameter). */
struct FFloatCurve
{
	std::string Name;
	FRichCurve FloatCurve;
};

/** A named time in an animation that synchronises it with others (a foot plant). */
struct FAnimSyncMarker
{
	std::string MarkerName;
	float Time = 0.0f;
};
