#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "BulkData/GltfTestFile.h"
#include "Core/JsonSerializer.h"
#include "Endpoints/SkeletonEndpoints.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <chrono>

namespace
{
	class AssetDetailsOverHttp : public ::testing::Test
	{
	protected:
		AssetDetailsOverHttp() : Editor(DemoProjectOptions()) {}

		/** Serves the demo project, with the files the test wrote added to the registry. */
		void Serve()
		{
			Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(30));
		}

		std::string Post(std::string_view Route, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Route, Body);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::string Details(std::string_view Path) { return Post("/korvane/asset/details", JsonBody("path", Path)); }
		std::string Exists(std::string_view Path) { return Post("/korvane/asset/exists", JsonBody("path", Path)); }

		static std::string JsonBody(std::string_view Key, std::string_view Value)
		{
			FJsonObject Body;
			Body.SetStringField(Key, Value);
			return FJsonSerializer::SerializeCondensed(Body);
		}

		/** The answer object's `metadata`, condensed. */
		static std::string MetadataOf(const FJsonValue& Details)
		{
			const std::shared_ptr<FJsonObject> Object = Details.TryGetObject();
			const std::shared_ptr<FJsonObject> Metadata = Object ? Object->TryGetObjectField("metadata") : nullptr;
			return Metadata ? FJsonSerializer::SerializeCondensed(*Metadata) : std::string("(no metadata)");
		}

