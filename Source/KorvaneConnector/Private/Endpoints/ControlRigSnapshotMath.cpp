#include "Endpoints/ControlRigSnapshotMath.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace
{
	constexpr double NearlyZeroVectorTolerance = 1.0e-4;
	constexpr double NearlyZeroComponentTolerance = 1.0e-8;
	constexpr double SafeNormalSquaredTolerance = 1.0e-8;
}

const std::array<FRigSnapshotView, 8>& GetRigSnapshotViews()
{
	static const std::array<FRigSnapshotView, 8> Views = {{
		{"front", {0.0, -1.0, 0.0}},
		{"back", {0.0, 1.0, 0.0}},
		{"left", {-1.0, 0.0, 0.0}},
		{"right", {1.0, 0.0, 0.0}},
		{"top", {0.0, 0.0, 1.0}},
		{"bottom", {0.0, 0.0, -1.0}},
		{"persp1", GetSafeNormal({1.0, -1.0, 0.7})},
		{"persp2", GetSafeNormal({-1.0, 1.0, 0.7})},
	}};
	return Views;
}

FVector GetSafeNormal(const FVector& Vector)
{
	const double SquaredLength = Vector.SizeSquared();
	if (!(SquaredLength >= SafeNormalSquaredTolerance))
	{
		return FVector::ZeroVector();
	}
	return Vector * (1.0 / std::sqrt(SquaredLength));
}

std::string ToCompactString(const FVector& Vector)
{
	const auto IsNearlyZero = [](double Component, double Tolerance) { return std::fabs(Component) <= Tolerance; };
	if (IsNearlyZero(Vector.X, NearlyZeroVectorTolerance) && IsNearlyZero(Vector.Y, NearlyZeroVectorTolerance) &&
		IsNearlyZero(Vector.Z, NearlyZeroVectorTolerance))
	{
		return "V(0)";
	}
	std::string Text = "V(";
	const std::array<std::pair<char, double>, 3> Components = {{{'X', Vector.X}, {'Y', Vector.Y}, {'Z', Vector.Z}}};
	bool bFirst = true;
	for (const auto& [Axis, Value] : Components)
	{
		if (IsNearlyZero(Value, NearlyZeroComponentTolerance))
		{
			continue;
		}
		char Buffer[400];
		std::snprintf(Buffer, sizeof(Buffer), "%s%c=%.2f", bFirst ? "" : ", ", Axis, Value);
		Text += Buffer;
		bFirst = false;
	}
	return Text + ")";
}

double MeanLuma(std::span<const FColor> Pixels)
{
	if (Pixels.empty())
	{
		return 0.0;
	}
	uint64_t Total = 0;
	for (const FColor& Pixel : Pixels)
	{
		Total += (static_cast<uint32_t>(Pixel.R) + Pixel.G + Pixel.B) / 3u;
	}
	return static_cast<double>(Total) / static_cast<double>(Pixels.size());
}
