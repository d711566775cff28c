#include "Connector/ControlRigHttpTestSupport.h"

#include "Core/Base64.h"
#include "Imaging/ImageWrapperModule.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstdlib>

using ::testing::ElementsAre;

namespace
{
	/** A decoded picture: 8-bit BGRA, rows top to bottom. */
	struct FPicture
	{
		int32_t Width = 0;
		int32_t Height = 0;
		std::vector<uint8_t> Bgra;

		/** The mean of R, G and B of the pixel. */
		double Brightness(int32_t X, int32_t Y) const
		{
			const std::size_t At = (static_cast<std::size_t>(Y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(X)) * 4;
			return (Bgra[At] + Bgra[At + 1] + Bgra[At + 2]) / 3.0;
		}
		double MeanBrightness() const
		{
			double Sum = 0.0;
			for (std::size_t At = 0; At + 3 < Bgra.size(); At += 4)
			{
				Sum += (Bgra[At] + Bgra[At + 1] + Bgra[At + 2]) / 3;
			}
			return Bgra.empty() ? 0.0 : Sum / static_cast<double>(Bgra.size() / 4);
		}
		/** The mean difference of the pictures' channels (0 ... 255). */
		double MeanDifference(const FPicture& Other) const
		{
			double Sum = 0.0;
			for (std::size_t At = 0; At < Bgra.size() && At < Other.Bgra.size(); ++At)
			{
				Sum += std::abs(Bgra[At] - Other.Bgra[At]);
			}
			return Bgra.empty() ? 0.0 : Sum / static_cast<double>(Bgra.size());
		}
	};

	/** The JPEG of a "data:image/jpeg;base64,..." URL, decoded; an empty picture when it is none. */
	FPicture DecodeDataUrl(const std::string& Url)
	{
		constexpr std::string_view Prefix = "data:image/jpeg;base64,";
		if (!Url.starts_with(Prefix))
		{
			return {};
		}
		const std::optional<std::vector<uint8_t>> Jpeg = FBase64::Decode(std::string_view(Url).substr(Prefix.size()));
		FImageWrapperModule Module;
		const std::shared_ptr<IImageWrapper> Reader = Module.CreateImageWrapper(EImageFormat::JPEG);
		FPicture Picture;
		if (Jpeg && Reader->SetCompressed(Jpeg->data(), static_cast<int64_t>(Jpeg->size())) && Reader->GetRaw(ERGBFormat::BGRA, 8, Picture.Bgra))
		{
			Picture.Width = Reader->GetWidth();
			Picture.Height = Reader->GetHeight();
		}
		return Picture;
	}

	class ControlRigSnapshotOverHttp : public ControlRigRouteTest
	{
	protected:
		std::shared_ptr<FJsonObject> Snapshot(std::string_view Path, std::string_view Options = {})
		{
			return PostPath("/korvane/controlrig/snapshot", Path, Options);
		}

		static FPicture View(const FJsonObject& Answer, std::string_view Name)
		{
			const std::shared_ptr<FJsonObject> Images = Answer.TryGetObjectField("images");
			return DecodeDataUrl(Images ? Images->TryGetStringField(Name).value_or("") : "");
		}

		static double Debug(const FJsonObject& Answer, std::string_view Key)
		{
			const std::shared_ptr<FJsonObject> Values = Answer.TryGetObjectField("debug");
			return Values ? Values->TryGetNumberField(Key).value_or(-1.0) : -1.0;
		}
	};

	constexpr double CameraDistancePerRadius = 1.9918585;
	/** Controls of the demo mannequin rig whose shape shows: all but the two hidden channels. */
	constexpr double MannequinShapes = 6.0;
}

TEST_F(ControlRigSnapshotOverHttp, PosedRigRendersEightViewsWithItsControlShapes)
{
	Start();
	const std::shared_ptr<FJsonObject> Answer = Snapshot(MannequinRigPath);
	EXPECT_EQ(KeysOf(*Answer), (std::vector<std::string>{"images", "debug", "count", "success"}));
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetNumberField("count"), 8.0);
	ASSERT_NE(Answer->TryGetObjectField("images"), nullptr);
	EXPECT_THAT(KeysOf(*Answer->TryGetObjectField("images")), ElementsAre("front", "back", "left", "right", "top", "bottom", "persp1", "persp2"));

