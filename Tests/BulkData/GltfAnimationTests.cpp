#include "BulkData/GltfTestScenes.h"
#include "Meshes/Gltf/GltfAxes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	/** The skinned triangle with one animation whose channels the test writes; Samplers lists (input, output, interpolation). */
	std::vector<FAnimSequenceData> BuildAnimations(FSkinnedTriangleScene& Scene, const std::string& Channels, const std::string& Samplers)
	{
		const std::string Animation = "\"animations\":[{\"name\":\"Wave\",\"channels\":[" + Channels + "],\"samplers\":[" + Samplers + "]}]";
		return LoadGltfText(Scene.File.Json(Scene.Members(Animation))).BuildAnimations(30.0).value();
	}

	std::string Sampler(int Input, int Output, const char* Interpolation)
	{
		return "{\"input\":" + std::to_string(Input) + ",\"output\":" + std::to_string(Output) + ",\"interpolation\":\"" + Interpolation + "\"}";
	}
}

TEST(GltfAnimationTest, ResamplesOverTheKeySpanAndConvertsTracks)
{
	FSkinnedTriangleScene Scene;
	const int OneSecond = Scene.File.AddFloats({0, 1}, "SCALAR");
	const int TwoSeconds = Scene.File.AddFloats({0, 2}, "SCALAR");
	const int Lift = Scene.File.AddFloats({0, 0.5f, 0, 0, 1.5f, 0}, "VEC3");
	const float Half = static_cast<float>(std::sqrt(0.5));
	const int Turn = Scene.File.AddFloats({0, 0, 0, 1, 0, Half, 0, Half}, "VEC4");
	const int Smile = Scene.File.AddFloats({0, 1}, "SCALAR");
	const std::vector<FAnimSequenceData> Sequences = BuildAnimations(Scene,
		"{\"sampler\":0,\"target\":{\"node\":0,\"path\":\"translation\"}},{\"sampler\":1,\"target\":{\"node\":1,\"path\":\"rotation\"}},"
		"{\"sampler\":2,\"target\":{\"node\":2,\"path\":\"weights\"}}",
		Sampler(OneSecond, Lift, "LINEAR") + "," + Sampler(OneSecond, Turn, "STEP") + "," + Sampler(TwoSeconds, Smile, "LINEAR"));
	ASSERT_EQ(Sequences.size(), 1u);
	const FAnimSequenceData& Wave = Sequences[0];
	EXPECT_EQ(Wave.Name, "Wave");
	EXPECT_EQ(Wave.NumberOfFrames, 60);
	EXPECT_EQ(Wave.NumberOfKeys, 61);
	EXPECT_DOUBLE_EQ(Wave.PlayLength, 2.0);

	ASSERT_EQ(Wave.BoneTracks.size(), 2u);
	const FBoneAnimationTrack& Hips = Wave.BoneTracks[0];
	const FBoneAnimationTrack& Spine = Wave.BoneTracks[1];
	EXPECT_EQ(Hips.Name, "Hips");
	EXPECT_EQ(Spine.BoneTreeIndex, 1);
	ASSERT_EQ(Spine.InternalTrackData.PosKeys.size(), 61u);
	// Half a second in, the linear lift is halfway: glTF y 1.0 m, editor Z 100 cm; after its last key it holds.
	EXPECT_NEAR(Spine.InternalTrackData.PosKeys[15].Z, 100.0, 1e-3);
	EXPECT_NEAR(Spine.InternalTrackData.PosKeys[60].Z, 150.0, 1e-3);
	// Spine's rotation has no channel: it keeps its rest pose.
	EXPECT_TRUE(Spine.InternalTrackData.RotKeys[15].Equals(GltfAxes::ConvertRotation(FQuat{0, Half, 0, Half}), 1e-5));
	// Stepped rotation holds the first key until the second one's time.
	EXPECT_TRUE(Hips.InternalTrackData.RotKeys[29].Equals(FQuat::Identity(), 1e-6));
	EXPECT_TRUE(Hips.InternalTrackData.RotKeys[30].Equals(GltfAxes::ConvertRotation(FQuat{0, Half, 0, Half}), 1e-5));
	EXPECT_NEAR(Hips.InternalTrackData.PosKeys[0].Z, 100.0, 1e-3);

	ASSERT_EQ(Wave.Curves.size(), 1u);
	EXPECT_EQ(Wave.Curves[0].Name, "Smile");
	ASSERT_EQ(Wave.Curves[0].Values.size(), 61u);
	EXPECT_FLOAT_EQ(Wave.Curves[0].Values[30], 0.5f);
}

TEST(GltfAnimationTest, CubicSplineUsesTangentsScaledByKeyInterval)
{
	FSkinnedTriangleScene Scene;
	const int Times = Scene.File.AddFloats({0, 2}, "SCALAR");
	// Per key: in-tangent, value, out-tangent. Y goes 0 -> 1 m with an out-tangent of 1 m/s at the start.
	const int Values = Scene.File.AddFloats({0, 0, 0, 0, 0, 0, 0, 1, 0, /* key 1 */ 0, 0, 0, 0, 1, 0, 0, 0, 0}, "VEC3");
	const std::vector<FAnimSequenceData> Sequences = BuildAnimations(Scene, "{\"sampler\":0,\"target\":{\"node\":0,\"path\":\"translation\"}}", Sampler(Times, Values, "CUBICSPLINE"));
	const FRawAnimSequenceTrack& Track = Sequences.at(0).BoneTracks.at(0).InternalTrackData;
	// Midway: 0.125 * 2 s * 1 m/s + 0.5 * 1 m = 0.75 m.
	EXPECT_NEAR(Track.PosKeys.at(30).Z, 75.0, 1e-3);
	EXPECT_NEAR(Track.PosKeys.at(60).Z, 100.0, 1e-3);
}
