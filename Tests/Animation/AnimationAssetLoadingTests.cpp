#include "Support/TestEditor.h"

#include "Animation/AnimMontage.h"
#include "Animation/AnimSequence.h"
#include "Assets/AssetData.h"
#include "Assets/AssetFiles.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

namespace
{
	class AnimationAssetLoading : public ::testing::Test
	{
	protected:
		void Write(std::string_view Relative, std::string_view ClassName, std::string_view Fields)
		{
			WriteAsset(Editor.Project(), Relative, "/Script/Engine." + std::string(ClassName), {}, Fields);
		}

		template <typename T>
		T* Load(std::string_view Name)
		{
			return LoadObject<T>("/Game/Anim/" + std::string(Name) + "." + std::string(Name));
		}

		FTestEditor Editor{HostOnly()};
	};
}

TEST_F(AnimationAssetLoading, AdditiveValidityFollowsTheBasePoseItNeeds)
{
	Write("Anim/Base", "AnimSequence", R"("frames":10)");
	const std::pair<std::string_view, bool> Cases[] = {
		{R"("additiveAnimType":"AAT_None","refPoseType":"ABPT_RefPose")", false},
		{R"("additiveAnimType":"AAT_LocalSpaceBase","refPoseType":"ABPT_None")", false},
		{R"("additiveAnimType":"AAT_LocalSpaceBase","refPoseType":"ABPT_RefPose")", true},
		{R"("additiveAnimType":"AAT_RotationOffsetMeshSpace","refPoseType":"ABPT_AnimScaled")", false},
		{R"("additiveAnimType":"AAT_RotationOffsetMeshSpace","refPoseType":"ABPT_AnimScaled","refPoseSeq":"/Game/Anim/Base.Base")", true},
		{R"("additiveAnimType":"AAT_LocalSpaceBase","refPoseType":"ABPT_AnimFrame","refPoseSeq":"/Game/Anim/Base.Base","refFrameIndex":-1)", false},
		{R"("additiveAnimType":"AAT_LocalSpaceBase","refPoseType":"ABPT_LocalAnimFrame","refPoseSeq":"/Game/Anim/Base.Base","refFrameIndex":3)", true},
		{R"("additiveAnimType":"AAT_LocalSpaceBase","refPoseType":"ABPT_AnimFrame","refPoseSeq":"/Game/Anim/Missing.Missing")", false},
	};
	int Index = 0;
	for (const auto& [Fields, bValid] : Cases)
	{
		const std::string Name = "Additive_" + std::to_string(Index++);
		Write("Anim/" + Name, "AnimSequence", R"("frames":10,)" + std::string(Fields));
		const UAnimSequence* Sequence = Load<UAnimSequence>(Name);
		ASSERT_NE(Sequence, nullptr) << Fields;
		EXPECT_EQ(Sequence->IsValidAdditive(), bValid) << Fields;
	}
}

TEST_F(AnimationAssetLoading, MontageLengthIsWhereTheLastSegmentEnds)
{
	Write("Anim/Clip", "AnimSequence", R"("frames":60,"sampleRate":30)");
	Write("Anim/Combo", "AnimMontage",
		R"("slotAnimTracks":[{"slotName":"DefaultSlot","segments":[{"animation":"/Game/Anim/Clip.Clip","startPos":0.5,"animStartTime":0.5,"playRate":-0.5,"loopingCount":2}]},)"
		R"({"slotName":"UpperBody","segments":[{"animation":"/Game/Anim/Clip.Clip"}]}])");
	const UAnimMontage* Montage = Load<UAnimMontage>("Combo");
	ASSERT_NE(Montage, nullptr);
	// 2 loops of (2 - 0.5) s at half speed backwards, starting at 0.5 s.
	EXPECT_DOUBLE_EQ(Montage->GetPlayLength(), 6.5);
	EXPECT_EQ(Montage->SlotAnimTracks[1].AnimSegments[0].AnimEndTime, 2.0);

	Write("Anim/Frozen", "AnimMontage", R"("slotAnimTracks":[{"segments":[{"animation":"/Game/Anim/Clip.Clip","playRate":0}]}])");
	EXPECT_EQ(Load<UAnimMontage>("Frozen"), nullptr);
}

