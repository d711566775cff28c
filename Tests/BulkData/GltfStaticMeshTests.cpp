#include "BulkData/GltfTestScenes.h"

#include <gtest/gtest.h>

namespace
{
	/** A unit quad in glTF's XY plane facing +Z, as two triangles, instanced by the nodes the test writes. */
	std::optional<FStaticMeshModel> BuildQuad(const std::string& Nodes)
	{
		FGltfTestFile File;
		const int Positions = File.AddFloats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, "VEC3");
		const int Indices = File.AddUnsignedBytes({0, 1, 2, 0, 2, 3}, "SCALAR");
		const std::string Members = Nodes + ",\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":" + std::to_string(Positions) + "},\"indices\":" + std::to_string(Indices) + "}]}]";
		return LoadGltfText(File.Json(Members)).BuildStaticMesh();
	}

	FVector FaceNormal(const FStaticMeshLODResources& LOD, std::size_t Triangle)
	{
		const FVector A = FVector::FromFloat(LOD.Positions[LOD.IndexBuffer.Get(Triangle * 3)]);
		const FVector B = FVector::FromFloat(LOD.Positions[LOD.IndexBuffer.Get(Triangle * 3 + 1)]);
		const FVector C = FVector::FromFloat(LOD.Positions[LOD.IndexBuffer.Get(Triangle * 3 + 2)]);
		return (C - A) ^ (B - A);
	}
}

TEST(GltfStaticMeshTest, CountsBoundsAndNodeTransformsAreBakedIn)
{
	const std::optional<FStaticMeshModel> Mesh = BuildQuad("\"nodes\":[{\"name\":\"Quad\",\"mesh\":0,\"translation\":[0,2,0]}]");
	ASSERT_TRUE(Mesh);
	ASSERT_EQ(Mesh->LODResources.size(), 1u);
	const FStaticMeshLODResources& LOD = Mesh->LODResources[0];
	EXPECT_EQ(LOD.GetNumVertices(), 4u);
	EXPECT_EQ(LOD.GetNumTriangles(), 2u);
	EXPECT_EQ(LOD.IndexBuffer.GetDataTypeSize(), 2);
	// glTF x 0..1, y 2..3 m, z 0 -> editor X 0..100, Y 0, Z 200..300 cm.
	EXPECT_DOUBLE_EQ(Mesh->Bounds.Origin.X, 50.0);
	EXPECT_DOUBLE_EQ(Mesh->Bounds.Origin.Z, 250.0);
	EXPECT_DOUBLE_EQ(Mesh->Bounds.BoxExtent.X, 50.0);
	EXPECT_DOUBLE_EQ(Mesh->Bounds.BoxExtent.Y, 0.0);
	EXPECT_NEAR(Mesh->Bounds.SphereRadius, std::sqrt(5000.0), 1e-4);
	ASSERT_EQ(Mesh->Materials.size(), 1u);
	EXPECT_EQ(Mesh->Materials[0].SlotName, "DefaultMaterial");
	// The quad faces glTF +Z, the editor's +Y, by the editor's front-face rule.
	EXPECT_GT(FaceNormal(LOD, 0).Y, 0.0);
	EXPECT_GT(LOD.Normals[0].Y, 0.99f);
}

TEST(GltfStaticMeshTest, MirroringNodeSwapsTheWindingSoFacesStayOutward)
{
	const std::optional<FStaticMeshModel> Mesh = BuildQuad("\"nodes\":[{\"mesh\":0,\"scale\":[1,1,-1]}]");
	ASSERT_TRUE(Mesh);
	const FStaticMeshLODResources& LOD = Mesh->LODResources[0];
	// Mirrored along glTF Z the quad still lies in the plane but its front now faces glTF -Z, editor -Y.
	EXPECT_LT(FaceNormal(LOD, 0).Y, 0.0);
	EXPECT_LT(FaceNormal(LOD, 1).Y, 0.0);
	EXPECT_LT(LOD.Normals[0].Y, -0.99f);
}
