#include "Connector/TextureTestAssets.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

namespace
{
	class TextureAnalysisOverHttp : public ::testing::Test
	{
	protected:
		void Serve()
		{
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(30));
		}

		std::string PostText(std::string_view Route, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Route, Body);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::shared_ptr<FJsonObject> Analyse(std::string_view Path)
		{
			std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(PostText("/korvane/texture/analyse", R"({"path":")" + std::string(Path) + R"("})"));
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	std::vector<std::string> KeysOf(const FJsonObject& Object)
	{
		std::vector<std::string> Keys;
		for (const auto& [Key, Value] : Object.Values())
		{
			Keys.push_back(Key);
		}
		return Keys;
	}

	/** The range object's four numbers, in the answer's order. */
	std::vector<double> RangeOf(const FJsonObject& Analysis, std::string_view Channel)
	{
		const std::shared_ptr<FJsonObject> ChannelInfo = Analysis.TryGetObjectField("channelInfo");
		const std::shared_ptr<FJsonObject> Range = ChannelInfo ? ChannelInfo->TryGetObjectField(Channel) : nullptr;
		if (!Range)
		{
			return {};
		}
		std::vector<double> Numbers;
		for (const auto& [Key, Value] : Range->Values())
		{
			Numbers.push_back(Value.TryGetNumber().value_or(-1.0));
		}
		return Numbers;
	}

	std::vector<double> Range(float Min, float Max)
	{
		return {Min, Max, (Min + Max) * 0.5f, Max - Min};
	}

	const std::vector<std::string> SettingsKeys = {"name", "path", "success", "resolution", "format", "sRGB", "hasAlpha", "compressionSettings",
		"normalizeNormals", "flipGreenChannel", "mipGenSettings", "memoryBytes", "hasChannelData"};

	std::vector<std::string> WithChannelKeys()
	{
		std::vector<std::string> Keys = SettingsKeys;
		Keys.insert(Keys.end(), {"channelInfo", "dominantColor", "brightness", "contrast", "temperature"});
		return Keys;
	}
}

TEST_F(TextureAnalysisOverHttp, AFullChainIsTheColourOfItsOneByOneMip)
{
	Editor.OnGameThread([]() {
		// Every mip white except the 1×1 one: only the smallest mip is read.
		const std::vector<uint8_t> Mips = MakeSourceMips(1024, 1024, 11, TSF_BGRA8, [](int32_t MipIndex, int32_t SizeX, int32_t SizeY, uint8_t* Pixels) {
			if (MipIndex == 10)
			{
				FillPixels(Pixels, 1, {50, 100, 200, 255});
			}
			else
			{
				FillPixels(Pixels, static_cast<int64_t>(SizeX) * SizeY, {255, 255, 255, 255});
			}
		});
		NewTestTexture2D("/Game/Textures/T_Brick", 1024, 1024, 11, TSF_BGRA8, Mips);
	});
	Serve();

	const std::shared_ptr<FJsonObject> Analysis = Analyse("/Game/Textures/T_Brick.T_Brick");
	EXPECT_EQ(KeysOf(*Analysis), WithChannelKeys());
	EXPECT_EQ(Analysis->TryGetStringField("name"), "T_Brick");
	EXPECT_EQ(Analysis->TryGetStringField("path"), "/Game/Textures/T_Brick.T_Brick");
	EXPECT_EQ(Analysis->TryGetBoolField("success"), true);
	const std::shared_ptr<FJsonValueArray> Resolution = Analysis->TryGetArrayField("resolution");
	ASSERT_NE(Resolution, nullptr);
	EXPECT_EQ(Resolution->size(), 2U);
	EXPECT_EQ(Resolution->front().TryGetNumber(), 1024.0);
	EXPECT_EQ(Resolution->back().TryGetNumber(), 1024.0);
	EXPECT_EQ(Analysis->TryGetStringField("format"), "DXT1") << "an opaque source with default compression";
	EXPECT_EQ(Analysis->TryGetBoolField("sRGB"), true);
	EXPECT_EQ(Analysis->TryGetBoolField("hasAlpha"), true) << "the negation of compression-without-alpha, which is off";
	EXPECT_EQ(Analysis->TryGetStringField("compressionSettings"), "TC_Default");
	EXPECT_EQ(Analysis->TryGetStringField("mipGenSettings"), "TMGS_FromTextureGroup");
	// DXT1 blocks of 8 bytes per 4×4 pixels for the eleven mips; the last three mips are one block each.
	EXPECT_EQ(Analysis->TryGetNumberField("memoryBytes"), 524288.0 + 131072 + 32768 + 8192 + 2048 + 512 + 128 + 32 + 8 + 8 + 8);
	EXPECT_EQ(Analysis->TryGetBoolField("hasChannelData"), true);

	EXPECT_EQ(RangeOf(*Analysis, "R"), Range(200 / 255.0f, 200 / 255.0f));
	EXPECT_EQ(RangeOf(*Analysis, "G"), Range(100 / 255.0f, 100 / 255.0f));
	EXPECT_EQ(RangeOf(*Analysis, "B"), Range(50 / 255.0f, 50 / 255.0f));
	EXPECT_EQ(RangeOf(*Analysis, "A"), Range(1.0f, 1.0f));
	EXPECT_EQ(Analysis->TryGetStringField("dominantColor"), "#C86432");
	EXPECT_NEAR(Analysis->TryGetNumberField("brightness").value_or(-1), (0.299 * 200 + 0.587 * 100 + 0.114 * 50) / 255, 1e-6);
	EXPECT_EQ(Analysis->TryGetStringField("contrast"), "low");
	EXPECT_EQ(Analysis->TryGetStringField("temperature"), "warm");
}

TEST_F(TextureAnalysisOverHttp, AGreyTextureWithoutMipsIsWalkedWhole)
{
	Editor.OnGameThread([]() {
		// Black on the left half, white on the right.
		const std::vector<uint8_t> Pixels = MakeSourceMips(256, 256, 1, TSF_G8, [](int32_t, int32_t SizeX, int32_t SizeY, uint8_t* Out) {
			for (int32_t Index = 0; Index < SizeX * SizeY; ++Index)
			{
				Out[Index] = Index % SizeX < SizeX / 2 ? 0 : 255;
			}
		});
		NewTestTexture2D("/Game/T_Split", 256, 256, 1, TSF_G8, Pixels, [](UTexture2D& Texture) {
			Texture.MipGenSettings = TMGS_NoMipmaps;
			Texture.SRGB = false;
			Texture.CompressionSettings = TC_Grayscale;
		});
	});
	Serve();

	const std::shared_ptr<FJsonObject> Analysis = Analyse("/Game/T_Split.T_Split");
	EXPECT_EQ(KeysOf(*Analysis), WithChannelKeys());
	EXPECT_EQ(Analysis->TryGetStringField("format"), "G8");
	EXPECT_EQ(Analysis->TryGetBoolField("sRGB"), false);
	EXPECT_EQ(Analysis->TryGetStringField("compressionSettings"), "TC_Grayscale");
	EXPECT_EQ(Analysis->TryGetStringField("mipGenSettings"), "TMGS_NoMipmaps");
	EXPECT_EQ(Analysis->TryGetNumberField("memoryBytes"), 256.0 * 256);
	for (const char* Channel : {"R", "G", "B"})
	{
		EXPECT_EQ(RangeOf(*Analysis, Channel), std::vector<double>({0, 1, 0.5, 1})) << Channel;
	}
	EXPECT_EQ(RangeOf(*Analysis, "A"), std::vector<double>({1, 1, 1, 0}));
	EXPECT_EQ(Analysis->TryGetStringField("dominantColor"), "#808080") << "0.5 × 255 rounds half up";
	EXPECT_EQ(Analysis->TryGetNumberField("brightness"), 0.5);
	EXPECT_EQ(Analysis->TryGetStringField("contrast"), "high");
	EXPECT_EQ(Analysis->TryGetStringField("temperature"), "neutral");
}

TEST_F(TextureAnalysisOverHttp, SourcesItCannotReadKeepTheSettings)
{
	Editor.OnGameThread([]() {
		NewTestTexture2D("/Game/T_Half", 64, 64, 1, TSF_RGBA16F, {}, [](UTexture2D& Texture) {
			Texture.CompressionSettings = TC_HDR;
			Texture.CompressionNoAlpha = true;
		});
		NewTestTexture2D("/Game/T_Height", 64, 64, 1, TSF_G16, std::vector<uint8_t>(64 * 64 * 2, 0xFF), [](UTexture2D& Texture) {
			Texture.CompressionSettings = TC_Displacementmap;
			Texture.bFlipGreenChannel = true;
			Texture.bNormalizeNormals = true;
		});
		NewTestAsset<UTexture2D>("/Game/T_NoSource");
	});
	Serve();

	const std::shared_ptr<FJsonObject> Half = Analyse("/Game/T_Half.T_Half");
	EXPECT_EQ(KeysOf(*Half), SettingsKeys) << "16-bit float: no channel data and none of its keys";
	EXPECT_EQ(Half->TryGetBoolField("hasChannelData"), false);
	EXPECT_EQ(Half->TryGetBoolField("hasAlpha"), false);
	EXPECT_EQ(Half->TryGetStringField("compressionSettings"), "TC_HDR");
	EXPECT_EQ(Half->TryGetStringField("format"), "FloatRGBA");

	const std::shared_ptr<FJsonObject> Height = Analyse("/Game/T_Height.T_Height");
	EXPECT_EQ(Height->TryGetStringField("compressionSettings"), "TC_Other") << "displacement maps have no name of their own";
	EXPECT_EQ(Height->TryGetBoolField("flipGreenChannel"), true);
	EXPECT_EQ(Height->TryGetBoolField("normalizeNormals"), true);
	EXPECT_EQ(Height->TryGetBoolField("hasChannelData"), true);
	EXPECT_EQ(Height->TryGetStringField("dominantColor"), "#000000") << "16-bit grey reads as opaque black, whatever its values";
	EXPECT_EQ(RangeOf(*Height, "R"), std::vector<double>({0, 0, 0, 0}));
	EXPECT_EQ(RangeOf(*Height, "A"), std::vector<double>({1, 1, 1, 0}));
	EXPECT_EQ(Height->TryGetNumberField("brightness"), 0.0);

	EXPECT_EQ(PostText("/korvane/texture/analyse", R"({"path":"/Game/T_NoSource.T_NoSource"})"),
		R"({"name":"T_NoSource","path":"/Game/T_NoSource.T_NoSource","success":true,"resolution":[0,0],"format":"unknown","sRGB":true,)"
		R"("hasAlpha":true,"compressionSettings":"TC_Default","normalizeNormals":false,"flipGreenChannel":false,)"
		R"("mipGenSettings":"TMGS_FromTextureGroup","memoryBytes":0,"hasChannelData":false})")
		<< "a texture without source art answers its settings";
}

TEST_F(TextureAnalysisOverHttp, BatchAnswersBadElementsInPlace)
{
	Editor.OnGameThread([]() { NewTestTexture2D("/Game/T_Grey", 4, 4, 1, TSF_G8, std::vector<uint8_t>(16, 51)); });
	Serve();

	const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(PostText("/korvane/texture/analyse/batch",
		R"({"paths":["/Game/T_Grey.T_Grey",{"path":"/Game/T_Grey.T_Grey"},"/Game/T_Gone.T_Gone","/Temp/T_Grey.T_Grey"]})"));
	ASSERT_NE(Answer, nullptr);
	EXPECT_EQ(KeysOf(*Answer), std::vector<std::string>({"results", "count"}));
	const std::shared_ptr<FJsonValueArray> Results = Answer->TryGetArrayField("results");
	ASSERT_NE(Results, nullptr);
	ASSERT_EQ(Results->size(), 4U);
	EXPECT_EQ(Answer->TryGetNumberField("count"), 4.0);
	EXPECT_EQ((*Results)[0].TryGetObject()->TryGetStringField("dominantColor"), "#333333");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[1].TryGetObject()), R"({"path":"","error":"Invalid path"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[2].TryGetObject()), R"({"path":"/Game/T_Gone.T_Gone","error":"Texture not found"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*(*Results)[3].TryGetObject()), R"({"path":"/Temp/T_Grey.T_Grey","error":"Invalid path"})");
}

TEST_F(TextureAnalysisOverHttp, AnswersEveryRequestErrorAlone)
{
	Serve();
	for (const std::string_view Route : {"/korvane/texture/analyse", "/korvane/texture/analyse/batch"})
	{
		EXPECT_EQ(PostText(Route, "{"), R"({"error":"Invalid JSON body"})") << Route;
		EXPECT_EQ(PostText(Route, "[]"), R"({"error":"Invalid JSON body"})") << Route;
	}
	EXPECT_EQ(PostText("/korvane/texture/analyse", "{}"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(PostText("/korvane/texture/analyse", R"({"path":"/Game"})"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(PostText("/korvane/texture/analyse", R"({"path":"/Engine/EngineMaterials/Missing.Missing"})"), R"({"error":"Texture not found"})");
	EXPECT_EQ(PostText("/korvane/texture/analyse/batch", R"({"path":"/Game/T.T"})"), R"({"error":"Missing 'paths' array"})");
}
