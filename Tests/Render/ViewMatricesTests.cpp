#include "Render/MeshTangents.h"
#include "Render/ViewMatrices.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
	std::array<float, 4> Apply(const FRenderMatrix& Matrix, const FVector& Point)
	{
		std::array<float, 4> Result{};
		const float In[4] = {static_cast<float>(Point.X), static_cast<float>(Point.Y), static_cast<float>(Point.Z), 1.0f};
		for (int Row = 0; Row < 4; ++Row)
		{
			for (int Column = 0; Column < 4; ++Column)
			{
				Result[Row] += Matrix.At(Row, Column) * In[Column];
			}
		}
		return Result;
	}
}

TEST(ViewMatrices, ACameraSeesWhatIsAheadAtTheCentreRightOnTheRightAndUpAtTheTop)
{
	// A camera at (100, 0, 0) looking along -X (yaw 180): the editor's +Y is then on screen left.
	const FRenderMatrix WorldToClip = MakeWorldToClip({100.0, 0.0, 0.0}, {0.0, 180.0, 0.0}, 90.0f, 2.0f, 1.0f);
	const auto Ahead = Apply(WorldToClip, {0.0, 0.0, 0.0});
	EXPECT_NEAR(Ahead[0] / Ahead[3], 0.0f, 1e-5f);
	EXPECT_NEAR(Ahead[1] / Ahead[3], 0.0f, 1e-5f);
	EXPECT_GT(Ahead[2] / Ahead[3], -1.0f);
	EXPECT_LT(Ahead[2] / Ahead[3], 1.0f);
	// 90° horizontal field of view: a point 100 cm ahead and 100 cm to the side is at the edge.
	const auto Side = Apply(WorldToClip, {0.0, -100.0, 0.0});
	EXPECT_NEAR(Side[0] / Side[3], 1.0f, 1e-4f);
	// Aspect 2: vertically the same distance is twice as far out.
	const auto Up = Apply(WorldToClip, {0.0, 0.0, 25.0});
	EXPECT_NEAR(Up[1] / Up[3], 0.5f, 1e-4f);
	// Behind the camera w is negative, so it is clipped.
	EXPECT_LT(Apply(WorldToClip, {200.0, 0.0, 0.0})[3], 0.0f);
	// At the near plane depth is -1.
	const auto Near = Apply(WorldToClip, {99.0, 0.0, 0.0});
	EXPECT_NEAR(Near[2] / Near[3], -1.0f, 1e-4f);
}

TEST(ViewMatrices, TheInverseUndoesTheMatrixAndASingularMatrixHasNone)
{
	const FRenderMatrix WorldToClip = MakeWorldToClip({120.0, -40.0, 60.0}, {-20.0, 135.0, 0.0}, 30.0f, 1.0f, 1.0f);
	const std::optional<FRenderMatrix> ClipToWorld = WorldToClip.Inverse();
	ASSERT_TRUE(ClipToWorld.has_value());
	const FRenderMatrix Identity = *ClipToWorld * WorldToClip;
	for (int Row = 0; Row < 4; ++Row)
	{
		for (int Column = 0; Column < 4; ++Column)
		{
			EXPECT_NEAR(Identity.At(Row, Column), Row == Column ? 1.0f : 0.0f, 1e-4f) << Row << "," << Column;
		}
	}
	FRenderMatrix Flat;
	Flat.At(2, 2) = 0.0f;
	EXPECT_FALSE(Flat.Inverse().has_value());
}

TEST(ViewMatrices, LookAtTurnsTowardTheTargetAndTransformsMoveThenRotateThenScale)
{
	const FRotator Down = MakeLookAtRotation({0.0, 0.0, 100.0}, {100.0, 100.0, 0.0});
	EXPECT_NEAR(Down.Yaw, 45.0, 1e-9);
	EXPECT_NEAR(Down.Pitch, -35.2643896828, 1e-6);
	EXPECT_EQ(MakeLookAtRotation({1.0, 2.0, 3.0}, {1.0, 2.0, 3.0}), FRotator::ZeroRotator());

	FTransform Transform;
	Transform.Rotation = FRotator{0.0, 90.0, 0.0}.Quaternion();
	Transform.Translation = {10.0, 0.0, 0.0};
	Transform.Scale3D = {2.0, 2.0, 2.0};
	const auto Moved = Apply(MakeLocalToWorld(Transform), {1.0, 0.0, 0.0});
	EXPECT_NEAR(Moved[0], 10.0f, 1e-5f);
	EXPECT_NEAR(Moved[1], 2.0f, 1e-5f);
	EXPECT_NEAR(Moved[2], 0.0f, 1e-5f);
}

TEST(MeshTangents, TangentsFollowUAndCarryTheBitangentsSignAndSurviveBadInput)
{
	// A quad in the XY plane facing +Z with U along +X; V along +Y, then mirrored (V along -Y).
	const std::vector<FVector3f> Positions{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
	const std::vector<FVector3f> Normals(4, FVector3f{0, 0, 1});
	const std::vector<uint32_t> Indices{0, 1, 2, 0, 2, 3};
	const std::vector<FVector2f> UVs{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
	const std::vector<FVector2f> MirroredUVs{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
	for (const FVector4f& Tangent : ComputeTangents(Positions, Normals, UVs, Indices))
	{
		EXPECT_NEAR(Tangent.X, 1.0f, 1e-5f);
		EXPECT_NEAR(Tangent.Y, 0.0f, 1e-5f);
		EXPECT_EQ(Tangent.W, 1.0f);
	}
	for (const FVector4f& Tangent : ComputeTangents(Positions, Normals, MirroredUVs, Indices))
	{
		EXPECT_NEAR(Tangent.X, 1.0f, 1e-5f);
		EXPECT_EQ(Tangent.W, -1.0f);
	}
	// Without UVs, with indices past the end and with degenerate UVs, tangents are still unit and perpendicular to the normal.
	const std::vector<uint32_t> BadIndices{0, 1, 9, 0, 2, 3};
	const std::vector<FVector2f> Degenerate(4, FVector2f{0.5f, 0.5f});
	for (const auto& Tangents : {ComputeTangents(Positions, Normals, {}, Indices), ComputeTangents(Positions, Normals, UVs, BadIndices),
			 ComputeTangents(Positions, Normals, Degenerate, Indices)})
	{
		ASSERT_EQ(Tangents.size(), 4u);
		for (const FVector4f& Tangent : Tangents)
		{
			EXPECT_NEAR(Tangent.X * Tangent.X + Tangent.Y * Tangent.Y + Tangent.Z * Tangent.Z, 1.0f, 1e-5f);
			EXPECT_NEAR(Tangent.Z, 0.0f, 1e-5f);
		}
	}
}
