#include "Level/Rotator.h"

#include <gtest/gtest.h>

namespace
{
	void ExpectNear(const FVector& Actual, const FVector& Expected)
	{
		EXPECT_NEAR(Actual.X, Expected.X, 1e-9);
		EXPECT_NEAR(Actual.Y, Expected.Y, 1e-9);
		EXPECT_NEAR(Actual.Z, Expected.Z, 1e-9);
	}
}

TEST(RotatorTests, AxesTurnTheEditorsWay)
{
	ExpectNear(FRotator{90, 0, 0}.Quaternion().RotateVector({1, 0, 0}), {0, 0, 1});
	ExpectNear(FRotator{0, 90, 0}.Quaternion().RotateVector({1, 0, 0}), {0, 1, 0});
	ExpectNear(FRotator{0, 0, 90}.Quaternion().RotateVector({0, 1, 0}), {0, 0, -1});
	// Roll first, then pitch, then yaw.
	const FQuat Combined = FRotator{30, 60, 45}.Quaternion();
	const FQuat Composed = FRotator{0, 60, 0}.Quaternion() * FRotator{30, 0, 0}.Quaternion() * FRotator{0, 0, 45}.Quaternion();
	EXPECT_TRUE(Combined.Equals(Composed, 1e-12));
}

TEST(RotatorTests, QuaternionRoundTripsIncludingStraightUpAndDown)
{
	for (const FRotator& Rotator : {FRotator{-12, 35, 0}, FRotator{30, -150, 80}, FRotator{89.9, 10, -20}, FRotator{0, 180, 0}})
	{
		const FRotator Back = FRotator::FromQuat(Rotator.Quaternion());
		EXPECT_NEAR(Back.Pitch, Rotator.Pitch, 1e-9);
		EXPECT_NEAR(Back.Yaw, Rotator.Yaw, 1e-9);
		EXPECT_NEAR(Back.Roll, Rotator.Roll, 1e-9);
	}
	// Looking straight up the yaw and roll axes coincide: the rotation survives, not the split.
	for (const FRotator& Rotator : {FRotator{90, 40, 10}, FRotator{-90, 40, 10}})
	{
		const FRotator Back = FRotator::FromQuat(Rotator.Quaternion());
		EXPECT_EQ(Back.Pitch, Rotator.Pitch);
		EXPECT_TRUE(Back.Quaternion().Equals(Rotator.Quaternion(), 1e-9));
	}
}

TEST(RotatorTests, NormalizeAxisKeepsHalfOpenRange)
{
	EXPECT_EQ(FRotator::NormalizeAxis(270), -90);
	EXPECT_EQ(FRotator::NormalizeAxis(-180), 180);
	EXPECT_EQ(FRotator::NormalizeAxis(180), 180);
	EXPECT_EQ(FRotator::NormalizeAxis(-540), 180);
	EXPECT_EQ(FRotator::NormalizeAxis(725), 5);
}
