#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Core/Base64.h"
#include "Core/JsonSerializer.h"
#include "Endpoints/AssetMetadata.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{
	constexpr std::string_view MeshPath = "/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin";

	/** Three bones: Hips at the root with Spine and Leg_L below it; no mesh. */
	constexpr std::string_view ThreeBoneGltf =
		R"({"asset":{"version":"2.0"},"nodes":[{"name":"Hips","children":[1,2]},{"name":"Spine","translation":[0,0.5,0]},)"
		R"({"name":"Leg_L","translation":[0.1,-0.5,0]}],"skins":[{"joints":[0,1,2]}]})";

	class SkeletonsOverHttp : public ::testing::Test
	{
	protected:
		explicit SkeletonsOverHttp(bool bDemoProject = false) : Editor(DemoProjectOptions(bDemoProject)) {}

		void Serve()
		{
			Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		std::string Send(std::string_view Method, std::string_view Path, std::string_view Body = {})
		{
			const std::optional<FTestHttpResponse> Response = Client->Request(Method, Path, Body);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::shared_ptr<FJsonObject> PostObject(std::string_view Path, std::string_view Body)
		{
			std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Send("POST", Path, Body));
			EXPECT_NE(Answer, nullptr);
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		std::shared_ptr<FJsonObject> Geometry(std::string_view Body) { return PostObject("/korvane/skeletalmesh/geometry", Body); }

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	class SkeletonsOverHttpOnDemo : public SkeletonsOverHttp
	{
	protected:
		SkeletonsOverHttpOnDemo() : SkeletonsOverHttp(true) {}
	};

	/** The entry named Name of a listing's array, condensed; empty when absent. */
	std::string ListEntry(std::string_view ListBody, std::string_view ArrayKey, std::string_view Name)
	{
		const std::shared_ptr<FJsonObject> List = FJsonSerializer::DeserializeObject(ListBody);
		const std::shared_ptr<FJsonValueArray> Entries = List ? List->TryGetArrayField(ArrayKey) : nullptr;
		for (const FJsonValue& Entry : Entries ? *Entries : FJsonValueArray())
		{
			if (Entry.TryGetObject()->TryGetStringField("name") == Name)
			{
				return FJsonSerializer::SerializeCondensed(*Entry.TryGetObject());
			}
		}
		return {};
	}

	std::vector<std::string> KeysOf(const FJsonObject& Object)
	{
		std::vector<std::string> Keys;
		for (const FJsonObject::FMember& Member : Object.Values())
		{
			Keys.push_back(Member.first);
		}
		return Keys;
	}

	std::vector<double> NumbersOf(const FJsonObject& Object, std::string_view Key)
	{
		std::vector<double> Numbers;
		for (const FJsonValue& Value : *Object.TryGetArrayField(Key))
		{
			Numbers.push_back(*Value.TryGetNumber());
		}
		return Numbers;
	}

	/** The text with every "-0" number written "0": the sign of a zero rotation component is not what these tests check. */
	std::string WithoutNegativeZeros(std::string Text)
	{
		for (const std::string_view Before : {"[", ","})
		{
			for (const std::string_view After : {",", "]"})
			{
				const std::string Negative = std::string(Before) + "-0" + std::string(After);
				const std::string Positive = std::string(Before) + "0" + std::string(After);
				for (std::size_t Found = Text.find(Negative); Found != std::string::npos; Found = Text.find(Negative, Found))
				{
					Text.replace(Found, Negative.size(), Positive);
				}
			}
		}
		return Text;
	}

	/** Decodes a base64 field into little-endian 32-bit words. */
	template <typename T>
	std::vector<T> DecodeWords(const FJsonObject& Answer, std::string_view Key, std::size_t& OutByteCount)
	{
		const std::optional<std::vector<uint8_t>> Bytes = FBase64::Decode(Answer.TryGetStringField(Key).value_or(""));
		OutByteCount = Bytes ? Bytes->size() : 0;
		std::vector<T> Words(OutByteCount / 4);
		if (!Words.empty())
		{
			std::memcpy(Words.data(), Bytes->data(), Words.size() * 4);
		}
		return Words;
	}
}

TEST_F(SkeletonsOverHttpOnDemo, ListsTheMannequinSkeletonAndMesh)
{
	Serve();
	EXPECT_EQ(ListEntry(Send("GET", "/korvane/skeletons"), "skeletons", "SK_Mannequin"),
		R"({"name":"SK_Mannequin","path":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","packagePath":"/Game/Characters/Mannequin","boneCount":21})");
	EXPECT_EQ(ListEntry(Send("GET", "/korvane/skeletalmeshes"), "skeletalMeshes", "SKM_Mannequin"),
		R"({"name":"SKM_Mannequin","path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","packagePath":"/Game/Characters/Mannequin",)"
		R"("skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","lodCount":3,)"
		R"("materialSlots":[{"slotName":"Body","material":"/Game/Characters/Mannequin/Materials/MI_Mannequin_Body.MI_Mannequin_Body"},{"slotName":"Accents"}],)"
		R"("morphTargets":["Breathe","Flex_Arms"]})");
}

TEST_F(SkeletonsOverHttpOnDemo, HierarchyGivesEveryBoneWithLocalPoseAndChildren)
{
	Serve();
	const std::shared_ptr<FJsonObject> Answer = PostObject("/korvane/skeletons/hierarchy", R"({"path":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin"})");
	EXPECT_EQ(KeysOf(*Answer), (std::vector<std::string>{"name", "path", "boneCount", "bones"}));
	EXPECT_EQ(Answer->TryGetStringField("name"), "SK_Mannequin");
	EXPECT_EQ(Answer->TryGetNumberField("boneCount"), 21);
	const FJsonValueArray& Bones = *Answer->TryGetArrayField("bones");
	ASSERT_EQ(Bones.size(), 21u);

	const FJsonObject& Root = *Bones[0].TryGetObject();
	EXPECT_EQ(KeysOf(Root), (std::vector<std::string>{"name", "index", "parent", "position", "rotation", "scale", "children"}));
	EXPECT_EQ(Root.TryGetStringField("name"), "root");
	EXPECT_EQ(Root.TryGetNumberField("parent"), -1);
	EXPECT_EQ(NumbersOf(Root, "children"), (std::vector<double>{1}));

	// The pelvis stands 95 cm above the root (glTF metres, Y up, become centimetres, Z up).
	const FJsonObject& Pelvis = *Bones[1].TryGetObject();
	EXPECT_EQ(NumbersOf(Pelvis, "position"), (std::vector<double>{0, 0, 95}));
	EXPECT_EQ(NumbersOf(Pelvis, "rotation"), (std::vector<double>{0, 0, 0, 1}));
	EXPECT_EQ(NumbersOf(Pelvis, "scale"), (std::vector<double>{1, 1, 1}));
	EXPECT_EQ(NumbersOf(Pelvis, "children"), (std::vector<double>{2, 15, 18}));

	const FJsonObject& Head = *Bones[6].TryGetObject();
	EXPECT_EQ(Head.TryGetStringField("name"), "head");
	EXPECT_EQ(Head.TryGetNumberField("parent"), 5);
	EXPECT_TRUE(Head.TryGetArrayField("children")->empty());
}

