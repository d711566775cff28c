#include "Connector/TextureTestAssets.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
	class TextureThumbnailsOverHttp : public ::testing::Test
	{
	protected:
		void Serve()
		{
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(30));
		}

		std::shared_ptr<FJsonObject> Post(std::string_view Route, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Route, Body);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Response ? Response->Body : std::string());
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		std::string PostText(std::string_view Route, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Route, Body);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		/** The single route's thumbnail of the texture, decoded. */
		std::optional<FDecodedThumbnail> Thumbnail(std::string_view Path, std::string_view MaxSizeMember = {})
		{
			std::string Body = R"({"path":")" + std::string(Path) + "\"";
			if (!MaxSizeMember.empty())
			{
				Body += "," + std::string(MaxSizeMember);
			}
			const std::shared_ptr<FJsonObject> Answer = Post("/korvane/textures/thumbnail", Body + "}");
			const std::string Text = Answer->TryGetStringField("thumbnail").value_or("");
			return Editor.OnGameThread([&Text]() { return DecodeThumbnail(Text); });
		}

		static bool IsNear(const std::vector<int>& Actual, const std::vector<int>& Expected, int Tolerance = 3)
		{
			for (std::size_t Index = 0; Index < Expected.size(); ++Index)
			{
				if (std::abs(Actual[Index] - Expected[Index]) > Tolerance)
				{
					return false;
				}
			}
			return true;
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	/** Mip k of a BGRA texture painted in a colour of its own, so a thumbnail tells which mip it read. */
	std::vector<int> MipColor(int32_t MipIndex)
	{
		return {16 * MipIndex, 200 - 10 * MipIndex, 40 + 5 * MipIndex};
	}

	std::vector<uint8_t> MipsPaintedByIndex(int32_t Size, int32_t NumMips)
	{
		return MakeSourceMips(Size, Size, NumMips, TSF_BGRA8, [](int32_t MipIndex, int32_t MipSizeX, int32_t MipSizeY, uint8_t* Pixels) {
			const std::vector<int> Color = MipColor(MipIndex);
			FillPixels(Pixels, static_cast<int64_t>(MipSizeX) * MipSizeY,
				{static_cast<uint8_t>(Color[0]), static_cast<uint8_t>(Color[1]), static_cast<uint8_t>(Color[2]), 255});
		});
	}
}

TEST_F(TextureThumbnailsOverHttp, ReadsTheSmallestMipThatStillReachesTheLimit)
{
	Editor.OnGameThread([]() {
		NewTestTexture2D("/Game/Textures/T_Huge", 4096, 4096, 13, TSF_BGRA8, MipsPaintedByIndex(4096, 13));
		NewTestTexture2D("/Game/Textures/T_Small", 64, 64, 7, TSF_BGRA8, MipsPaintedByIndex(64, 7));
	});
	Serve();

	const std::optional<FDecodedThumbnail> Huge = Thumbnail("/Game/Textures/T_Huge.T_Huge");
	ASSERT_TRUE(Huge.has_value());
	EXPECT_EQ(Huge->Width, 256);
	EXPECT_EQ(Huge->Height, 256);
	EXPECT_TRUE(IsNear(Huge->ColorAt(128, 128), MipColor(4))) << "mip 4 (256 x 256) is read as it is";

	const std::optional<FDecodedThumbnail> AtLimit = Thumbnail("/Game/Textures/T_Huge.T_Huge", R"("maxSize":300)");
	ASSERT_TRUE(AtLimit.has_value());
	EXPECT_EQ(AtLimit->Width, 300);
	EXPECT_TRUE(IsNear(AtLimit->ColorAt(10, 10), MipColor(3))) << "mip 3 (512) is the last to reach 300, then it is shrunk";

	const std::optional<FDecodedThumbnail> Small = Thumbnail("/Game/Textures/T_Small.T_Small");
	ASSERT_TRUE(Small.has_value());
	EXPECT_EQ(Small->Width, 64);
	EXPECT_EQ(Small->Height, 64);
	EXPECT_TRUE(IsNear(Small->ColorAt(32, 32), MipColor(0))) << "no mip reaches 256: mip 0, not enlarged";
}

