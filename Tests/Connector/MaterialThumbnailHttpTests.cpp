#include "Connector/TextureTestAssets.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	class MaterialThumbnailOverHttp : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(120));
		}

		std::shared_ptr<FJsonObject> Post(std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", "/korvane/material/thumbnail", Body);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Response ? Response->Body : std::string());
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		std::optional<FDecodedThumbnail> Decode(const std::string& DataUri)
		{
			return Editor.OnGameThread([&DataUri]() { return DecodeThumbnail(DataUri); });
		}

		std::vector<std::string> Frames(const FJsonObject& Answer)
		{
			std::vector<std::string> Result;
			if (const std::shared_ptr<FJsonValueArray> Array = Answer.TryGetArrayField("frames"))
			{
				for (const FJsonValue& Frame : *Array)
				{
					Result.push_back(Frame.AsText().value_or(""));
				}
			}
			return Result;
		}

		FTestEditor Editor{DemoProjectOptions()};
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(MaterialThumbnailOverHttp, RequestsAreCheckedInOrder)
{
	const auto Error = [this](std::string_view Body) { return FJsonSerializer::SerializeCondensed(*Post(Body)); };
	EXPECT_EQ(Error("[1]"), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Error("{}"), R"({"success":false,"error":"materialPath is required"})");
	EXPECT_EQ(Error(R"({"materialPath":""})"), R"({"success":false,"error":"materialPath is required"})");
	EXPECT_EQ(Error(R"({"materialPath":"/Other/M.M"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Error(R"({"materialPath":"/Game/Blueprints/BP_Campfire.BP_Campfire"})"),
		R"({"success":false,"error":"No material at /Game/Blueprints/BP_Campfire.BP_Campfire"})");
}

TEST_F(MaterialThumbnailOverHttp, AStillThumbnailKeepsTheEditorsSize)
{
	FLogCapture Log;
	for (const char* Body : {R"({"materialPath":"/Game/Materials/M_Master.M_Master"})", R"({"materialPath":"/Game/Materials/M_Master.M_Master","frames":1,"size":64})"})
	{
		const std::shared_ptr<FJsonObject> Answer = Post(Body);
		std::vector<std::string> Keys;
		for (const FJsonObject::FMember& Member : Answer->Values())
		{
			Keys.push_back(Member.first);
		}
		EXPECT_EQ(Keys, (std::vector<std::string>{"success", "name", "path", "width", "height", "thumbnail"})) << Body;
		EXPECT_EQ(Answer->TryGetNumberField("width"), 256.0);
		const std::optional<FDecodedThumbnail> Picture = Decode(Answer->TryGetStringField("thumbnail").value_or(""));
		ASSERT_TRUE(Picture.has_value());
		EXPECT_EQ(Picture->Width, 256);
		EXPECT_EQ(Picture->Height, 256);
	}
	const std::vector<std::string> Lines = Log.Messages("LogKorvane");
	EXPECT_TRUE(std::any_of(Lines.begin(), Lines.end(), [](const std::string& Line) {
		return Line.starts_with("Material thumbnail rendered for /Game/Materials/M_Master.M_Master (256x256, ") && Line.ends_with(" bytes compressed)");
	}));
}

TEST_F(MaterialThumbnailOverHttp, TurntableFrameCountsAndSizesAreClamped)
{
	struct FCase
	{
		const char* Members;
		std::size_t Frames;
		int Size;
	};
	for (const FCase& Case : {FCase{R"("frames":2.9)", 2, 192}, FCase{R"("frames":3,"size":10)", 3, 32}, FCase{R"("frames":2,"size":4096)", 2, 512},
			 FCase{R"("frames":500,"size":32)", 120, 32}})
	{
		FLogCapture Log;
		const std::shared_ptr<FJsonObject> Answer = Post(std::string(R"({"materialPath":"/Game/Materials/M_Master.M_Master",)") + Case.Members + "}");
		const std::vector<std::string> Got = Frames(*Answer);
		ASSERT_EQ(Got.size(), Case.Frames) << Case.Members;
		EXPECT_EQ(Answer->TryGetNumberField("width"), Case.Size) << Case.Members;
		EXPECT_EQ(Answer->TryGetStringField("thumbnail"), Got.front()) << "the first frame is the thumbnail";
		const std::optional<FDecodedThumbnail> Last = Decode(Got.back());
		ASSERT_TRUE(Last.has_value());
		EXPECT_EQ(Last->Width, Case.Size) << Case.Members;
		EXPECT_EQ(Last->Height, Case.Size) << Case.Members;
		EXPECT_TRUE(Log.Contains("Material turntable rendered for /Game/Materials/M_Master.M_Master (" + std::to_string(Case.Frames) + " frames @ " +
			std::to_string(Case.Size) + "px)"))
			<< Case.Members;
	}
}

TEST_F(MaterialThumbnailOverHttp, TurntableFramesOfATexturedMaterialDiffer)
{
	const std::vector<std::string> Got = Frames(*Post(R"({"materialPath":"/Game/Props/Materials/M_Crate.M_Crate","frames":4,"size":64})"));
	ASSERT_EQ(Got.size(), 4u);
	EXPECT_NE(Got[0], Got[1]) << "a quarter turn shows another side of the texture";
	EXPECT_NE(Got[1], Got[2]);
}

TEST_F(MaterialThumbnailOverHttp, TurntableFramesOfAUniformUnlitMaterialAreIdentical)
{
	// The glow material made unlit: only its even emissive colour shows, the same from every side
	// (quarter turns, which the preview sphere's tessellation repeats exactly).
	const std::string Relative = "Content/Materials/Special/M_EmissiveGlow.asset.json";
	std::string Text = Editor.Project().ReadFile(Relative);
	const std::string Lit = "\"MSM_DefaultLit\"";
	const std::size_t At = Text.find(Lit);
	ASSERT_NE(At, std::string::npos);
	Text.replace(At, Lit.size(), "\"MSM_Unlit\"");
	Editor.Project().WriteFile(Relative, Text);

	const std::vector<std::string> Got = Frames(*Post(R"({"materialPath":"/Game/Materials/Special/M_EmissiveGlow.M_EmissiveGlow","frames":4,"size":48})"));
	ASSERT_EQ(Got.size(), 4u);
	EXPECT_EQ(Got[0], Got[1]);
	EXPECT_EQ(Got[1], Got[2]);
	EXPECT_EQ(Got[2], Got[3]);
}

TEST_F(MaterialThumbnailOverHttp, AMaskedMaterialShowsWhatLiesBehindItsCutOuts)
{
	// The same foliage material made opaque: where its black checker squares face the camera, the
	// masked one is cut away and shows the sphere's lit far side (white squares) instead.
	const std::string Masked = Editor.Project().ReadFile("Content/Materials/Special/M_Foliage_Masked.asset.json");
	std::string Opaque = Masked;
	const std::string MaskedMode = "\"BLEND_Masked\"";
	const std::size_t At = Opaque.find(MaskedMode);
	ASSERT_NE(At, std::string::npos);
	Opaque.replace(At, MaskedMode.size(), "\"BLEND_Opaque\"");
	Editor.Project().WriteFile("Content/Materials/Special/M_Foliage_Opaque.asset.json", Opaque);

	const std::optional<FDecodedThumbnail> Cut = Decode(Post(R"({"materialPath":"/Game/Materials/Special/M_Foliage_Masked.M_Foliage_Masked"})")->TryGetStringField("thumbnail").value_or(""));
	const std::optional<FDecodedThumbnail> Solid = Decode(Post(R"({"materialPath":"/Game/Materials/Special/M_Foliage_Opaque.M_Foliage_Opaque"})")->TryGetStringField("thumbnail").value_or(""));
	ASSERT_TRUE(Cut.has_value());
	ASSERT_TRUE(Solid.has_value());
	ASSERT_EQ(Cut->Bgra.size(), Solid->Bgra.size());
	int32_t SeenThrough = 0;
	for (int32_t Y = 0; Y < Cut->Height; ++Y)
	{
		for (int32_t X = 0; X < Cut->Width; ++X)
		{
			const std::vector<int> Front = Solid->ColorAt(X, Y);
			const std::vector<int> Behind = Cut->ColorAt(X, Y);
			SeenThrough += (Front[1] < 40 && Behind[1] > 120) ? 1 : 0;
		}
	}
	EXPECT_GT(SeenThrough, Cut->Width * Cut->Height / 50) << "pixels where a dark square was cut away and the far side shows";
}

TEST_F(MaterialThumbnailOverHttp, ACubeMapMaterialShowsTheSkyCubesColours)
{
	// M_SkyReflection glows with its sky cube (blue faces) over the darkened cliff texture.
	const std::optional<FDecodedThumbnail> Picture =
		Decode(Post(R"({"materialPath":"/Game/Materials/Special/M_SkyReflection.M_SkyReflection"})")->TryGetStringField("thumbnail").value_or(""));
	ASSERT_TRUE(Picture.has_value());
	const std::vector<int> Centre = Picture->ColorAt(Picture->Width / 2, Picture->Height / 2);
	EXPECT_GT(Centre[0], 120) << "blue";
	EXPECT_GT(Centre[0], Centre[2] + 40) << "bluer than red";
	EXPECT_EQ(Picture->ColorAt(2, 2), (std::vector<int>{0, 0, 0})) << "the corner stays background";
}