TEST_F(AnimationAssetLoading, FaultyFieldsAndHostileSourcesDoNotLoad)
{
	Editor.Project().WriteFile("Secret.gltf", R"({"asset":{"version":"2.0"},"nodes":[{"name":"A"}],"skins":[{"joints":[0]}]})");
	const std::pair<std::string_view, std::string_view> Cases[] = {
		{"Skeleton", R"("source":"../../Secret.gltf")"},
		{"Skeleton", R"("source":"/etc/passwd")"},
		{"Skeleton", R"("source":"Missing.gltf")"},
		{"Skeleton", R"("source":42)"},
		{"Skeleton", ""},
		{"AnimSequence", R"("frames":-1)"},
		{"AnimSequence", R"("sampleRate":0)"},
		{"AnimSequence", R"("sampleRate":1e308)"},
		{"AnimSequence", R"("additiveAnimType":"AAT_Sideways")"},
		{"AnimSequence", R"("notifies":[{"name":"A","notify":{"class":"/Script/Engine.AnimNotifyState_Trail"}}])"},
		{"AnimSequence", R"("notifies":[{"name":"A","notify":{"class":"/Script/Engine.AnimNotify"}}])"},
		{"AnimSequence", R"("notifies":[{"notify":{"class":"/Script/Engine.AnimNotify_PlaySound","name":"N"}},{"notify":{"class":"/Script/Engine.AnimNotify_PlaySound","name":"N"}}])"},
		{"AnimSequence", R"("notifies":[{"notify":{"class":"/Script/Engine.AnimNotify_PlaySound","name":"Bad.Name"}}])"},
		{"AnimSequence", R"("notifies":[1])"},
		{"BlendSpace", R"("blendParameters":[{},{},{},{}])"},
		{"SkeletalMesh", R"("materials":[{"slotName":"Body","material":"not a path"}])"},
		{"SkeletalMesh", R"("lodInfo":[{"useHighPrecisionTangentBasis":"yes"}])"},
	};
	int Index = 0;
	for (const auto& [ClassName, Fields] : Cases)
	{
		const std::string Name = "Faulty_" + std::to_string(Index++);
		Write("Anim/" + Name, ClassName, Fields);
		EXPECT_EQ(StaticLoadObject(nullptr, "/Game/Anim/" + Name + "." + Name), nullptr) << ClassName << " " << Fields;
	}
}

TEST_F(AnimationAssetLoading, AssetsPublishTheirSkeletonAsTheRegistryDoes)
{
	Editor.Project().WriteFile("Content/Anim/Rig.gltf", R"({"asset":{"version":"2.0"},"nodes":[{"name":"Root"}],"skins":[{"joints":[0]}]})");
	Write("Anim/SK_Rig", "Skeleton", R"("source":"Rig.gltf")");
	Write("Anim/Run", "AnimSequence", R"("skeleton":"/Game/Anim/SK_Rig.SK_Rig","notifies":[{"name":"Step","notify":{"class":"/Script/Engine.AnimNotify_PlaySound"}}])");
	const UAnimSequence* Run = Load<UAnimSequence>("Run");
	ASSERT_NE(Run, nullptr);
	const FAssetData Data(*Run);
	std::string Tag;
	ASSERT_TRUE(Data.GetTagValue("Skeleton", Tag));
	EXPECT_EQ(Tag, "/Game/Anim/SK_Rig.SK_Rig");
	ASSERT_EQ(Run->Notifies.size(), 1u);
	ASSERT_NE(Run->Notifies[0].Notify, nullptr);
	EXPECT_EQ(Run->Notifies[0].Notify->GetPathName(), "/Game/Anim/Run.Run:AnimNotify_PlaySound_0");
	EXPECT_EQ(Run->Notifies[0].Notify->GetClass()->GetName(), "AnimNotify_PlaySound");
}