		void WriteBox(std::string_view Name, float HalfX, float HalfUp, float HalfZ)
		{
			FGltfTestFile File;
			const std::vector<float> Corners = {-HalfX, -HalfUp, -HalfZ, HalfX, -HalfUp, -HalfZ, HalfX, HalfUp, -HalfZ, -HalfX, HalfUp, -HalfZ,
				-HalfX, -HalfUp, HalfZ, HalfX, -HalfUp, HalfZ, HalfX, HalfUp, HalfZ, -HalfX, HalfUp, HalfZ};
			const int Positions = File.AddFloats(Corners, "VEC3");
			const int Indices = File.AddUnsignedShorts({0, 2, 1, 0, 3, 2, 4, 5, 6, 4, 6, 7, 0, 1, 5, 0, 5, 4, 3, 7, 6, 3, 6, 2, 1, 2, 6, 1, 6, 5, 0, 4, 7, 0, 7, 3}, "SCALAR");
			const std::string Members = R"("nodes":[{"name":"Box","mesh":0}],"materials":[{"name":"Paint"}],"meshes":[{"primitives":[{"attributes":{"POSITION":)" +
										std::to_string(Positions) + "},\"indices\":" + std::to_string(Indices) + ",\"material\":0}]}]";
			Editor.Project().WriteFile("Content/Props/" + std::string(Name) + ".gltf", File.Json(Members));
			WriteAsset(Editor.Project(), "Props/" + std::string(Name), "/Script/Engine.StaticMesh", {}, "\"source\":\"" + std::string(Name) + ".gltf\"");
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(AssetDetailsOverHttp, SoundsAnswerTheirDurationsChannelsRatesAndGraph)
{
	Serve();
	EXPECT_EQ(Details("/Game/Audio/SW_Impact_01.SW_Impact_01"),
		R"({"name":"SW_Impact_01","path":"/Game/Audio/SW_Impact_01.SW_Impact_01","type":"SoundWave",)"
		R"("metadata":{"duration":0.25,"numChannels":1,"sampleRate":16000,"looping":false}})");
	EXPECT_EQ(Details("/Game/Audio/SW_Wind_Loop.SW_Wind_Loop"),
		R"({"name":"SW_Wind_Loop","path":"/Game/Audio/SW_Wind_Loop.SW_Wind_Loop","type":"SoundWave",)"
		R"("metadata":{"duration":10000,"numChannels":2,"sampleRate":8000,"looping":true}})")
		<< "a looping wave lasts forever, as the editor reports it";
	// Attenuation -> modulator -> random -> two impacts (0.25 s and 0.3125 s); the mixer beside them is not connected.
	EXPECT_EQ(Details("/Game/Audio/SC_Impact.SC_Impact"),
		R"({"name":"SC_Impact","path":"/Game/Audio/SC_Impact.SC_Impact","type":"SoundCue","metadata":{"duration":0.3125,"maxDistance":2000,"nodeCount":5}})");
	EXPECT_EQ(Details("/Game/Audio/MetaSounds/MSS_Footsteps.MSS_Footsteps"),
		R"({"name":"MSS_Footsteps","path":"/Game/Audio/MetaSounds/MSS_Footsteps.MSS_Footsteps","type":"SoundWave",)"
		R"("metadata":{"duration":0,"numChannels":0,"sampleRate":0,"looping":false}})")
		<< "a MetaSound source is a sound wave (subclasses count) without samples of its own";
}

TEST_F(AssetDetailsOverHttp, StaticMeshesAnswerLevelsBoundsAndSlots)
{
	WriteBox("SM_Slab", 0.5f, 0.1f, 0.5f);
	WriteAsset(Editor.Project(), "Props/SM_Placeholder", "/Script/Engine.StaticMesh", {}, R"("staticMaterials":[{"slotName":"Base","material":"/Game/M.M"}])");
	Serve();
	EXPECT_EQ(Details("/Game/Props/SM_Crate.SM_Crate"),
		R"({"name":"SM_Crate","path":"/Game/Props/SM_Crate.SM_Crate","type":"StaticMesh","metadata":{"lodCount":1,"triangles":12,"vertices":24,)"
		R"("bounds":{"x":100,"y":100,"z":100},"materialSlots":[{"slotName":"Crate","material":"/Game/Props/Materials/M_Crate.M_Crate"}]}})");
	EXPECT_EQ(MetadataOf(*FJsonSerializer::Deserialize(Details("/Game/Props/SM_Rock.SM_Rock"))),
		R"({"lodCount":2,"triangles":10,"vertices":30,"bounds":{"x":112.5,"y":87.5,"z":75},)"
		R"("materialSlots":[{"slotName":"Rock","material":"/Game/Props/Materials/M_Rock.M_Rock"},{"slotName":"Moss"}]})")
		<< "level 0 counts the moss patch; the moss slot has no material";
	// glTF half sizes 0.5 m across, 0.1 m up: the editor's box extent (50, 50, 10).
	EXPECT_EQ(MetadataOf(*FJsonSerializer::Deserialize(Details("/Game/Props/SM_Slab.SM_Slab"))),
		R"({"lodCount":1,"triangles":12,"vertices":8,"bounds":{"x":100,"y":100,"z":20},"materialSlots":[{"slotName":"Paint"}]})");
	EXPECT_EQ(MetadataOf(*FJsonSerializer::Deserialize(Details("/Game/Props/SM_Placeholder.SM_Placeholder"))),
		R"({"lodCount":0,"bounds":{"x":0,"y":0,"z":0},"materialSlots":[{"slotName":"Base","material":"/Game/M.M"}]})");
}

TEST_F(AssetDetailsOverHttp, TablesCurvesAndOtherClasses)
{
	WriteAsset(Editor.Project(), "Data/CF_Unused", "/Script/Engine.CurveFloat", {}, R"("floatCurve":{"keys":[]})");
	WriteAsset(Editor.Project(), "Data/DT_Orphan", "/Script/Engine.DataTable", {}, R"("rowStruct":"/Script/Gone.GoneRow","rows":[{"name":"A"}])");
	Serve();
	EXPECT_EQ(Details("/Game/Data/DT_Props.DT_Props"),
		R"({"name":"DT_Props","path":"/Game/Data/DT_Props.DT_Props","type":"DataTable","metadata":{"rowStruct":"PropRow","columns":[)"
		R"({"name":"DisplayName","type":"FText"},{"name":"Mesh","type":"TSoftObjectPtr<UStaticMesh>"},{"name":"Mass","type":"float"},)"
		R"({"name":"bBreakable","type":"bool"}],"rowCount":4}})");
	EXPECT_EQ(MetadataOf(*FJsonSerializer::Deserialize(Details("/Game/Data/DT_Orphan.DT_Orphan"))), R"({"rowStruct":"None","columns":[],"rowCount":1})");
	EXPECT_EQ(Details("/Game/Data/CF_TorchFlicker.CF_TorchFlicker"),
		R"({"name":"CF_TorchFlicker","path":"/Game/Data/CF_TorchFlicker.CF_TorchFlicker","type":"CurveFloat",)"
		R"("metadata":{"keyCount":4,"minTime":0,"maxTime":1,"minValue":0.5,"maxValue":1}})");
	EXPECT_EQ(MetadataOf(*FJsonSerializer::Deserialize(Details("/Game/Data/CF_Unused.CF_Unused"))),
		R"({"keyCount":0,"minTime":0,"maxTime":0,"minValue":0,"maxValue":0})");
	EXPECT_EQ(Details("/Game/Data/CV_CameraShake.CV_CameraShake"),
		R"({"name":"CV_CameraShake","path":"/Game/Data/CV_CameraShake.CV_CameraShake","type":"CurveVector","metadata":{"keyCount":5,"channels":3}})");
	EXPECT_EQ(Details("/Game/Physics/PA_Mannequin.PA_Mannequin"),
		R"({"name":"PA_Mannequin","path":"/Game/Physics/PA_Mannequin.PA_Mannequin","type":"PhysicsAsset","metadata":{"class":"/Script/Engine.PhysicsAsset"}})");
	EXPECT_EQ(Details("/Script/Engine.StaticMesh"),
		R"({"name":"StaticMesh","path":"/Script/Engine.StaticMesh","type":"Class","metadata":{"class":"/Script/CoreUObject.Class"}})");
}

// A Blueprint's metadata is the enrich answer: the gathered Blueprint, `success` and the enrich keys.
TEST_F(AssetDetailsOverHttp, BlueprintsAnswerTheirEnrichedGather)
{
	Serve();
	const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Details("/Game/Blueprints/BP_Campfire.BP_Campfire"));
	ASSERT_NE(Answer, nullptr);
	EXPECT_EQ(Answer->TryGetStringField("type"), "Blueprint");
	const std::shared_ptr<FJsonObject> Metadata = Answer->TryGetObjectField("metadata");
	ASSERT_NE(Metadata, nullptr);
	const std::shared_ptr<FJsonObject> Enriched = FJsonSerializer::DeserializeObject(
		Post("/korvane/blueprint/enrich", R"({"blueprintPath":"/Game/Blueprints/BP_Campfire.BP_Campfire"})"));
	ASSERT_NE(Enriched, nullptr);
	Metadata->RemoveField("enrichedAt");
	Enriched->RemoveField("enrichedAt");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Metadata), FJsonSerializer::SerializeCondensed(*Enriched));
	EXPECT_EQ(Metadata->TryGetBoolField("success"), true);
	EXPECT_EQ(Metadata->TryGetBoolField("componentProperties"), false) << "this editor has no Python";
	EXPECT_EQ(Metadata->TryGetArrayField("components")->size(), 4u);
}