TEST_F(TextureThumbnailsOverHttp, ShrinksByTheLongerEdgeAndClampsTheLimit)
{
	Editor.OnGameThread([]() {
		// Left third red, the rest blue: the resampled picture keeps the split where it was.
		const std::vector<uint8_t> Wide = MakeSourceMips(300, 100, 1, TSF_BGRA8, [](int32_t, int32_t SizeX, int32_t SizeY, uint8_t* Pixels) {
			for (int32_t Y = 0; Y < SizeY; ++Y)
			{
				for (int32_t X = 0; X < SizeX; ++X)
				{
					uint8_t* Pixel = Pixels + (static_cast<std::size_t>(Y) * SizeX + X) * 4;
					const bool bRed = X < 100;
					Pixel[0] = bRed ? 0 : 255;
					Pixel[1] = 0;
					Pixel[2] = bRed ? 255 : 0;
					Pixel[3] = 255;
				}
			}
		});
		NewTestTexture2D("/Game/T_Wide", 300, 100, 1, TSF_BGRA8, Wide);
		NewTestTexture2D("/Game/T_Flat", 1024, 512, 1, TSF_G8, std::vector<uint8_t>(1024 * 512, 90));
	});
	Serve();

	const std::optional<FDecodedThumbnail> Wide = Thumbnail("/Game/T_Wide.T_Wide");
	ASSERT_TRUE(Wide.has_value());
	EXPECT_EQ(Wide->Width, 256);
	EXPECT_EQ(Wide->Height, 85);
	EXPECT_TRUE(IsNear(Wide->ColorAt(80, 40), {0, 0, 255}, 12));
	EXPECT_TRUE(IsNear(Wide->ColorAt(90, 40), {255, 0, 0}, 12));

	const auto SizeAt = [this](std::string_view MaxSizeMember) {
		const std::optional<FDecodedThumbnail> Decoded = Thumbnail("/Game/T_Flat.T_Flat", MaxSizeMember);
		return Decoded ? std::to_string(Decoded->Width) + "x" + std::to_string(Decoded->Height) : std::string("none");
	};
	EXPECT_EQ(SizeAt(R"("maxSize":8)"), "32x16") << "raised to 32";
	EXPECT_EQ(SizeAt(R"("maxSize":4000)"), "512x256") << "lowered to 512";
	EXPECT_EQ(SizeAt(R"("maxSize":100.7)"), "100x50") << "truncated";
	EXPECT_EQ(SizeAt(R"("maxSize":"64")"), "256x128") << "a maxSize that is no number counts as absent";
}

TEST_F(TextureThumbnailsOverHttp, ConvertsGreyAndBgraSourcesAndRefusesTheOthers)
{
	Editor.OnGameThread([]() {
		NewTestTexture2D("/Game/T_Grey", 64, 64, 1, TSF_G8, std::vector<uint8_t>(64 * 64, 200));
		std::vector<uint8_t> Transparent(64 * 64 * 4);
		FillPixels(Transparent.data(), 64 * 64, {30, 120, 220, 0});
		NewTestTexture2D("/Game/T_Transparent", 64, 64, 1, TSF_BGRA8, Transparent);
		NewTestTexture2D("/Game/T_Half", 64, 64, 1, TSF_RGBA16F, {});
		NewTestTexture2D("/Game/T_Grey16", 64, 64, 1, TSF_G16, {});
		NewTestAsset<UTexture2D>("/Game/T_NoSource");
	});
	Serve();

	const std::optional<FDecodedThumbnail> Grey = Thumbnail("/Game/T_Grey.T_Grey");
	ASSERT_TRUE(Grey.has_value());
	EXPECT_TRUE(IsNear(Grey->ColorAt(5, 5), {200, 200, 200}));
	const std::optional<FDecodedThumbnail> Transparent = Thumbnail("/Game/T_Transparent.T_Transparent");
	ASSERT_TRUE(Transparent.has_value());
	EXPECT_TRUE(IsNear(Transparent->ColorAt(5, 5), {30, 120, 220})) << "colour kept although alpha is 0";

	for (const std::string Name : {"T_Half", "T_Grey16", "T_NoSource"})
	{
		const std::string Path = "/Game/" + Name + "." + Name;
		EXPECT_EQ(PostText("/korvane/textures/thumbnail", R"({"path":")" + Path + R"("})"),
			R"({"name":")" + Name + R"(","path":")" + Path
				+ R"(","thumbnail":"","thumbnailError":"Could not generate thumbnail — source data may not be available"})")
			<< "16-bit float, 16-bit grey and missing sources give no thumbnail";
	}
}

