#pragma once

#include "Meshes/MeshQuat.h"

/**
 * A rotation as the editor shows it: pitch (about the Y axis, nose up positive),
 * yaw (about Z) and roll (about X), in degrees. Its quaternion and the way back
 * follow the editor's formulas, so a pitch of 90 turns the X axis to +Z and a yaw
 * of 90 turns it to +Y.
 */
struct FRotator
{
	double Pitch = 0.0;
	double Yaw = 0.0;
	double Roll = 0.0;

	static constexpr FRotator ZeroRotator() { return {0.0, 0.0, 0.0}; }

	FQuat Quaternion() const;
	/** The rotator of a unit quaternion, each axis in (-180, 180] (pitch in [-90, 90]). */
	static FRotator FromQuat(const FQuat& Q);
	/** An angle in degrees brought into (-180, 180]. */
	static double NormalizeAxis(double Angle);

	bool IsFinite() const;

	friend bool operator==(const FRotator&, const FRotator&) = default;
};