TEST_F(AssetDetailsOverHttp, PathsAreTakenExactlyAsRequested)
{
	Serve();
	EXPECT_EQ(Details("/Game/Props/SM_Missing.SM_Missing"), R"({"error":"Asset not found: /Game/Props/SM_Missing.SM_Missing","path":"/Game/Props/SM_Missing.SM_Missing"})");
	EXPECT_EQ(Details("/Game/Props/SM_Crate"), R"({"error":"Asset not found: /Game/Props/SM_Crate","path":"/Game/Props/SM_Crate"})") << "no name completion";
	EXPECT_EQ(Details("/game/props/SM_Crate.SM_Crate"), R"({"error":"Asset not found: /game/props/SM_Crate.SM_Crate","path":"/game/props/SM_Crate.SM_Crate"})");
	EXPECT_TRUE(Post("/korvane/asset/details", R"({"path":"/Game/Props/SM_Crate.SM_Crate","maxSize":64})").starts_with(R"({"name":"SM_Crate","path":"/Game/Props/SM_Crate.SM_Crate","type":"StaticMesh")"))
		<< "extra fields are fine";
}

TEST_F(AssetDetailsOverHttp, DetailsRefuseBodiesAndPathsThatAreNotAssetPaths)
{
	Serve();
	for (const char* Body : {"", "not json", "[]", R"(["/Game/A.A"])", "{\"path\":", "null", "42"})
	{
		EXPECT_EQ(Post("/korvane/asset/details", Body), R"({"error":"Invalid JSON body"})") << Body;
	}
	for (const char* Body : {"{}", R"({"path":42})", R"({"path":null})", R"({"path":["/Game/A.A"]})", R"({"path":{"p":"/Game/A.A"}})", R"({"Path":"/Game/A.A"})"})
	{
		EXPECT_EQ(Post("/korvane/asset/details", Body), R"({"error":"Missing 'path' field"})") << Body;
	}
	for (const char* Path : {"", "/Temp/A.A", "Game/A.A", "/Game/../../etc/passwd", "/Game/A..B", "C:\\Game\\A"})
	{
		EXPECT_EQ(Details(Path), R"({"error":"Invalid asset path"})") << Path;
	}
}

