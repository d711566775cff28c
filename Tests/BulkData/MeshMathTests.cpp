#include "Meshes/Gltf/GltfAxes.h"
#include "Meshes/MeshBounds.h"
#include "Meshes/MeshTransform.h"
#include "Meshes/MultiSizeIndexContainer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{
	void ExpectNear(const FVector& Actual, const FVector& Expected)
	{
		EXPECT_NEAR(Actual.X, Expected.X, 1e-9);
		EXPECT_NEAR(Actual.Y, Expected.Y, 1e-9);
		EXPECT_NEAR(Actual.Z, Expected.Z, 1e-9);
	}

	const FQuat QuarterTurnAboutZ = FQuat::FromAxisAngle({0, 0, 1}, std::numbers::pi / 2);
	const FQuat QuarterTurnAboutX = FQuat::FromAxisAngle({1, 0, 0}, std::numbers::pi / 2);
}

TEST(MeshMathTest, QuaternionProductAppliesTheRightOperandFirst)
{
	ExpectNear(QuarterTurnAboutZ.RotateVector({1, 0, 0}), {0, 1, 0});
	const FVector V{1, 2, 3};
	ExpectNear((QuarterTurnAboutZ * QuarterTurnAboutX).RotateVector(V), QuarterTurnAboutZ.RotateVector(QuarterTurnAboutX.RotateVector(V)));
	ExpectNear(QuarterTurnAboutZ.Inverse().RotateVector(QuarterTurnAboutZ.RotateVector(V)), V);
}

TEST(MeshMathTest, TransformProductAppliesTheLeftOperandFirst)
{
	const FTransform Child{QuarterTurnAboutX, {1, 0, 0}, {2, 2, 2}};
	const FTransform Parent{QuarterTurnAboutZ, {0, 0, 5}, {3, 3, 3}};
	const FVector P{0.5, -1, 2};
	ExpectNear((Child * Parent).TransformPosition(P), Parent.TransformPosition(Child.TransformPosition(P)));
	ExpectNear((Child * Parent).Scale3D, {6, 6, 6});
}

TEST(MeshMathTest, BasisAndSlerpGiveTheExpectedRotations)
{
	const FQuat FromAxes = FQuat::FromBasis(QuarterTurnAboutZ.RotateVector({1, 0, 0}), QuarterTurnAboutZ.RotateVector({0, 1, 0}), QuarterTurnAboutZ.RotateVector({0, 0, 1}));
	EXPECT_TRUE(FromAxes.Equals(QuarterTurnAboutZ, 1e-9));
	const FQuat HalfWay = FQuat::Slerp(FQuat::Identity(), QuarterTurnAboutZ, 0.5);
	EXPECT_TRUE(HalfWay.Equals(FQuat::FromAxisAngle({0, 0, 1}, std::numbers::pi / 4), 1e-9));
	// The same end rotation written negated must still take the short way.
	const FQuat Negated{-QuarterTurnAboutZ.X, -QuarterTurnAboutZ.Y, -QuarterTurnAboutZ.Z, -QuarterTurnAboutZ.W};
	EXPECT_TRUE(FQuat::Slerp(FQuat::Identity(), Negated, 0.5).Equals(HalfWay, 1e-9));
}

TEST(MeshMathTest, BoundsHoldEveryPointAboutTheBoxCentre)
{
	const std::vector<FVector3f> Points = {{-1, 0, 0}, {3, 2, 0}, {1, 1, 4}};
	const FBoxSphereBounds Bounds = FBoxSphereBounds::FromPoints(Points);
	ExpectNear(Bounds.Origin, {1, 1, 2});
	ExpectNear(Bounds.BoxExtent, {2, 1, 2});
	EXPECT_DOUBLE_EQ(Bounds.SphereRadius, 3.0);
	EXPECT_DOUBLE_EQ(FBoxSphereBounds::FromPoints({}).SphereRadius, 0.0);
}

TEST(MeshMathTest, IndexContainerKeepsSixteenBitsOnlyWhenAskedAndEveryIndexFits)
{
	EXPECT_EQ(FMultiSizeIndexContainer({0, 65535, 2}, true).GetDataTypeSize(), 2);
	EXPECT_EQ(FMultiSizeIndexContainer({0, 65535, 2}, false).GetDataTypeSize(), 4);
	const FMultiSizeIndexContainer Wide({0, 65536, 2}, true);
	EXPECT_EQ(Wide.GetDataTypeSize(), 4);
	EXPECT_EQ(Wide.GetIndexBuffer(), (std::vector<uint32_t>{0, 65536, 2}));
}

TEST(MeshMathTest, IdentityRotationConvertsWithoutNegativeZeros)
{
	// Bone rotations are served as JSON numbers: an identity must read 0, not -0.
	const FQuat Converted = GltfAxes::ConvertRotation(FQuat{});
	EXPECT_FALSE(std::signbit(Converted.X));
	EXPECT_FALSE(std::signbit(Converted.Y));
	EXPECT_FALSE(std::signbit(Converted.Z));
	EXPECT_EQ(Converted.W, 1.0);
}