TEST_F(SkeletonsOverHttp, SingleRootLeafBonesAndTheMissingSkeletonTag)
{
	Editor.Project().WriteFile("Content/Rigs/Critter.gltf", ThreeBoneGltf);
	WriteAsset(Editor.Project(), "Rigs/SK_Critter", "/Script/Engine.Skeleton", {}, R"("source":"Critter.gltf")");
	WriteAsset(Editor.Project(), "Rigs/SKM_Untagged", "/Script/Engine.SkeletalMesh", {},
		R"("skeleton":"/Game/Rigs/SK_Critter.SK_Critter","materials":[{"slotName":"Fur"}])");
	Serve();

	EXPECT_EQ(WithoutNegativeZeros(Send("POST", "/korvane/skeletons/hierarchy", R"({"path":"/Game/Rigs/SK_Critter.SK_Critter"})")),
		R"({"name":"SK_Critter","path":"/Game/Rigs/SK_Critter.SK_Critter","boneCount":3,"bones":[)"
		R"({"name":"Hips","index":0,"parent":-1,"position":[0,0,0],"rotation":[0,0,0,1],"scale":[1,1,1],"children":[1,2]},)"
		R"({"name":"Spine","index":1,"parent":0,"position":[0,0,50],"rotation":[0,0,0,1],"scale":[1,1,1],"children":[]},)"
		R"({"name":"Leg_L","index":2,"parent":0,"position":[10,0,-50],"rotation":[0,0,0,1],"scale":[1,1,1],"children":[]}]})");
	// No "Skeleton" tag in the registry: no skeleton key, but the loaded fields are there.
	EXPECT_EQ(Send("GET", "/korvane/skeletalmeshes"),
		R"({"skeletalMeshes":[{"name":"SKM_Untagged","path":"/Game/Rigs/SKM_Untagged.SKM_Untagged","packagePath":"/Game/Rigs",)"
		R"("lodCount":0,"materialSlots":[{"slotName":"Fur"}],"morphTargets":[]}],"count":1})");
	EXPECT_EQ(Send("POST", "/korvane/skeletalmesh/geometry", R"({"path":"/Game/Rigs/SKM_Untagged.SKM_Untagged"})"),
		R"({"success":false,"error":"Mesh has no render data"})");
}

