#include "Meshes/SkeletalMeshVertexBuffers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(StaticMeshVertexBuffer, PacksNormalsEightOrSixteenBitsWideWithTheBasisSign)
{
	const std::vector<FVector3f> Normals = {{0.0f, 0.0f, 1.0f}, {0.6f, -0.8f, 0.0f}};
	const std::vector<FVector4f> Tangents = {{1.0f, 0.0f, 0.0f, -1.0f}, {0.8f, 0.6f, 0.0f, 1.0f}};

	FStaticMeshVertexBuffer Low;
	Low.Init(Normals, Tangents, false);
	EXPECT_FALSE(Low.GetUseHighPrecisionTangentBasis());
	ASSERT_EQ(Low.GetTangentData<FPackedNormal>().size(), 2u);
	EXPECT_TRUE(Low.GetTangentData<FPackedRGBA16N>().empty());
	const FPackedNormal Up = Low.GetTangentData<FPackedNormal>()[0].TangentZ;
	EXPECT_EQ((std::array<int, 4>{Up.X, Up.Y, Up.Z, Up.W}), (std::array<int, 4>{0, 0, 127, -127}));
	const FPackedNormal Slanted = Low.GetTangentData<FPackedNormal>()[1].TangentZ;
	EXPECT_EQ((std::array<int, 4>{Slanted.X, Slanted.Y, Slanted.Z, Slanted.W}), (std::array<int, 4>{76, -102, 0, 127}));
	EXPECT_EQ(Low.GetTangentData<FPackedNormal>()[1].TangentX.X, 102);

	FStaticMeshVertexBuffer High;
	High.Init(Normals, Tangents, true);
	EXPECT_TRUE(High.GetUseHighPrecisionTangentBasis());
	ASSERT_EQ(High.GetNumVertices(), 2u);
	const FPackedRGBA16N Precise = High.GetTangentData<FPackedRGBA16N>()[1].TangentZ;
	EXPECT_EQ((std::array<int, 4>{Precise.X, Precise.Y, Precise.Z, Precise.W}), (std::array<int, 4>{19660, -26214, 0, 32767}));
}

TEST(StaticMeshVertexBuffer, OutOfRangeValuesSaturateAndMissingTangentsArePerpendicular)
{
	const float NaN = std::numeric_limits<float>::quiet_NaN();
	const FPackedNormal Clamped = FPackedNormal::Pack({2.0f, -5.0f, NaN, std::numeric_limits<float>::infinity()});
	EXPECT_EQ((std::array<int, 4>{Clamped.X, Clamped.Y, Clamped.Z, Clamped.W}), (std::array<int, 4>{127, -127, 0, 0}));

	FStaticMeshVertexBuffer Buffer;
	Buffer.Init({{0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f}}, {}, true);
	for (const TStaticMeshVertexTangent<FPackedRGBA16N>& Basis : Buffer.GetTangentData<FPackedRGBA16N>())
	{
		const double Dot = double(Basis.TangentX.X) * Basis.TangentZ.X + double(Basis.TangentX.Y) * Basis.TangentZ.Y + double(Basis.TangentX.Z) * Basis.TangentZ.Z;
		EXPECT_EQ(Dot, 0.0);
		EXPECT_NEAR(std::hypot(Basis.TangentX.X, Basis.TangentX.Y, Basis.TangentX.Z), 32767.0, 1.0);
		EXPECT_EQ(Basis.TangentZ.W, 32767);
	}
}