TEST_F(TextureThumbnailsOverHttp, BatchAnswersEveryElementInOrderAtOneLimit)
{
	Editor.OnGameThread([]() {
		NewTestTexture2D("/Game/T_Grey", 600, 300, 1, TSF_G8, std::vector<uint8_t>(600 * 300, 128));
		NewTestTexture2D("/Game/T_Half", 64, 64, 1, TSF_RGBA16F, {});
		NewTestAsset<UMaterial>("/Game/M_NotATexture");
	});
	Serve();

	const std::shared_ptr<FJsonObject> Answer = Post("/korvane/textures/thumbnail/batch",
		R"({"paths":["/Game/T_Grey.T_Grey",7,"/Game/M_NotATexture.M_NotATexture","/Game/../T_Grey.T_Grey","/Game/T_Half.T_Half"],"maxSize":64})");
	const std::shared_ptr<FJsonValueArray> Results = Answer->TryGetArrayField("results");
	ASSERT_NE(Results, nullptr);
	ASSERT_EQ(Results->size(), 5U);
	EXPECT_EQ(Answer->TryGetNumberField("count"), 5.0);

	const std::shared_ptr<FJsonObject> Grey = (*Results)[0].TryGetObject();
	EXPECT_EQ(Grey->TryGetStringField("path"), "/Game/T_Grey.T_Grey");
	EXPECT_EQ(Grey->TryGetStringField("name"), "T_Grey");
	const std::string GreyText = Grey->TryGetStringField("thumbnail").value_or("");
	const std::optional<FDecodedThumbnail> Decoded = Editor.OnGameThread([&GreyText]() { return DecodeThumbnail(GreyText); });
	ASSERT_TRUE(Decoded.has_value());
	EXPECT_EQ(Decoded->Width, 64) << "maxSize applies to every element";
	EXPECT_EQ(Decoded->Height, 32);

	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[1].TryGetObject()), R"({"path":"","error":"Invalid path"})")
		<< "an element that is no string reads as empty text";
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[2].TryGetObject()),
		R"({"path":"/Game/M_NotATexture.M_NotATexture","error":"Texture not found"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[3].TryGetObject()), R"({"path":"/Game/../T_Grey.T_Grey","error":"Invalid path"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[4].TryGetObject()), R"({"path":"/Game/T_Half.T_Half","name":"T_Half","thumbnail":""})")
		<< "the batch never adds thumbnailError";
}

TEST_F(TextureThumbnailsOverHttp, AnswersEveryRequestErrorAlone)
{
	Editor.OnGameThread([]() { NewTestAsset<UMaterial>("/Game/M_NotATexture"); });
	Serve();

	for (const std::string_view Route : {"/korvane/textures/thumbnail", "/korvane/textures/thumbnail/batch"})
	{
		EXPECT_EQ(PostText(Route, ""), R"({"error":"Invalid JSON body"})") << Route;
		EXPECT_EQ(PostText(Route, R"(["/Game/T.T"])"), R"({"error":"Invalid JSON body"})") << Route;
	}
	EXPECT_EQ(PostText("/korvane/textures/thumbnail", R"({"path":7})"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(PostText("/korvane/textures/thumbnail", R"({"path":"Game/T.T"})"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(PostText("/korvane/textures/thumbnail", R"({"path":"/Game/T_Missing.T_Missing"})"), R"({"error":"Texture not found"})");
	EXPECT_EQ(PostText("/korvane/textures/thumbnail", R"({"path":"/Game/M_NotATexture.M_NotATexture"})"), R"({"error":"Texture not found"})");
	EXPECT_EQ(PostText("/korvane/textures/thumbnail/batch", R"({"paths":"/Game/T.T"})"), R"({"error":"Missing 'paths' array"})");
	EXPECT_EQ(PostText("/korvane/textures/thumbnail/batch", R"({"paths":[]})"), R"({"results":[],"count":0})");
}
