#pragma once

#include "Objects/Object.h"

/**
 * A designer animation of a Widget Blueprint. The editor names the object after the
 * animation with "_INST" appended ("FadeIn_INST"); its display label is the plain name.
 */
class UWidgetAnimation : public UObject
{
	DECLARE_ENGINE_CLASS(UWidgetAnimation, UObject, "/Script/UMG.WidgetAnimation")

public:
	/** Start and end of the playback range, in seconds. */
	double StartTime = 0.0;
	double EndTime = 0.0;
};