TEST_F(SkeletonsOverHttp, HierarchyRefusesBadBodiesAndOtherAssets)
{
	Editor.Project().WriteFile("Content/Rigs/Critter.gltf", ThreeBoneGltf);
	WriteAsset(Editor.Project(), "Rigs/SK_Critter", "/Script/Engine.Skeleton", {}, R"("source":"Critter.gltf")");
	WriteAsset(Editor.Project(), "Rigs/SK_Escaping", "/Script/Engine.Skeleton", {}, R"("source":"../Rigs/Critter.gltf")");
	WriteAsset(Editor.Project(), "Rigs/SKM_Body", "/Script/Engine.SkeletalMesh");
	Serve();
	const std::pair<std::string_view, std::string_view> Cases[] = {
		{"", R"({"error":"Invalid JSON body"})"},
		{"[]", R"({"error":"Invalid JSON body"})"},
		{R"({"path":)", R"({"error":"Invalid JSON body"})"},
		{"{}", R"({"error":"Missing 'path' field"})"},
		{R"({"path":42})", R"({"error":"Missing 'path' field"})"},
		{R"({"path":""})", R"({"error":"Invalid asset path"})"},
		{R"({"path":"/etc/passwd"})", R"({"error":"Invalid asset path"})"},
		{R"({"path":"/Game/../../etc/passwd"})", R"({"error":"Invalid asset path"})"},
		{R"({"path":"/Game/Rigs/SK_Critter"})", R"({"error":"Skeleton not found"})"},
		{R"({"path":"/Game/Rigs/SKM_Body.SKM_Body"})", R"({"error":"Skeleton not found"})"},
		{R"({"path":"/Game/Rigs/SK_Escaping.SK_Escaping"})", R"({"error":"Skeleton not found"})"},
		{"{\"path\":\"/Game/Rigs/SK_Critter.SK_Critter\\u0000x\"}", R"({"error":"Skeleton not found"})"},
	};
	for (const auto& [Body, Expected] : Cases)
	{
		EXPECT_EQ(Send("POST", "/korvane/skeletons/hierarchy", Body), Expected) << Body;
	}
	EXPECT_EQ(Send("POST", "/korvane/skeletons/hierarchy", "{\"path\":\"/Game/" + std::string(100000, 'A') + "\"}"), R"({"error":"Skeleton not found"})");
	EXPECT_EQ(Send("POST", "/korvane/skeletons/hierarchy", std::string(5000, '[') + std::string(5000, ']')), R"({"error":"Invalid JSON body"})");
}

TEST_F(SkeletonsOverHttpOnDemo, GeometryClampsTheLevelAndDecodesToItsBuffers)
{
	Serve();
	const auto [VertexCounts, HostIndices] = Editor.OnGameThread([]() {
		const USkeletalMesh* Mesh = LoadObject<USkeletalMesh>(MeshPath);
		std::vector<uint32_t> Counts;
		std::vector<std::vector<uint32_t>> Indices;
		for (const FSkeletalMeshLODRenderData& LOD : Mesh->GetResourceForRendering()->LODRenderData)
		{
			Counts.push_back(LOD.GetNumVertices());
			Indices.push_back(LOD.MultiSizeIndexContainer.GetIndexBuffer());
		}
		return std::pair(Counts, Indices);
	});
	ASSERT_EQ(VertexCounts.size(), 3u);

	const std::pair<std::string_view, double> Levels[] = {
		{R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin"})", 0},
		{R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","lod":-1})", 0},
		{R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","lod":"2"})", 0},
		{R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","lod":1})", 1},
		{R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","lod":99})", 2},
		{R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","lod":1e300})", 2},
	};
	for (const auto& [Body, ExpectedLevel] : Levels)
	{
		const std::shared_ptr<FJsonObject> Answer = Geometry(Body);
		EXPECT_EQ(KeysOf(*Answer), (std::vector<std::string>{"positions", "normals", "indices", "vertexCount", "indexCount", "lod", "success"})) << Body;
		ASSERT_EQ(Answer->TryGetNumberField("lod"), ExpectedLevel) << Body;
		const auto Level = static_cast<std::size_t>(ExpectedLevel);
		const double VertexCount = *Answer->TryGetNumberField("vertexCount");
		const double IndexCount = *Answer->TryGetNumberField("indexCount");
		EXPECT_EQ(VertexCount, VertexCounts[Level]);
		EXPECT_EQ(IndexCount, HostIndices[Level].size());
		std::size_t PositionBytes = 0, NormalBytes = 0, IndexBytes = 0;
		DecodeWords<float>(*Answer, "positions", PositionBytes);
		const std::vector<float> Normals = DecodeWords<float>(*Answer, "normals", NormalBytes);
		const std::vector<uint32_t> Indices = DecodeWords<uint32_t>(*Answer, "indices", IndexBytes);
		EXPECT_EQ(PositionBytes, 12 * VertexCount);
		EXPECT_EQ(NormalBytes, 12 * VertexCount);
		EXPECT_EQ(IndexBytes, 4 * IndexCount);
		EXPECT_EQ(Indices, HostIndices[Level]);
		for (std::size_t Vertex = 0; Vertex + 2 < Normals.size(); Vertex += 3)
		{
			EXPECT_NEAR(std::hypot(Normals[Vertex], Normals[Vertex + 1], Normals[Vertex + 2]), 1.0, Level == 0 ? 1e-4 : 2e-2);
		}
	}
}