TEST_F(AssetDetailsOverHttp, BatchAnswersAcceptedPathsInOrderAndSkipsTheRest)
{
	Serve();
	const std::string Answer = Post("/korvane/asset/batch",
		R"({"paths":["/Game/Data/CV_CameraShake.CV_CameraShake","","../Game/Props/SM_Crate.SM_Crate",42,null,{"path":"/Game/A.A"},"/Temp/A.A",)"
		R"("/Game/Nowhere.Nowhere","/Game/Physics/PA_Mannequin.PA_Mannequin"]})");
	EXPECT_EQ(Answer, R"({"assets":[)"
					  R"({"name":"CV_CameraShake","path":"/Game/Data/CV_CameraShake.CV_CameraShake","type":"CurveVector","metadata":{"keyCount":5,"channels":3}},)"
					  R"({"error":"Asset not found: /Game/Nowhere.Nowhere","path":"/Game/Nowhere.Nowhere"},)"
					  R"({"name":"PA_Mannequin","path":"/Game/Physics/PA_Mannequin.PA_Mannequin","type":"PhysicsAsset","metadata":{"class":"/Script/Engine.PhysicsAsset"}}],)"
					  R"("count":3})");
	const std::shared_ptr<FJsonObject> TwoOfFour = FJsonSerializer::DeserializeObject(
		Post("/korvane/asset/batch", R"({"paths":["/Game/Audio/SW_Impact_01.SW_Impact_01","","../x","/Game/Audio/SW_Impact_02.SW_Impact_02"]})"));
	ASSERT_NE(TwoOfFour, nullptr);
	EXPECT_EQ(TwoOfFour->TryGetNumberField("count"), 2.0);
	EXPECT_EQ(Post("/korvane/asset/batch", R"({"paths":[]})"), R"({"assets":[],"count":0})");
	EXPECT_EQ(Post("/korvane/asset/batch", "[]"), R"({"error":"Invalid JSON body"})");
	for (const char* Body : {"{}", R"({"paths":"/Game/A.A"})", R"({"paths":{"0":"/Game/A.A"}})", R"({"paths":null})", R"({"path":["/Game/A.A"]})"})
	{
		EXPECT_EQ(Post("/korvane/asset/batch", Body), R"({"error":"Missing 'paths' array"})") << Body;
	}
}

TEST_F(AssetDetailsOverHttp, AHugeBatchIsAnsweredWhole)
{
	Serve();
	constexpr int Count = 20000;
	std::string Body = R"({"paths":[)";
	for (int Index = 0; Index < Count; ++Index)
	{
		Body += (Index > 0 ? ",\"" : "\"") + std::string(Index % 2 == 0 ? "/Game/Audio/SW_Impact_01.SW_Impact_01" : "/Game/Gone/A" + std::to_string(Index) + ".A") + "\"";
	}
	Body += "]}";
	const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Post("/korvane/asset/batch", Body));
	ASSERT_NE(Answer, nullptr);
	EXPECT_EQ(Answer->TryGetNumberField("count"), Count);
	ASSERT_EQ(Answer->TryGetArrayField("assets")->size(), static_cast<std::size_t>(Count));
	EXPECT_EQ(MetadataOf(Answer->TryGetArrayField("assets")->at(Count - 2)), R"({"duration":0.25,"numChannels":1,"sampleRate":16000,"looping":false})");
}

