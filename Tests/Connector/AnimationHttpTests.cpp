#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Animation/AnimMontage.h"
#include "Animation/BlendSpace.h"
#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Core/JsonSerializer.h"
#include "Endpoints/AssetMetadata.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

namespace
{
	constexpr std::string_view Skeleton = "/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin";

	class AnimationsOverHttp : public ::testing::Test
	{
	protected:
		explicit AnimationsOverHttp(bool bDemoProject = false) : Editor(DemoProjectOptions(bDemoProject)) {}

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

		std::string Detail(std::string_view Path) { return Send("POST", "/korvane/animations/detail", R"({"path":")" + std::string(Path) + R"("})"); }

		/** Writes a sequence of the given extra fields, 30 frames long and without tracks. */
		void WriteSequence(std::string_view Relative, std::string_view Fields)
		{
			WriteAsset(Editor.Project(), Relative, "/Script/Engine.AnimSequence", {}, R"("frames":30)" + std::string(Fields.empty() ? "" : ",") + std::string(Fields));
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	class AnimationsOverHttpOnDemo : public AnimationsOverHttp
	{
	protected:
		AnimationsOverHttpOnDemo() : AnimationsOverHttp(true) {}
	};

	std::shared_ptr<FJsonObject> EntryNamed(std::string_view ListBody, std::string_view ArrayKey, std::string_view Name, std::size_t* OutPosition = nullptr)
	{
		const std::shared_ptr<FJsonObject> List = FJsonSerializer::DeserializeObject(ListBody);
		const std::shared_ptr<FJsonValueArray> Entries = List ? List->TryGetArrayField(ArrayKey) : nullptr;
		for (std::size_t Index = 0; Entries && Index < Entries->size(); ++Index)
		{
			const std::shared_ptr<FJsonObject> Entry = (*Entries)[Index].TryGetObject();
			if (Entry->TryGetStringField("name") == Name)
			{
				if (OutPosition != nullptr)
				{
					*OutPosition = Index;
				}
				return Entry;
			}
		}
		return nullptr;
	}

	/** The entry named Name of a listing's array, condensed; empty when absent. */
	std::string ListEntry(std::string_view ListBody, std::string_view ArrayKey, std::string_view Name)
	{
		const std::shared_ptr<FJsonObject> Entry = EntryNamed(ListBody, ArrayKey, Name);
		return Entry ? FJsonSerializer::SerializeCondensed(*Entry) : std::string();
	}
}

TEST_F(AnimationsOverHttpOnDemo, ListsSequencesWithTheirTiming)
{
	Serve();
	const std::string List = Send("GET", "/korvane/animations");
	EXPECT_EQ(ListEntry(List, "animations", "MM_Walk_Fwd"),
		R"({"name":"MM_Walk_Fwd","path":"/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd","packagePath":"/Game/Characters/Mannequin/Animations",)"
		R"("skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","duration":1,"numFrames":31,"rateScale":1,"sampleRate":30,"isAdditive":false,"enableRootMotion":true})");
	EXPECT_EQ(ListEntry(List, "animations", "MM_Idle_Breathe_Additive"),
		R"({"name":"MM_Idle_Breathe_Additive","path":"/Game/Characters/Mannequin/Animations/MM_Idle_Breathe_Additive.MM_Idle_Breathe_Additive",)"
		R"("packagePath":"/Game/Characters/Mannequin/Animations","skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin",)"
		R"("duration":2,"numFrames":61,"rateScale":0.75,"sampleRate":30,"isAdditive":true,"enableRootMotion":false})");
	EXPECT_EQ(ListEntry(Send("GET", "/korvane/animbps"), "animBlueprints", "ABP_Mannequin"),
		R"({"name":"ABP_Mannequin","path":"/Game/Characters/Mannequin/ABP_Mannequin.ABP_Mannequin","packagePath":"/Game/Characters/Mannequin",)"
		R"("targetSkeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","parentClass":"/Script/Engine.AnimInstance"})");
	EXPECT_EQ(ListEntry(Send("GET", "/korvane/montages"), "montages", "AM_Mannequin_Walk"),
		R"({"name":"AM_Mannequin_Walk","path":"/Game/Characters/Mannequin/Animations/AM_Mannequin_Walk.AM_Mannequin_Walk","packagePath":"/Game/Characters/Mannequin/Animations",)"
		R"("skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","duration":2,)"
		R"("sections":[{"name":"Start","startTime":0,"nextSection":"Loop"},{"name":"Loop","startTime":0.5,"nextSection":"Loop"},{"name":"End","startTime":1.5,"nextSection":"None"}],)"
		R"("slots":[{"slotName":"DefaultSlot"},{"slotName":"UpperBody"}],"notifyCount":1})");
}

TEST_F(AnimationsOverHttpOnDemo, DetailOfAnAdditiveSequenceWithNotifiesCurvesAndMarkers)
{
	Serve();
	// Curves come from the glTF morph weights (one key per sampled frame) and from the asset's own keys.
	EXPECT_EQ(Detail("/Game/Characters/Mannequin/Animations/MM_Idle_Breathe_Additive.MM_Idle_Breathe_Additive"),
		R"({"name":"MM_Idle_Breathe_Additive","path":"/Game/Characters/Mannequin/Animations/MM_Idle_Breathe_Additive.MM_Idle_Breathe_Additive",)"
		R"("duration":2,"numFrames":61,"isAdditive":true,"enableRootMotion":false,"rateScale":0.75,"skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin",)"
		R"("additive":{"animationType":1,"basePoseType":3,"refPoseSequence":"/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd"},)"
		R"("notifies":[{"name":"Inhale_Sound","triggerTime":0.10000000000000001,"duration":0,"trackName":"Track 0","class":"AnimNotify_PlaySound"},)"
		R"({"name":"Breath_Trail","triggerTime":0.5,"duration":1,"trackName":"Track 2","class":"AnimNotifyState_Trail","isState":true},)"
		R"({"name":"Exhale_Start","triggerTime":1,"duration":0,"trackName":"None"}],)"
		R"("curves":[{"name":"Breathe","type":"Float","numKeys":61},{"name":"Flex_Arms","type":"Float","numKeys":61},{"name":"Chest_Tension","type":"Float","numKeys":3}],)"
		R"("syncMarkers":[{"name":"Inhale","time":0},{"name":"Exhale","time":1}]})");
	EXPECT_EQ(Detail("/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd"),
		R"({"name":"MM_Walk_Fwd","path":"/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd","duration":1,"numFrames":31,)"
		R"("isAdditive":false,"enableRootMotion":true,"rateScale":1,"skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","notifies":[],"curves":[],"syncMarkers":[]})");
}

TEST_F(AnimationsOverHttpOnDemo, BlendSpacesListTwoDimensionalOnesFirst)
{
	Serve();
	const std::string List = Send("GET", "/korvane/blendspaces");
	std::size_t TwoD = 0, OneD = 0;
	ASSERT_NE(EntryNamed(List, "blendSpaces", "BS_Mannequin_Locomotion", &TwoD), nullptr);
	ASSERT_NE(EntryNamed(List, "blendSpaces", "BS1D_Mannequin_Speed", &OneD), nullptr);
	EXPECT_LT(TwoD, OneD);
	EXPECT_EQ(List.find(R"("name":"BS1D_Mannequin_Speed")"), List.rfind(R"("name":"BS1D_Mannequin_Speed")"));
	EXPECT_EQ(ListEntry(List, "blendSpaces", "BS1D_Mannequin_Speed"),
		R"({"name":"BS1D_Mannequin_Speed","path":"/Game/Characters/Mannequin/Animations/BS1D_Mannequin_Speed.BS1D_Mannequin_Speed","type":"BlendSpace1D",)"
		R"("packagePath":"/Game/Characters/Mannequin/Animations","skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","axis":{"name":"Speed","min":0,"max":300},)"
		R"("samples":[{"value":150,"animation":"MM_Walk_Fwd","animationPath":"/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd","rateScale":1},)"
		R"({"value":300,"animation":"MM_Walk_Fwd","animationPath":"/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd","rateScale":2}]})");
	const std::string TwoDimensional = ListEntry(List, "blendSpaces", "BS_Mannequin_Locomotion");
	EXPECT_TRUE(TwoDimensional.starts_with(
		R"({"name":"BS_Mannequin_Locomotion","path":"/Game/Characters/Mannequin/Animations/BS_Mannequin_Locomotion.BS_Mannequin_Locomotion","type":"BlendSpace2D",)"
		R"("packagePath":"/Game/Characters/Mannequin/Animations","skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin",)"
		R"("axes":{"x":{"name":"Direction","min":-180,"max":180},"y":{"name":"Speed","min":0,"max":300}},)"
		R"("samples":[{"x":0,"y":150,"animation":"MM_Walk_Fwd","animationPath":"/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd","rateScale":1},)"))
		<< TwoDimensional;
}

TEST_F(AnimationsOverHttpOnDemo, MetadataBlocksOfBlendSpacesAndMontages)
{
	const auto Build = [this](std::string_view Path, auto Builder) {
		return Editor.OnGameThread([&]() { return FJsonSerializer::SerializeCondensed(*Builder(*StaticLoadObject(nullptr, Path))); });
	};
	EXPECT_EQ(Build("/Game/Characters/Mannequin/Animations/BS1D_Mannequin_Speed.BS1D_Mannequin_Speed", BuildBlendSpaceMetadata),
		R"({"skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","blendType":"1D","axes":{"x":{"name":"Speed","min":0,"max":300}},"sampleCount":2})");
	EXPECT_EQ(Build("/Game/Characters/Mannequin/Animations/BS_Mannequin_Locomotion.BS_Mannequin_Locomotion", BuildBlendSpaceMetadata),
		R"({"skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","blendType":"2D",)"
		R"("axes":{"x":{"name":"Direction","min":-180,"max":180},"y":{"name":"Speed","min":0,"max":300}},"sampleCount":4})");
	EXPECT_EQ(Build("/Game/Characters/Mannequin/Animations/AM_Mannequin_Walk.AM_Mannequin_Walk", BuildAnimMontageMetadata),
		R"({"duration":2,"skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin",)"
		R"("sections":[{"name":"Start","startTime":0,"nextSection":"Loop"},{"name":"Loop","startTime":0.5,"nextSection":"Loop"},{"name":"End","startTime":1.5,"nextSection":"None"}],)"
		R"("slots":[{"slotName":"DefaultSlot"},{"slotName":"UpperBody"}],"notifyCount":1})");
	// A builder given an asset of another class answers an empty block rather than reading it as its own.
	EXPECT_EQ(Build("/Game/Characters/Mannequin/Animations/MM_Walk_Fwd.MM_Walk_Fwd", BuildAnimMontageMetadata), "{}");
}

TEST_F(AnimationsOverHttp, RegistryOnlyFieldsAndAssetsThatDoNotLoad)
{
	WriteAsset(Editor.Project(), "Anim/ABP_NoSkeleton", "/Script/Engine.AnimBlueprint", {{"ParentClass", "/Script/Engine.AnimInstance"}});
	WriteAsset(Editor.Project(), "Anim/AO_Look", "/Script/Engine.AimOffsetBlendSpace1D", {{"Skeleton", std::string(Skeleton)}});
	WriteSequence("Anim/MM_Broken", R"("rateScale":"fast")");
	Serve();
	EXPECT_EQ(Send("GET", "/korvane/animbps"),
		R"({"animBlueprints":[{"name":"ABP_NoSkeleton","path":"/Game/Anim/ABP_NoSkeleton.ABP_NoSkeleton","packagePath":"/Game/Anim","parentClass":"/Script/Engine.AnimInstance"}],"count":1})");
	// A subclass of the one-dimensional blend space is listed once, in the second pass.
	EXPECT_EQ(Send("GET", "/korvane/blendspaces"),
		R"({"blendSpaces":[{"name":"AO_Look","path":"/Game/Anim/AO_Look.AO_Look","type":"BlendSpace1D","packagePath":"/Game/Anim",)"
		R"("skeleton":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin","axis":{"name":"None","min":0,"max":100},"samples":[]}],"count":1})");
	// A sequence whose fields do not load keeps only its registry keys.
	EXPECT_EQ(Send("GET", "/korvane/animations"),
		R"({"animations":[{"name":"MM_Broken","path":"/Game/Anim/MM_Broken.MM_Broken","packagePath":"/Game/Anim"}],"count":1})");
	EXPECT_EQ(Send("GET", "/korvane/montages"), R"({"montages":[],"count":0})");
}

