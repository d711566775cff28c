#include "Support/ChildProcess.h"
#include "Support/TestHttpClient.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

using ::testing::HasSubstr;

// A machine where EGL finds no driver: the editor still starts and serves, the material
// thumbnail route answers its failure text, and routes that draw nothing are unaffected.
TEST(KorvaneEditorWithoutGraphics, ServesEveryRouteAndFailsOnlyTheRenderedOnes)
{
	// The vendor-neutral EGL loader reads its drivers from this list; a missing file leaves it none.
	// The variable is set only while the editor starts, so it reaches that editor alone.
	ASSERT_EQ(setenv("__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent/egl_vendor.json", 1), 0);
	FChildProcess Server(KORVANE_EDITOR_BINARY, {"serve", "--project", KORVANE_DEMO_PROJECT_DIR, "--port", "0", "--mcp-port", "0"});
	unsetenv("__EGL_VENDOR_LIBRARY_FILENAMES");
	const std::optional<std::string> Banner = Server.WaitForOutputLine("/korvane/status", std::chrono::seconds(30));
	ASSERT_TRUE(Banner.has_value()) << Server.Errors();
	const uint16_t Port = static_cast<uint16_t>(std::stoi(Banner->substr(Banner->find("127.0.0.1:") + 10)));
	FTestHttpClient Client(Port, std::chrono::seconds(60));

	for (const char* Body : {R"({"materialPath":"/Game/Materials/M_Master.M_Master"})", R"({"materialPath":"/Game/Materials/M_Master.M_Master","frames":8,"size":64})"})
	{
		const std::optional<FTestHttpResponse> Thumbnail = Client.Request("POST", "/korvane/material/thumbnail", Body);
		ASSERT_TRUE(Thumbnail.has_value());
		EXPECT_EQ(Thumbnail->Status, 200);
		EXPECT_EQ(Thumbnail->Body, R"({"success":false,"error":"Thumbnail render failed"})") << Body;
	}

	const std::optional<FTestHttpResponse> Texture = Client.Request("POST", "/korvane/textures/thumbnail", R"({"path":"/Game/Textures/T_CrateWood.T_CrateWood","size":64})");
	ASSERT_TRUE(Texture.has_value());
	EXPECT_THAT(Texture->Body, HasSubstr(R"("thumbnail":"data:image/jpeg;base64,)"));
	const std::optional<FTestHttpResponse> Detail = Client.Request("POST", "/korvane/materials/detail", R"({"path":"/Game/Materials/M_Master.M_Master"})");
	ASSERT_TRUE(Detail.has_value());
	EXPECT_THAT(Detail->Body, HasSubstr(R"("scalarParameters":[)"));

	Server.Signal(SIGINT);
	EXPECT_EQ(Server.WaitForExit(std::chrono::seconds(10)), 0);
	EXPECT_THAT(Server.Errors(), HasSubstr("no OpenGL 4.5 device"));
}
