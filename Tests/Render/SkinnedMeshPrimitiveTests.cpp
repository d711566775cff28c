#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/SkinnedMeshPrimitive.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{
	class SkinnedMeshPrimitive : public ::testing::Test
	{
	protected:
		FTestEditor Editor{DemoProjectOptions()};
		USkeletalMesh* Mesh = LoadObject<USkeletalMesh>("/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin");

		std::vector<FTransform> ReferencePose() const
		{
			std::vector<FTransform> Pose;
			for (int32_t Bone = 0; Bone < Mesh->GetRefSkeleton().Num(); ++Bone)
			{
				Pose.push_back(Mesh->GetRefSkeleton().GetComponentSpaceTransform(Bone));
			}
			return Pose;
		}
	};
}

TEST_F(SkinnedMeshPrimitive, TheReferencePoseKeepsEveryVertexAndAWholeBodyTurnTurnsEveryVertex)
{
	ASSERT_NE(Mesh, nullptr);
	const FSkeletalMeshLODModel& LOD = Mesh->GetImportedModel()->LODModels.front();
	const std::optional<FDynamicMeshPrimitive> Rest = MakeSkinnedMeshPrimitive(*Mesh, ReferencePose());
	ASSERT_TRUE(Rest.has_value());
	ASSERT_EQ(Rest->Positions.size(), LOD.Positions.size());
	EXPECT_EQ(Rest->Indices.size(), LOD.IndexBuffer.Num());
	EXPECT_EQ(Rest->Sections.size(), LOD.Sections.size());
	for (std::size_t Index = 0; Index < LOD.Positions.size(); ++Index)
	{
		ASSERT_NEAR(Rest->Positions[Index].X, LOD.Positions[Index].X, 1e-3f) << Index;
		ASSERT_NEAR(Rest->Positions[Index].Z, LOD.Positions[Index].Z, 1e-3f) << Index;
	}

	// Every bone turned 90° about Z and lifted 10 cm: each vertex is turned and lifted the same way.
	FTransform Turn;
	Turn.Rotation = FRotator{0.0, 90.0, 0.0}.Quaternion();
	Turn.Translation = FVector{0.0, 0.0, 10.0};
	std::vector<FTransform> Posed = ReferencePose();
	for (FTransform& Bone : Posed)
	{
		Bone = Bone * Turn;
	}
	const std::optional<FDynamicMeshPrimitive> Turned = MakeSkinnedMeshPrimitive(*Mesh, Posed);
	ASSERT_TRUE(Turned.has_value());
	for (std::size_t Index = 0; Index < LOD.Positions.size(); Index += 97)
	{
		const FVector3f& P = LOD.Positions[Index];
		EXPECT_NEAR(Turned->Positions[Index].X, -P.Y, 1e-2f) << Index;
		EXPECT_NEAR(Turned->Positions[Index].Y, P.X, 1e-2f) << Index;
		EXPECT_NEAR(Turned->Positions[Index].Z, P.Z + 10.0f, 1e-2f) << Index;
	}
}

TEST_F(SkinnedMeshPrimitive, OneBoneMovedMovesOnlyTheVerticesThatFollowIt)
{
	ASSERT_NE(Mesh, nullptr);
	const FSkeletalMeshLODModel& LOD = Mesh->GetImportedModel()->LODModels.front();
	const int32_t LastBone = Mesh->GetRefSkeleton().Num() - 1;
	std::vector<FTransform> Posed = ReferencePose();
	Posed[LastBone].Translation = Posed[LastBone].Translation + FVector{0.0, 0.0, 100.0};
	const std::optional<FDynamicMeshPrimitive> Moved = MakeSkinnedMeshPrimitive(*Mesh, Posed);
	ASSERT_TRUE(Moved.has_value());
	int32_t Followers = 0;
	for (std::size_t Index = 0; Index < LOD.Positions.size(); ++Index)
	{
		float Weight = 0.0f;
		for (int32_t Influence = 0; Influence < MaxSkinInfluences; ++Influence)
		{
			Weight += LOD.SkinWeights[Index].InfluenceBones[Influence] == LastBone ? LOD.SkinWeights[Index].InfluenceWeights[Influence] : 0.0f;
		}
		Followers += Weight > 0.0f ? 1 : 0;
		ASSERT_NEAR(Moved->Positions[Index].Z - LOD.Positions[Index].Z, 100.0f * Weight, 1e-2f) << Index;
	}
	EXPECT_GT(Followers, 0);
}
