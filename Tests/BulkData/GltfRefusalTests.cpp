#include "BulkData/GltfTestScenes.h"
#include "Core/FileSystem.h"
#include "Core/Log.h"
#include "Core/ScopedTestDir.h"

#include <gtest/gtest.h>

namespace
{
	/** Loads the text and builds the skeletal mesh; the refusal reason logged, or "" when it was accepted. */
	std::string RefusalOf(const std::string& Json)
	{
		FLog::SetStderrEnabled(false);
		FLogCapture Capture;
		std::optional<FGltfFile> File = FGltfFile::LoadFromMemory(std::span(reinterpret_cast<const uint8_t*>(Json.data()), Json.size()), "Broken.gltf");
		const bool bBuilt = File && File->BuildSkeletalMesh() && File->BuildAnimations();
		FLog::SetStderrEnabled(true);
		const std::vector<std::string> Lines = Capture.Messages("LogHost");
		EXPECT_EQ(bBuilt, Lines.empty());
		return Lines.empty() ? "" : Lines.front();
	}

	std::string WithAttribute(FSkinnedTriangleScene& Scene, const std::string& Attribute, int Accessor)
	{
		const std::string Key = "\"" + Attribute + "\":";
		const std::size_t At = Scene.Meshes.find(Key) + Key.size();
		Scene.Meshes.replace(At, Scene.Meshes.find_first_of(",}", At) - At, std::to_string(Accessor));
		return Scene.File.Json(Scene.Members());
	}
}

TEST(GltfRefusalTest, TheUntouchedSceneIsAccepted)
{
	FSkinnedTriangleScene Scene;
	EXPECT_EQ(RefusalOf(Scene.File.Json(Scene.Members())), "");
}

TEST(GltfRefusalTest, BrokenBuffersAndAccessorsAreRefusedWithTheirReason)
{
	{
		FSkinnedTriangleScene Scene;
		Scene.File.ClaimExtraBufferBytes(64);
		EXPECT_TRUE(RefusalOf(Scene.File.Json(Scene.Members())).starts_with("Refusing glTF file 'Broken.gltf': Failed to decode 'uri' : data:"));
	}
	{
		FSkinnedTriangleScene Scene;
		const int PastTheEnd = Scene.File.AddAccessorJson("{\"bufferView\":0,\"byteOffset\":24,\"componentType\":5126,\"count\":3,\"type\":\"VEC3\"}");
		EXPECT_EQ(RefusalOf(WithAttribute(Scene, "POSITION", PastTheEnd)), "Refusing glTF file 'Broken.gltf': mesh 0: POSITION reads past the end of buffer view 0");
	}
	{
		FSkinnedTriangleScene Scene;
		const int OutOfRange = Scene.File.AddUnsignedShorts({0, 1, 3}, "SCALAR");
		EXPECT_EQ(RefusalOf(WithAttribute(Scene, "indices", OutOfRange)), "Refusing glTF file 'Broken.gltf': mesh 0: index 3 is out of range for 3 vertices");
	}
	{
		FSkinnedTriangleScene Scene;
		const int NotANumber = Scene.File.AddFloats({0, 0, 0, std::nanf(""), 0, 0, 0, 1, 0}, "VEC3");
		EXPECT_EQ(RefusalOf(WithAttribute(Scene, "POSITION", NotANumber)),
			"Refusing glTF file 'Broken.gltf': mesh 0: accessor 6 (POSITION) holds a value that is not a finite number");
	}
	{
		FSkinnedTriangleScene Scene;
		const int ShortNormals = Scene.File.AddFloats({0, 0, 1, 0, 0, 1}, "VEC3");
		EXPECT_EQ(RefusalOf(WithAttribute(Scene, "NORMAL", ShortNormals)), "Refusing glTF file 'Broken.gltf': mesh 0: NORMAL has 2 elements for 3 vertices");
	}
	{
		FSkinnedTriangleScene Scene;
		EXPECT_NE(RefusalOf(WithAttribute(Scene, "POSITION", 99)).find("missing accessor 99"), std::string::npos);
	}
}

