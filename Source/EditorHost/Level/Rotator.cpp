#include "Level/Rotator.h"

#include <cmath>
#include <numbers>

namespace
{
	constexpr double DegreesToRadians = std::numbers::pi / 180.0;
	constexpr double RadiansToDegrees = 180.0 / std::numbers::pi;
}

FQuat FRotator::Quaternion() const
{
	const double HalfPitch = std::fmod(Pitch, 360.0) * DegreesToRadians * 0.5;
	const double HalfYaw = std::fmod(Yaw, 360.0) * DegreesToRadians * 0.5;
	const double HalfRoll = std::fmod(Roll, 360.0) * DegreesToRadians * 0.5;
	const double SP = std::sin(HalfPitch), CP = std::cos(HalfPitch);
	const double SY = std::sin(HalfYaw), CY = std::cos(HalfYaw);
	const double SR = std::sin(HalfRoll), CR = std::cos(HalfRoll);
	return {
		CR * SP * SY - SR * CP * CY,
		-CR * SP * CY - SR * CP * SY,
		CR * CP * SY - SR * SP * CY,
		CR * CP * CY + SR * SP * SY};
}

FRotator FRotator::FromQuat(const FQuat& Q)
{
	// Near straight up or down the yaw and roll axes line up; the editor then
	// pins the pitch at +-90 and folds the rest of the turn into the roll.
	constexpr double SingularityThreshold = 0.4999995;
	const double SingularityTest = Q.Z * Q.X - Q.W * Q.Y;
	const double YawY = 2.0 * (Q.W * Q.Z + Q.X * Q.Y);
	const double YawX = 1.0 - 2.0 * (Q.Y * Q.Y + Q.Z * Q.Z);

	FRotator Result;
	Result.Yaw = std::atan2(YawY, YawX) * RadiansToDegrees;
	if (SingularityTest < -SingularityThreshold)
	{
		Result.Pitch = -90.0;
		Result.Roll = NormalizeAxis(-Result.Yaw - 2.0 * std::atan2(Q.X, Q.W) * RadiansToDegrees);
	}
	else if (SingularityTest > SingularityThreshold)
	{
		Result.Pitch = 90.0;
		Result.Roll = NormalizeAxis(Result.Yaw - 2.0 * std::atan2(Q.X, Q.W) * RadiansToDegrees);
	}
	else
	{
		Result.Pitch = std::asin(2.0 * SingularityTest) * RadiansToDegrees;
		Result.Roll = std::atan2(-2.0 * (Q.W * Q.X + Q.Y * Q.Z), 1.0 - 2.0 * (Q.X * Q.X + Q.Y * Q.Y)) * RadiansToDegrees;
	}
	return Result;
}

double FRotator::NormalizeAxis(double Angle)
{
	double Wrapped = std::fmod(Angle, 360.0);
	if (Wrapped < 0.0)
	{
		Wrapped += 360.0;
	}
	return Wrapped > 180.0 ? Wrapped - 360.0 : Wrapped;
}

bool FRotator::IsFinite() const
{
	return std::isfinite(Pitch) && std::isfinite(Yaw) && std::isfinite(Roll);
}
