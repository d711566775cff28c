#include "BulkData/GltfTestScenes.h"
#include "Core/Log.h"
#include "Meshes/Gltf/GltfAxes.h"
#include "Meshes/Gltf/GltfFile.h"

#include <gtest/gtest.h>

namespace
{
	constexpr double Tolerance = 1e-4;

	void ExpectNear(const FVector& Actual, const FVector& Expected)
	{
		EXPECT_NEAR(Actual.X, Expected.X, Tolerance);
		EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance);
		EXPECT_NEAR(Actual.Z, Expected.Z, Tolerance);
	}
}

TEST(GltfSkeletonTest, SkinBecomesParentFirstSkeletonInCentimetresWithZUp)
{
	const FSkinnedTriangleScene Scene;
	const std::optional<FReferenceSkeleton> Skeleton = LoadGltfText(Scene.File.Json(Scene.Members())).BuildReferenceSkeleton();
	ASSERT_TRUE(Skeleton);
	ASSERT_EQ(Skeleton->Num(), 2);
	// The skin lists Spine before its parent Hips; the editor needs the parent first.
	EXPECT_EQ(Skeleton->GetRefBoneInfo()[0].Name, "Hips");
	EXPECT_EQ(Skeleton->GetRefBoneInfo()[0].ParentIndex, -1);
	EXPECT_EQ(Skeleton->GetRefBoneInfo()[1].Name, "Spine");
	EXPECT_EQ(Skeleton->GetRefBoneInfo()[1].ParentIndex, 0);
	ExpectNear(Skeleton->GetRefBonePose()[0].Translation, {0, 0, 100});
	ExpectNear(Skeleton->GetRefBonePose()[1].Translation, {0, 0, 50});
	ExpectNear(Skeleton->GetComponentSpaceTransform(1).Translation, {0, 0, 150});
	// 90 degrees about glTF's up turns the model's front (+Z) to glTF +X; in the editor, front is +Y.
	ExpectNear(Skeleton->GetRefBonePose()[1].Rotation.RotateVector({0, 1, 0}), {1, 0, 0});
}

TEST(GltfSkeletonTest, ConvertedRotationsAgreeWithConvertedVectors)
{
	const FQuat Rotations[] = {FQuat::FromAxisAngle({1, 0, 0}, 0.7), FQuat::FromAxisAngle({0, 0.6, 0.8}, -2.1), FQuat::FromAxisAngle({0.48, 0.6, 0.64}, 1.3)};
	const FVector Vectors[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.3, -2, 5}};
	for (const FQuat& Rotation : Rotations)
	{
		for (const FVector& Vector : Vectors)
		{
			ExpectNear(GltfAxes::ConvertRotation(Rotation).RotateVector(GltfAxes::ConvertDirection(Vector)), GltfAxes::ConvertDirection(Rotation.RotateVector(Vector)));
		}
	}
	// The mapping is a reflection: it changes the handedness of the numbers.
	const FVector X = GltfAxes::ConvertDirection({1, 0, 0});
	const FVector Y = GltfAxes::ConvertDirection({0, 1, 0});
	const FVector Z = GltfAxes::ConvertDirection({0, 0, 1});
	EXPECT_DOUBLE_EQ((X ^ Y) | Z, -1.0);
}

TEST(GltfSkeletonTest, NonJointAncestorsFoldIntoTheRootAndSeveralRootsAreRefused)
{
	FSkinnedTriangleScene Scene;
	Scene.Nodes.pop_back();
	Scene.Nodes += ",{\"name\":\"Armature\",\"translation\":[2,0,0],\"children\":[1]}]";
	std::optional<FReferenceSkeleton> Skeleton = LoadGltfText(Scene.File.Json(Scene.Members())).BuildReferenceSkeleton();
	ASSERT_TRUE(Skeleton);
	ExpectNear(Skeleton->GetRefBonePose()[0].Translation, {200, 0, 100});

	FSkinnedTriangleScene TwoRoots;
	TwoRoots.Nodes = "\"nodes\":[{\"name\":\"A\"},{\"name\":\"B\"},{\"name\":\"Body\",\"mesh\":0,\"skin\":0}]";
	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	EXPECT_FALSE(LoadGltfText(TwoRoots.File.Json(TwoRoots.Members())).BuildReferenceSkeleton());
	FLog::SetStderrEnabled(true);
	EXPECT_TRUE(Capture.Contains("Refusing glTF file 'Scene.gltf': skin 0 has 2 root joints; the editor's skeleton needs exactly one"));
}

TEST(GltfSkeletalMeshTest, GeometryIsConvertedAndFacesKeepTheirFront)
{
	const FSkinnedTriangleScene Scene;
	const std::optional<FSkeletalMeshModel> Mesh = LoadGltfText(Scene.File.Json(Scene.Members())).BuildSkeletalMesh();
	ASSERT_TRUE(Mesh);
	ASSERT_EQ(Mesh->LODModels.size(), 1u);
	const FSkeletalMeshLODModel& LOD = Mesh->LODModels[0];
	ASSERT_EQ(LOD.NumVertices(), 3u);
	ExpectNear(FVector::FromFloat(LOD.Positions[1]), {100, 0, 0});
	ExpectNear(FVector::FromFloat(LOD.Positions[2]), {0, 0, 100});
	ExpectNear(FVector::FromFloat(LOD.Normals[0]), {0, 1, 0});

	// The editor's front-face rule, (C - A) ^ (B - A), must point along the vertex normals.
	const FVector A = FVector::FromFloat(LOD.Positions[LOD.IndexBuffer.Get(0)]);
	const FVector B = FVector::FromFloat(LOD.Positions[LOD.IndexBuffer.Get(1)]);
	const FVector C = FVector::FromFloat(LOD.Positions[LOD.IndexBuffer.Get(2)]);
	EXPECT_GT(((C - A) ^ (B - A)) | FVector::FromFloat(LOD.Normals[0]), 0.0);

	EXPECT_EQ(LOD.IndexBuffer.GetDataTypeSize(), 2);
	EXPECT_EQ(LOD.IndexBuffer.GetIndexBuffer(), (std::vector<uint32_t>{0, 1, 2}));
	ASSERT_EQ(LOD.Sections.size(), 1u);
	EXPECT_EQ(LOD.Sections[0].NumTriangles, 1u);
	ASSERT_EQ(Mesh->Materials.size(), 1u);
	EXPECT_EQ(Mesh->Materials[0].SlotName, "Skin");
}

