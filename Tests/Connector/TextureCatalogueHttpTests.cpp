#include "Assets/AssetFiles.h"
#include "Connector/TextureTestAssets.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetRegistry.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

TEST(TextureCatalogueOverHttp, ListsGameTexture2DAssetsWithTheirTagsWithoutLoadingThem)
{
	FTestEditor Editor;
	FTestProject& Project = Editor.Project();
	// Only the headers matter to the listing: the sources named by these files do not exist.
	WriteAsset(Project, "Textures/T_Rock", "/Script/Engine.Texture2D", {{"Dimensions", "2048x1024"}, {"Format", "DXT1"}}, R"("source":"T_Rock.png")");
	WriteAsset(Project, "Textures/Nested/Deeper/T_Moss", "/Script/Engine.Texture2D", {{"Format", "BC5"}});
	WriteAsset(Project, "Textures/T_Untagged", "/Script/Engine.Texture2D");
	WriteAsset(Project, "Textures/T_Lightmap", "/Script/Engine.LightMapTexture2D", {{"Dimensions", "64x64"}});
	WriteAsset(Project, "Textures/T_Sky", "/Script/Engine.TextureCube", {{"Dimensions", "512x512"}});
	WriteAsset(Project, "Textures/RT_Capture", "/Script/Engine.TextureRenderTarget2D");
	Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
	Editor.Serve();
	FTestHttpClient Client(Editor.Port());

	const std::optional<FTestHttpResponse> Response = Client.Request("GET", "/korvane/textures");
	ASSERT_TRUE(Response.has_value());
	EXPECT_EQ(Response->Status, 200);
	EXPECT_EQ(Response->Body,
		R"({"textures":[)"
		R"({"name":"T_Rock","path":"/Game/Textures/T_Rock.T_Rock","packagePath":"/Game/Textures","dimensions":"2048x1024","format":"DXT1"},)"
		R"({"name":"T_Untagged","path":"/Game/Textures/T_Untagged.T_Untagged","packagePath":"/Game/Textures"},)"
		R"({"name":"T_Moss","path":"/Game/Textures/Nested/Deeper/T_Moss.T_Moss","packagePath":"/Game/Textures/Nested/Deeper","format":"BC5"}],)"
		R"("count":3})")
		<< "exactly Texture2D: its subclass, cubes, render targets and the engine's own textures are left out";
	EXPECT_EQ(Editor.OnGameThread([]() { return FindObject<UObject>(nullptr, "/Game/Textures/T_Rock.T_Rock"); }), nullptr) << "nothing was loaded";
}

TEST(TextureCatalogueOverHttp, TheDemoProjectsTexturesAreListedPreviewedAndAnalysed)
{
	FTestEditor Editor(DemoProjectOptions());
	Editor.Serve();
	FTestHttpClient Client(Editor.Port(), std::chrono::seconds(30));

	const std::optional<FTestHttpResponse> Listing = Client.Request("GET", "/korvane/textures");
	ASSERT_TRUE(Listing.has_value());
	const std::shared_ptr<FJsonObject> List = FJsonSerializer::DeserializeObject(Listing->Body);
	ASSERT_NE(List, nullptr);
	EXPECT_EQ(List->TryGetNumberField("count"), 11.0) << "every Texture2D under /Game; the cube and the render target are other kinds";
	EXPECT_NE(Listing->Body.find(R"({"name":"T_CliffFace","path":"/Game/Textures/Environment/Cliffs/T_CliffFace.T_CliffFace",)"
								 R"("packagePath":"/Game/Textures/Environment/Cliffs","dimensions":"64x64","format":"DXT1"})"),
		std::string::npos);
	EXPECT_EQ(Listing->Body.find("TC_SkyCube"), std::string::npos);
	EXPECT_EQ(Listing->Body.find("RT_Minimap"), std::string::npos);

	const std::optional<FTestHttpResponse> Batch = Client.Request("POST", "/korvane/textures/thumbnail/batch",
		R"({"paths":["/Game/Textures/T_Terrain_4K.T_Terrain_4K","/Game/Textures/T_Banner.T_Banner","/Game/Textures/T_Mask_G8.T_Mask_G8",)"
		R"("/Game/Textures/T_Height_G16.T_Height_G16","/Game/Textures/T_Sky_HDR.T_Sky_HDR"]})");
	ASSERT_TRUE(Batch.has_value());
	const std::shared_ptr<FJsonObject> Thumbnails = FJsonSerializer::DeserializeObject(Batch->Body);
	ASSERT_NE(Thumbnails, nullptr);
	const std::shared_ptr<FJsonValueArray> Results = Thumbnails->TryGetArrayField("results");
	ASSERT_NE(Results, nullptr);
	ASSERT_EQ(Results->size(), 5u);
	const auto Decoded = [&](std::size_t Index) {
		const std::string Text = (*Results)[Index].TryGetObject()->TryGetStringField("thumbnail").value_or("");
		return Editor.OnGameThread([Text]() { return DecodeThumbnail(Text); });
	};
	const std::optional<FDecodedThumbnail> Terrain = Decoded(0);
	ASSERT_TRUE(Terrain.has_value());
	EXPECT_EQ(Terrain->Width, 256);
	EXPECT_EQ(Terrain->Height, 256);
	const std::optional<FDecodedThumbnail> Banner = Decoded(1);
	ASSERT_TRUE(Banner.has_value());
	EXPECT_EQ(Banner->Width, 256);
	EXPECT_EQ(Banner->Height, 85);
	const std::optional<FDecodedThumbnail> Mask = Decoded(2);
	ASSERT_TRUE(Mask.has_value());
	EXPECT_EQ(Mask->Width, 64) << "not enlarged";
	EXPECT_FALSE(Decoded(3).has_value()) << "16-bit grey has no thumbnail";
	EXPECT_FALSE(Decoded(4).has_value()) << "half float has no thumbnail";

	const std::optional<FTestHttpResponse> Analysed = Client.Request("POST", "/korvane/texture/analyse", R"({"path":"/Game/Textures/T_Terrain_4K.T_Terrain_4K"})");
	ASSERT_TRUE(Analysed.has_value());
	const std::shared_ptr<FJsonObject> Analysis = FJsonSerializer::DeserializeObject(Analysed->Body);
	ASSERT_NE(Analysis, nullptr);
	EXPECT_EQ(Analysis->TryGetStringField("dominantColor"), "#5A7D3C") << "the 1×1 mip: the average of the checker's two colours";
	EXPECT_EQ(Analysis->TryGetStringField("mipGenSettings"), "TMGS_LeaveExistingMips");
	EXPECT_EQ(Analysis->TryGetNumberField("memoryBytes"), 11184824.0);
}