TEST(GltfRefusalTest, InconsistentSkinsAndNodesAreRefused)
{
	{
		FSkinnedTriangleScene Scene;
		Scene.Skins = "\"skins\":[{\"joints\":[0,7]}]";
		EXPECT_EQ(RefusalOf(Scene.File.Json(Scene.Members())), "Refusing glTF file 'Broken.gltf': skin 0 has a joint that refers to a missing node or is listed twice");
	}
	{
		FSkinnedTriangleScene Scene;
		const int FarJoint = Scene.File.AddUnsignedBytes({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "VEC4");
		EXPECT_EQ(RefusalOf(WithAttribute(Scene, "JOINTS_0", FarJoint)), "Refusing glTF file 'Broken.gltf': mesh Body: vertex 0 follows joint 5, past the skin's 2 joints");
	}
	{
		FSkinnedTriangleScene Scene;
		Scene.Nodes = "\"nodes\":[{\"name\":\"Spine\",\"children\":[1]},{\"name\":\"Hips\",\"children\":[0]},{\"name\":\"Body\",\"mesh\":0,\"skin\":0}]";
		EXPECT_NE(RefusalOf(Scene.File.Json(Scene.Members())).find("cycle"), std::string::npos);
	}
	{
		FSkinnedTriangleScene Scene;
		const int Times = Scene.File.AddFloats({1, 0}, "SCALAR");
		const int Values = Scene.File.AddFloats({0, 0, 0, 0, 0, 0}, "VEC3");
		const std::string Animation = "\"animations\":[{\"channels\":[{\"sampler\":0,\"target\":{\"node\":0,\"path\":\"translation\"}}],\"samplers\":[{\"input\":"
			+ std::to_string(Times) + ",\"output\":" + std::to_string(Values) + "}]}]";
		EXPECT_EQ(RefusalOf(Scene.File.Json(Scene.Members(Animation))), "Refusing glTF file 'Broken.gltf': animation 0: a sampler's key times go backwards");
	}
}

TEST(GltfRefusalTest, GarbageAndTruncatedFilesAreRefusedWithoutCrashing)
{
	FSkinnedTriangleScene Scene;
	const std::string Json = Scene.File.Json(Scene.Members());
	for (std::size_t Length = 0; Length < Json.size(); Length += 37)
	{
		EXPECT_NE(RefusalOf(Json.substr(0, Length)), "") << Length;
	}
	EXPECT_NE(RefusalOf(std::string("glTF\x02\0\0\0\xff\xff\xff\x7f", 12)), "");
}

TEST(GltfFileTest, ExternalBuffersLoadFromTheFilesFolderOnly)
{
	FScopedTestDir Dir;
	FSkinnedTriangleScene Scene;
	const std::string Embedded = Scene.File.Json(Scene.Members());
	const std::size_t UriStart = Embedded.find("\"uri\":\"") + 7;
	const std::string WithUri = Embedded.substr(0, UriStart) + "Body.bin" + Embedded.substr(Embedded.find('"', UriStart));
	ASSERT_TRUE(FFileHelper::SaveBytesToFile(Scene.File.BufferBytes(), Dir / "Body.bin"));
	ASSERT_TRUE(FFileHelper::SaveStringToFile(WithUri, Dir / "Body.gltf"));
	const std::optional<FGltfFile> File = FGltfFile::Load(Dir / "Body.gltf");
	ASSERT_TRUE(File);
	EXPECT_TRUE(File->BuildSkeletalMesh());

	std::filesystem::create_directories(Dir / "Sub");
	const std::string Escaping = Embedded.substr(0, UriStart) + "../Body.bin" + Embedded.substr(Embedded.find('"', UriStart));
	ASSERT_TRUE(FFileHelper::SaveStringToFile(Escaping, Dir / "Sub/Escaping.gltf"));
	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	EXPECT_FALSE(FGltfFile::Load(Dir / "Sub/Escaping.gltf"));
	EXPECT_EQ(Capture.Messages("LogHost").size(), 1u);
	// A file read from memory has no folder: external buffers are refused.
	EXPECT_FALSE(FGltfFile::LoadFromMemory(std::span(reinterpret_cast<const uint8_t*>(WithUri.data()), WithUri.size()), "Memory.gltf"));
	FLog::SetStderrEnabled(true);
}