	const std::shared_ptr<FJsonObject> Values = Answer->TryGetObjectField("debug");
	ASSERT_NE(Values, nullptr);
	EXPECT_THAT(KeysOf(*Values), ElementsAre("bonesPosed", "controlShapes", "boundsRadius", "boundsOrigin", "camDist", "front_luma", "back_luma", "left_luma",
		"right_luma", "top_luma", "bottom_luma", "persp1_luma", "persp2_luma"));
	EXPECT_EQ(Debug(*Answer, "bonesPosed"), 21.0);
	EXPECT_EQ(Debug(*Answer, "controlShapes"), MannequinShapes);
	const double Radius = Debug(*Answer, "boundsRadius");
	EXPECT_GT(Radius, 80.0) << "the mannequin is 1.8 m tall";
	EXPECT_DOUBLE_EQ(Debug(*Answer, "camDist"), Radius * CameraDistancePerRadius);
	EXPECT_THAT(*Values->TryGetStringField("boundsOrigin"), ::testing::MatchesRegex(R"(V\(X=-?[0-9]+\.[0-9][0-9], Y=[0-9]+\.[0-9][0-9], Z=9[0-9]\.[0-9][0-9]\))"));

	for (const std::string& Name : KeysOf(*Answer->TryGetObjectField("images")))
	{
		const FPicture Picture = View(*Answer, Name);
		EXPECT_EQ(Picture.Width, 512) << Name;
		EXPECT_EQ(Picture.Height, 512) << Name;
		// The brightness reported is the picture's before JPEG coding, which moves a mean by a level or two at most.
		EXPECT_NEAR(Debug(*Answer, Name + "_luma"), Picture.MeanBrightness(), 3.0) << Name;
	}
}

TEST_F(ControlRigSnapshotOverHttp, SizeIsHeldBetween64And1024)
{
	Start();
	const FPicture Small = View(*Snapshot(MannequinRigPath, R"("size":10)"), "front");
	EXPECT_EQ(Small.Width, 64);
	EXPECT_EQ(Small.Height, 64);
	const FPicture Large = View(*Snapshot(MannequinRigPath, R"("size":5000,"controls":false)"), "persp1");
	EXPECT_EQ(Large.Width, 1024);
	EXPECT_EQ(Large.Height, 1024);
}

TEST_F(ControlRigSnapshotOverHttp, BindPoseShowsTheRestPoseWithoutShapesUnlessAskedAndTheSolveMovesTheArms)
{
	Start();
	const std::string Small = R"("size":128,)";
	const std::shared_ptr<FJsonObject> Posed = Snapshot(MannequinRigPath, Small + R"("controls":false)");
	const std::shared_ptr<FJsonObject> Bind = Snapshot(MannequinRigPath, Small + R"("pose":"Bind","controlValues":{"arm_r_raise":-1})");
	EXPECT_EQ(Debug(*Bind, "bonesPosed"), 0.0);
	EXPECT_EQ(Debug(*Bind, "controlShapes"), 0.0) << "control shapes are off in the bind pose by default";
	EXPECT_EQ(Debug(*Posed, "bonesPosed"), 21.0);
	EXPECT_EQ(Debug(*Posed, "controlShapes"), 0.0);
	// The forwards solve bends the left arm and raises the right one: the same view without shapes differs.
	EXPECT_GT(View(*Posed, "front").MeanDifference(View(*Bind, "front")), 0.5);

	const std::shared_ptr<FJsonObject> BindWithShapes = Snapshot(MannequinRigPath, Small + R"("pose":"bind","controls":true)");
	EXPECT_EQ(Debug(*BindWithShapes, "bonesPosed"), 0.0);
	EXPECT_EQ(Debug(*BindWithShapes, "controlShapes"), MannequinShapes);
	EXPECT_GT(View(*BindWithShapes, "front").MeanDifference(View(*Bind, "front")), 0.5);
}

TEST_F(ControlRigSnapshotOverHttp, ControlValuesChangeThePoseAndOthersAreSkipped)
{
	Start();
	const std::string Options = R"("size":128,"controls":false,"controlValues":)";
	const std::shared_ptr<FJsonObject> Default = Snapshot(MannequinRigPath, Options + "{}");
	const std::shared_ptr<FJsonObject> Lowered = Snapshot(MannequinRigPath, Options + R"({"arm_r_raise":-1})");
	EXPECT_GT(View(*Lowered, "front").MeanDifference(View(*Default, "front")), 0.5) << "the right arm goes down instead of up";
	// A key that names no control, a bone's name and a value that is no number change nothing.
	const std::shared_ptr<FJsonObject> Ignored = Snapshot(MannequinRigPath, Options + R"({"no_such_control":1,"upperarm_r":-1,"arm_r_raise":"down"})");
	EXPECT_EQ(Condensed(*Ignored->TryGetObjectField("images")), Condensed(*Default->TryGetObjectField("images")));
}