TEST_F(AnimationsOverHttp, NotifiesOnNegativeAndHighTracksAndMissingAnimations)
{
	WriteSequence("Anim/MM_Markers", R"("notifies":[{"name":"Off","time":0.25,"trackIndex":-1},{"name":"Far","time":0.5,"trackIndex":12},)"
		R"({"name":"Timed","time":0.5,"duration":0.25,"trackIndex":0}])");
	WriteAsset(Editor.Project(), "Anim/BS_Orphan", "/Script/Engine.BlendSpace", {},
		R"("blendParameters":[{"displayName":"X"},{"displayName":"Y"}],"samples":[{"animation":"/Game/Anim/Gone.Gone","x":1,"y":2}])");
	Serve();
	// A marker without a notify state has no duration, whatever its file says.
	EXPECT_EQ(Detail("/Game/Anim/MM_Markers.MM_Markers"),
		R"({"name":"MM_Markers","path":"/Game/Anim/MM_Markers.MM_Markers","duration":1,"numFrames":31,"isAdditive":false,"enableRootMotion":false,"rateScale":1,)"
		R"("notifies":[{"name":"Off","triggerTime":0.25,"duration":0,"trackName":"None"},{"name":"Far","triggerTime":0.5,"duration":0,"trackName":"Track 12"},)"
		R"({"name":"Timed","triggerTime":0.5,"duration":0,"trackName":"Track 0"}],"curves":[],"syncMarkers":[]})");
	// A sample whose animation is missing keeps its coordinates and rate but names no animation.
	EXPECT_EQ(ListEntry(Send("GET", "/korvane/blendspaces"), "blendSpaces", "BS_Orphan"),
		R"({"name":"BS_Orphan","path":"/Game/Anim/BS_Orphan.BS_Orphan","type":"BlendSpace2D","packagePath":"/Game/Anim",)"
		R"("axes":{"x":{"name":"X","min":0,"max":100},"y":{"name":"Y","min":0,"max":100}},"samples":[{"x":1,"y":2,"rateScale":1}]})");
}

