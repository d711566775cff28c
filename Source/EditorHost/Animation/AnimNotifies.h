#pragma once

#include "Objects/Object.h"

#include <cstdint>
#include <string>
#include <vector>

class FAnimFieldReader;

/** The base of instant notifies (play a sound, spawn an effect); subclasses without a C++ type of their own keep their fields. */
class UAnimNotify : public UObject
{
	DECLARE_ENGINE_CLASS(UAnimNotify, UObject, "/Script/Engine.AnimNotify")
};

/** The base of notifies that last a while (a trail, a timed effect). */
class UAnimNotifyState : public UObject
{
	DECLARE_ENGINE_CLASS(UAnimNotifyState, UObject, "/Script/Engine.AnimNotifyState")
};

/**
 * One notify of an animation, as the editor's FAnimNotifyEvent: a name, where it
 * fires, the track it is drawn on (-1 when none) and either an instant notify object
 * or a notify state object (inner objects of the animation), or neither for a
 * named marker.
 */
struct FAnimNotifyEvent
{
	std::string NotifyName;
	double LinkTime = 0.0;
	double Duration = 0.0;
	int32_t TrackIndex = 0;
	UAnimNotify* Notify = nullptr;
	UAnimNotifyState* NotifyStateClass = nullptr;

	double GetTriggerTime() const { return LinkTime; }
	/** Only notify states last: an instant notify or a marker has no duration. */
	double GetDuration() const { return NotifyStateClass != nullptr ? Duration : 0.0; }
};

/**
 * Reads the "notifies" array of an animation file, creating each notify or notify
 * state object inside Owner. Entries: "name", "time", "duration", "trackIndex", and
 * "notify" or "notifyState" objects carrying "class" (a class path below AnimNotify
 * or AnimNotifyState), an optional "name" and their own fields.
 */
std::vector<FAnimNotifyEvent> ReadAnimNotifyEvents(UObject& Owner, FAnimFieldReader& Fields);