TEST_F(ControlRigSnapshotOverHttp, BottomViewLeavesTheGroundOut)
{
	Start();
	const std::shared_ptr<FJsonObject> Answer = Snapshot(MannequinRigPath, R"("size":128)");
	const FPicture Front = View(*Answer, "front");
	const FPicture Bottom = View(*Answer, "bottom");
	ASSERT_EQ(Front.Width, 128);
	ASSERT_EQ(Bottom.Width, 128);
	// Seen from the front, the sky above the horizon is the background and the ground below it is lit.
	const double Background = Front.Brightness(2, 2);
	EXPECT_GT(Front.Brightness(2, 125), Background + 40.0);
	// From below, every corner shows the background: no ground stands between the camera and the rig.
	for (const auto& [X, Y] : {std::pair{2, 2}, std::pair{125, 2}, std::pair{2, 125}, std::pair{125, 125}})
	{
		EXPECT_NEAR(Bottom.Brightness(X, Y), Background, 4.0) << X << "," << Y;
	}
}

TEST_F(ControlRigSnapshotOverHttp, SmallMeshIsFramedAsTenCentimetresAndUnlistedLibrariesFallBackToTheDefault)
{
	// A 5 cm skinned triangle on one bone, and a rig on it with a control but no shape library of its own.
	Editor.Project().WriteFile("Content/Tests/Pebble.gltf", R"({"asset":{"version":"2.0"},
		"buffers":[{"byteLength":104,"uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAzcxMPQAAAAAAAAAAAAAAAM3MTD0AAAAAAAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAAAAAAAAAAAAAAAIA/AAAAAAAAAAAAAAAAAAABAAIAAAA="}],
		"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":12},{"buffer":0,"byteOffset":48,"byteLength":48},{"buffer":0,"byteOffset":96,"byteLength":6}],
		"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[0.05,0.05,0]},{"bufferView":1,"componentType":5121,"count":3,"type":"VEC4"},
			{"bufferView":2,"componentType":5126,"count":3,"type":"VEC4"},{"bufferView":3,"componentType":5123,"count":3,"type":"SCALAR"}],
		"meshes":[{"name":"Pebble","primitives":[{"attributes":{"POSITION":0,"JOINTS_0":1,"WEIGHTS_0":2},"indices":3}]}],
		"nodes":[{"name":"root"},{"name":"Pebble","mesh":0,"skin":0}],"skins":[{"joints":[0]}],"scenes":[{"nodes":[0,1]}],"scene":0})");
	Editor.Project().WriteFile("Content/Tests/SKM_Pebble.asset.json", R"({"class": "/Script/Engine.SkeletalMesh", "source": "Pebble.gltf"})");
	const std::string Path = WriteRig("CR_Pebble", R"("previewMesh": "/Game/Tests/SKM_Pebble.SKM_Pebble", "hierarchy": [
		{"type": "Bone", "name": "root"},
		{"type": "Control", "name": "ctrl", "parent": {"type": "Bone", "name": "root"}, "control": {"shapeName": "Circle_Thin"}},
		{"type": "Control", "name": "unknown_shape", "control": {"shapeName": "NoSuchShape"}}])");
	Start();
	const std::shared_ptr<FJsonObject> Answer = Snapshot(Path, R"("size":64)");
	EXPECT_EQ(Answer->TryGetBoolField("success"), true) << Condensed(*Answer);
	EXPECT_LT(Debug(*Answer, "boundsRadius"), 10.0);
	EXPECT_DOUBLE_EQ(Debug(*Answer, "camDist"), 10.0 * CameraDistancePerRadius);
	EXPECT_EQ(Debug(*Answer, "bonesPosed"), 1.0);
	EXPECT_EQ(Debug(*Answer, "controlShapes"), 2.0) << "the default library draws both, the unknown name with its default shape";
}

TEST_F(ControlRigSnapshotOverHttp, FailuresCarrySuccessFalseAndTheBlueprintNotFoundCaseWritesItsErrorFirst)
{
	Start();
	const auto AnswerOf = [this](std::string_view Body) { return Condensed(*Post("/korvane/controlrig/snapshot", Body)); };
	EXPECT_EQ(AnswerOf("[]"), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(AnswerOf(R"({"size":64})"), R"({"success":false,"error":"Missing or invalid 'path'"})");
	EXPECT_EQ(AnswerOf(R"({"path":"/Rigs/CR_Mannequin.CR_Mannequin"})"), R"({"success":false,"error":"Missing or invalid 'path'"})");
	EXPECT_EQ(AnswerOf(R"({"path":"/Game/Rigs/CR_Missing.CR_Missing"})"), R"({"error":"Control Rig Blueprint not found at path","success":false})");
	EXPECT_EQ(AnswerOf(R"({"path":"/Game/Rigs/CR_NoPreviewMesh.CR_NoPreviewMesh"})"), R"({"success":false,"error":"Rig has no preview mesh to render"})");
}