// Paths from the client reach the inner handlers inside generated JSON bodies. A
// backslash in a path must stay part of the path: pasted into the body text
// unescaped it would turn "\t" or "\u0022" into another character (a different
// path) or end the string early (invalid JSON).
TEST_F(AssetDetailsOverHttp, GeneratedBodiesCarryBackslashesIntact)
{
	const std::string Blueprint = "/Game/Odd/BP_Odd.BP_Odd:Say\\tHi";
	const std::string Material = "/Game/Odd/BP_Odd.BP_Odd:Mat\\u0022erial";
	const std::string Skeleton = "/Game/Odd/BP_Odd.BP_Odd:Rig\\nSpine";
	Editor.OnGameThread([]() {
		UPackage* Package = CreatePackage("/Game/Odd/BP_Odd");
		UObject* Asset = NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.Blueprint"), "BP_Odd", RF_Public | RF_Standalone);
		NewObject<UObject>(Asset, FindEngineClassChecked("/Script/Engine.Blueprint"), "Say\\tHi");
		NewObject<UObject>(Asset, FindEngineClassChecked("/Script/Engine.Material"), "Mat\\u0022erial");
		NewObject<UObject>(Asset, FindEngineClassChecked("/Script/Engine.Skeleton"), "Rig\\nSpine");
	});
	const std::string SkeletonAnswer = Editor.OnGameThread([&Skeleton]() { return FJsonSerializer::SerializeCondensed(*GetSkeletonHierarchy(JsonBody("path", Skeleton))); });
	Serve();

	const std::string BlueprintDetails = Details(Blueprint);
	EXPECT_TRUE(BlueprintDetails.starts_with(R"({"name":"Say\\tHi","path":"/Game/Odd/BP_Odd.BP_Odd:Say\\tHi","type":"Blueprint",)"
											 R"("metadata":{"name":"Say\\tHi","blueprintName":"Say\\tHi","path":"/Game/Odd/BP_Odd.BP_Odd:Say\\tHi",)"))
		<< "the enrich handler found the Blueprint at the path of its generated body: " << BlueprintDetails;

	FJsonObject BatchBody;
	BatchBody.SetArrayField("paths", FJsonValueArray{FJsonValue(Material), FJsonValue(Skeleton)});
	const std::shared_ptr<FJsonObject> Batch = FJsonSerializer::DeserializeObject(Post("/korvane/asset/batch", FJsonSerializer::SerializeCondensed(BatchBody)));
	ASSERT_NE(Batch, nullptr);
	const std::shared_ptr<FJsonValueArray> Assets = Batch->TryGetArrayField("assets");
	ASSERT_EQ(Assets ? Assets->size() : 0u, 2u);
	EXPECT_EQ(MetadataOf((*Assets)[0]), R"({"name":"Mat\\u0022erial","path":"/Game/Odd/BP_Odd.BP_Odd:Mat\\u0022erial",)"
										R"("scalarParameters":[],"vectorParameters":[],"textureParameters":[],"staticSwitchParameters":[]})")
		<< "the material detail handler found the material at the path of its generated body";
	EXPECT_EQ(MetadataOf((*Assets)[1]), SkeletonAnswer) << "the skeleton handler saw the path with its backslash";
}

TEST_F(AssetDetailsOverHttp, ExistsAsksTheRegistryWithoutLoading)
{
	Editor.OnGameThread([]() {
		UPackage* Package = CreatePackage("/Game/Fresh/CF_New");
		NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.CurveFloat"), "CF_New", RF_Public | RF_Standalone);
	});
	Serve();
	EXPECT_EQ(Exists("/Game/Props/SM_Crate.SM_Crate"), R"({"exists":true,"path":"/Game/Props/SM_Crate.SM_Crate"})");
	EXPECT_EQ(Editor.OnGameThread([]() { return FObjectStore::Get().FindPackage("/Game/Props/SM_Crate"); }), nullptr) << "nothing was loaded";
	EXPECT_EQ(Exists("/Game/Props/SM_Crate"), R"({"exists":false,"path":"/Game/Props/SM_Crate"})") << "no name completion";
	EXPECT_EQ(Exists("/Game/Props/SM_Crate.SM_Barrel"), R"({"exists":false,"path":"/Game/Props/SM_Crate.SM_Barrel"})");
	EXPECT_EQ(Exists("/Game/Fresh/CF_New.CF_New"), R"({"exists":true,"path":"/Game/Fresh/CF_New.CF_New"})") << "an asset in memory counts";

	EXPECT_EQ(Post("/korvane/asset/exists", "nope"), R"({"exists":false,"error":"Invalid JSON body"})");
	for (const char* Body : {"{}", R"({"path":""})", R"({"path":7})", R"({"path":["/Game/Props/SM_Crate.SM_Crate"]})"})
	{
		EXPECT_EQ(Post("/korvane/asset/exists", Body), R"({"exists":false,"error":"Missing 'path' field"})") << Body;
	}
	EXPECT_EQ(Exists("/Game/../Props/SM_Crate.SM_Crate"), R"({"exists":false,"error":"Invalid asset path"})");
}
