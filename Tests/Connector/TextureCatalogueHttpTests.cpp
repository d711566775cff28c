#include "Assets/AssetFiles.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetRegistry.h"
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