TEST_F(AnimationsOverHttp, DetailRefusesBadBodiesAndOtherAssets)
{
	WriteSequence("Anim/MM_Idle", "");
	WriteAsset(Editor.Project(), "Anim/AM_Idle", "/Script/Engine.AnimMontage");
	Serve();
	const std::pair<std::string_view, std::string_view> Cases[] = {
		{"", R"({"error":"Invalid JSON body"})"},
		{"null", R"({"error":"Invalid JSON body"})"},
		{R"([{"path":"/Game/Anim/MM_Idle.MM_Idle"}])", R"({"error":"Invalid JSON body"})"},
		{R"({"path":"/Game/Anim/MM_Idle.MM_Idle"} trailing)", R"({"error":"Invalid JSON body"})"},
		{"{}", R"({"error":"Missing 'path' field"})"},
		{R"({"path":["/Game/Anim/MM_Idle.MM_Idle"]})", R"({"error":"Missing 'path' field"})"},
		{R"({"path":"\\Game\\Anim"})", R"({"error":"Invalid asset path"})"},
		{R"({"path":"/Game/Anim/../../../Config/x.x"})", R"({"error":"Invalid asset path"})"},
		{R"({"path":"/Game/Anim/MM_Idle"})", R"({"error":"AnimSequence not found"})"},
		{R"({"path":"/Game/Anim/AM_Idle.AM_Idle"})", R"({"error":"AnimSequence not found"})"},
		{R"({"path":"/Script/Engine.AnimSequence"})", R"({"error":"AnimSequence not found"})"},
		{"{\"path\":\"/Game/Anim/MM_Idle.MM_Idle\\u0000\"}", R"({"error":"AnimSequence not found"})"},
	};
	for (const auto& [Body, Expected] : Cases)
	{
		EXPECT_EQ(Send("POST", "/korvane/animations/detail", Body), Expected) << Body;
	}
	EXPECT_EQ(Send("POST", "/korvane/animations/detail", "{\"path\":\"/Game/Anim/MM_Idle.MM_Idle\",\"path\":1}"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(Send("POST", "/korvane/animations/detail", std::string(100000, '{')), R"({"error":"Invalid JSON body"})");
	EXPECT_NE(Send("POST", "/korvane/animations/detail", "{\"path\":\"/Game/Anim/MM_Idle.MM_Idle\",\"x\":\"\xFF\xFE\"}").find("\"name\":\"MM_Idle\""), std::string::npos);
}