TEST(GltfSkeletalMeshTest, SkinWeightsFollowTheReorderedBonesStrongestFirst)
{
	const FSkinnedTriangleScene Scene;
	const std::optional<FSkeletalMeshModel> Mesh = LoadGltfText(Scene.File.Json(Scene.Members())).BuildSkeletalMesh();
	ASSERT_TRUE(Mesh);
	const std::vector<FSkinWeightInfo>& Weights = Mesh->LODModels[0].SkinWeights;
	ASSERT_EQ(Weights.size(), 3u);
	// Vertex 0: joint 1 (Hips, bone 0) at 0.75, joint 0 (Spine, bone 1) at 0.25.
	EXPECT_EQ(Weights[0].InfluenceBones[0], 0);
	EXPECT_FLOAT_EQ(Weights[0].InfluenceWeights[0], 0.75f);
	EXPECT_EQ(Weights[0].InfluenceBones[1], 1);
	EXPECT_FLOAT_EQ(Weights[0].InfluenceWeights[1], 0.25f);
	EXPECT_EQ(Weights[1].InfluenceBones[0], 0);
	EXPECT_EQ(Weights[2].InfluenceBones[0], 1);
	EXPECT_FLOAT_EQ(Weights[2].InfluenceWeights[0], 1.0f);
}

TEST(GltfSkeletalMeshTest, MorphTargetKeepsOnlyMovedVerticesInCentimetres)
{
	const FSkinnedTriangleScene Scene;
	const std::optional<FSkeletalMeshModel> Mesh = LoadGltfText(Scene.File.Json(Scene.Members())).BuildSkeletalMesh();
	ASSERT_TRUE(Mesh);
	ASSERT_EQ(Mesh->MorphTargets.size(), 1u);
	EXPECT_EQ(Mesh->MorphTargets[0].Name, "Smile");
	ASSERT_EQ(Mesh->MorphTargets[0].LODDeltas[0].size(), 1u);
	const FMorphTargetDelta& Delta = Mesh->MorphTargets[0].LODDeltas[0][0];
	EXPECT_EQ(Delta.SourceIdx, 1u);
	ExpectNear(FVector::FromFloat(Delta.PositionDelta), {0, 0, 10});
}

TEST(GltfSkeletalMeshTest, LodNodesAreOrderedAndWideIndicesStayWide)
{
	FSkinnedTriangleScene Scene;
	const int Positions = Scene.File.AddFloats({0, 0, 0, 0, 0, 1, 1, 0, 0}, "VEC3");
	const int Indices = Scene.File.AddUnsignedInts({0, 1, 2}, "SCALAR");
	const int Joints = Scene.File.AddUnsignedBytes(std::vector<uint8_t>(12, 1), "VEC4");
	const int Weights = Scene.File.AddFloats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, "VEC4");
	Scene.Nodes = "\"nodes\":[{\"name\":\"Spine\"},{\"name\":\"Hips\",\"children\":[0]},{\"name\":\"Body_LOD1\",\"mesh\":1,\"skin\":0},{\"name\":\"Body_lod0\",\"mesh\":0,\"skin\":0}]";
	Scene.Meshes.pop_back();
	Scene.Meshes += ",{\"primitives\":[{\"attributes\":{\"POSITION\":" + std::to_string(Positions) + ",\"JOINTS_0\":" + std::to_string(Joints)
		+ ",\"WEIGHTS_0\":" + std::to_string(Weights) + "},\"indices\":" + std::to_string(Indices) + "}]}]";
	const std::optional<FSkeletalMeshModel> Mesh = LoadGltfText(Scene.File.Json(Scene.Members())).BuildSkeletalMesh();
	ASSERT_TRUE(Mesh);
	ASSERT_EQ(Mesh->LODModels.size(), 2u);
	EXPECT_EQ(Mesh->LODModels[0].IndexBuffer.GetDataTypeSize(), 2);
	EXPECT_EQ(Mesh->LODModels[1].IndexBuffer.GetDataTypeSize(), 4);
	// The second level has no material: it gets the default slot after "Skin".
	EXPECT_EQ(Mesh->LODModels[1].Sections[0].MaterialIndex, 1);
	EXPECT_EQ(Mesh->Materials[1].SlotName, "DefaultMaterial");
	// Normals the file lacks are made by the editor's front-face rule: this triangle faces glTF up, so editor +Z.
	ExpectNear(FVector::FromFloat(Mesh->LODModels[1].Normals[0]), {0, 0, 1});
	EXPECT_EQ(Mesh->MorphTargets[0].LODDeltas.size(), 2u);
	EXPECT_TRUE(Mesh->MorphTargets[0].LODDeltas[1].empty());
}