TEST_F(SkeletonsOverHttpOnDemo, SixteenBitIndicesAreSentThirtyTwoBitsWide)
{
	Serve();
	const std::vector<uint8_t> Widths = Editor.OnGameThread([]() {
		std::vector<uint8_t> Sizes;
		for (const FSkeletalMeshLODRenderData& LOD : LoadObject<USkeletalMesh>(MeshPath)->GetResourceForRendering()->LODRenderData)
		{
			Sizes.push_back(LOD.MultiSizeIndexContainer.GetDataTypeSize());
		}
		return Sizes;
	});
	EXPECT_EQ(Widths, (std::vector<uint8_t>{2, 4, 2}));
	const std::shared_ptr<FJsonObject> Answer = Geometry(R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin","lod":2})");
	std::size_t IndexBytes = 0;
	const std::vector<uint32_t> Indices = DecodeWords<uint32_t>(*Answer, "indices", IndexBytes);
	ASSERT_FALSE(Indices.empty());
	EXPECT_EQ(IndexBytes, 4 * Indices.size());
	EXPECT_TRUE(std::all_of(Indices.begin(), Indices.end(), [&](uint32_t Index) { return Index < *Answer->TryGetNumberField("vertexCount"); }));
	EXPECT_EQ(Indices[0], 0u);
	EXPECT_EQ(Indices[1], 1u);
}

TEST_F(SkeletonsOverHttp, GeometryRefusesBadBodiesAndOtherAssets)
{
	Editor.Project().WriteFile("Content/Rigs/Critter.gltf", ThreeBoneGltf);
	WriteAsset(Editor.Project(), "Rigs/SK_Critter", "/Script/Engine.Skeleton", {}, R"("source":"Critter.gltf")");
	WriteAsset(Editor.Project(), "Props/SM_Crate", "/Script/Engine.StaticMesh");
	Serve();
	const std::pair<std::string_view, std::string_view> Cases[] = {
		{"", R"({"success":false,"error":"Invalid JSON body"})"},
		{"\"path\"", R"({"success":false,"error":"Invalid JSON body"})"},
		{"{}", R"({"success":false,"error":"Missing or invalid 'path'"})"},
		{R"({"path":null})", R"({"success":false,"error":"Missing or invalid 'path'"})"},
		{R"({"path":"Game/Props/SM_Crate.SM_Crate"})", R"({"success":false,"error":"Missing or invalid 'path'"})"},
		{R"({"path":"/Game/Props/../SM_Crate.SM_Crate"})", R"({"success":false,"error":"Missing or invalid 'path'"})"},
		{R"({"path":"/Game/Props/SM_Crate.SM_Crate"})", R"({"success":false,"error":"Skeletal mesh not found"})"},
		{R"({"path":"/Game/Rigs/SK_Critter.SK_Critter","lod":3})", R"({"success":false,"error":"Skeletal mesh not found"})"},
		{R"({"path":"/Game/Nothing/Here.Here"})", R"({"success":false,"error":"Skeletal mesh not found"})"},
	};
	for (const auto& [Body, Expected] : Cases)
	{
		EXPECT_EQ(Send("POST", "/korvane/skeletalmesh/geometry", Body), Expected) << Body;
	}
}

TEST_F(SkeletonsOverHttpOnDemo, SkeletalMeshMetadataBlock)
{
	const std::string Metadata = Editor.OnGameThread([]() { return FJsonSerializer::SerializeCondensed(*BuildSkeletalMeshMetadata(*LoadObject<USkeletalMesh>(MeshPath))); });
	EXPECT_EQ(Metadata,
		R"({"skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","boneCount":21,)"
		R"("bones":["root","pelvis","spine_01","spine_02","spine_03","neck_01","head","clavicle_l","upperarm_l","lowerarm_l","hand_l",)"
		R"("clavicle_r","upperarm_r","lowerarm_r","hand_r","thigh_l","calf_l","foot_l","thigh_r","calf_r","foot_r"],"lodCount":3,)"
		R"("materialSlots":[{"slotName":"Body","material":"/Game/Characters/Mannequin/Materials/MI_Mannequin_Body.MI_Mannequin_Body"},{"slotName":"Accents"}],)"
		R"("morphTargets":["Breathe","Flex_Arms"]})");
}
