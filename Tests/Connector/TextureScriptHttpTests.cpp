#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/Base64.h"
#include "Core/Log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
	/** Copies its payload beside the project for the test to read, then writes the given result. */
	std::string ScriptKeepingPayloadAndWriting(std::string_view ResultText)
	{
		return "import shutil, os\n"
			   "shutil.copyfile(__kv_payload_path, os.path.join(os.path.dirname(__kv_payload_path), 'seen_payload.json'))\n"
			   "open(__kv_result_path, 'w', encoding='utf-8').write(r'''" +
			std::string(ResultText) + "''')\n";
	}

	class TextureScriptOverHttp : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			FTestEditorOptions Options;
			Options.bEmbeddedPython = true;
			Editor = std::make_unique<FTestEditor>(Options);
			Editor->Serve();
			Client = std::make_unique<FTestHttpClient>(Editor->Port(), std::chrono::seconds(30));
		}

		void Ship(std::string_view Script, std::string_view Text)
		{
			Editor->Project().WriteFile("Plugins/KorvaneConnector/Resources/" + std::string(Script), Text);
		}

		std::string Post(std::string_view Path, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Path, Body);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::string SeenPayload() const { return Editor->Project().ReadFile("Intermediate/Korvane/seen_payload.json"); }

		std::unique_ptr<FTestEditor> Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	// "QUJD" is "ABC".
	constexpr std::string_view GoodEntry = R"({"filename":"T_Rock.tga","base64":"QUJD","targetPath":"/Game/Imported","settings":{"sRGB":false,"lodGroup":"TEXTUREGROUP_World"}})";
}

TEST_F(TextureScriptOverHttp, ImportRefusesUnusableEntriesAndPassesTheRestOn)
{
	FLogCapture Log;
	Ship("_kv_texture_import.py", ScriptKeepingPayloadAndWriting(R"({"success": true, "results": [{"success": true, "path": "/Game/Imported/T_Rock"}]})"));

	EXPECT_EQ(Post("/korvane/textures/import", R"({"textures":[{"filename":"T.tga","base64":"QUJD","targetPath":"/Engine/X"}]})"),
		R"({"success":false,"error":"No valid textures to import after decoding"})");
	EXPECT_TRUE(Log.Contains("Rejecting non-/Game/ target path: /Engine/X"));

	const std::string Body = std::string(R"({"textures":[)") + R"({"filename":"../evil.tga","base64":"QUJD","targetPath":"/Game/X"},)" +
		R"({"filename":"a\\b.tga","base64":"QUJD","targetPath":"/Game/X"},)" + R"({"filename":"C:x.tga","base64":"QUJD","targetPath":"/Game/X"},)" + R"({"filename":" .. ","base64":"QUJD","targetPath":"/Game/X"},)" +
		R"({"filename":"Bad.tga","base64":"!!!!","targetPath":"/game/X"},)" + R"({"filename":"NoSettings.tga","base64":"QUJD","targetPath":"/Game/X"},)" +
		std::string(GoodEntry) + "]}";
	EXPECT_EQ(Post("/korvane/textures/import", Body), R"({"success":true,"results":[{"success":true,"path":"/Game/Imported/T_Rock"}]})");
	EXPECT_TRUE(Log.Contains("Rejecting unsafe file name: ../evil.tga"));
	EXPECT_TRUE(Log.Contains("Rejecting unsafe file name: a\\b.tga"));
	EXPECT_TRUE(Log.Contains("Rejecting unsafe file name: C:x.tga"));
	EXPECT_TRUE(Log.Contains("Rejecting unsafe file name:  .. "));
	EXPECT_TRUE(Log.Contains("Base64 decode failed for Bad.tga"));
	EXPECT_TRUE(Log.Contains("Importing 2 bundled textures..."));

	const std::string Payload = SeenPayload();
	EXPECT_THAT(Payload, HasSubstr(R"("settings":{"sRGB":false,"lodGroup":"TEXTUREGROUP_World"})"));
	EXPECT_THAT(Payload, Not(HasSubstr("evil")));
	EXPECT_THAT(Payload, HasSubstr(R"("filename":"NoSettings.tga")"));
	EXPECT_FALSE(Editor->Project().Exists("Intermediate/evil.tga"));
	EXPECT_FALSE(Editor->Project().Exists("Intermediate/KorvaneImport/evil.tga"));
}

TEST_F(TextureScriptOverHttp, ScriptOutcomesAnswerTheirTexts)
{
	const std::string ImportBody = "{\"textures\":[" + std::string(GoodEntry) + "]}";
	Ship("_kv_texture_import.py", "pass\n");
	EXPECT_EQ(Post("/korvane/textures/import", ImportBody),
		R"({"success":false,"error":"Texture import script did not produce a result file. Check UE Output Log."})");
	Ship("_kv_texture_import.py", ScriptKeepingPayloadAndWriting("[1]"));
	EXPECT_EQ(Post("/korvane/textures/import", ImportBody), R"({"success":false,"error":"Invalid JSON in texture import result"})");
	Ship("_kv_texture_import.py", ScriptKeepingPayloadAndWriting(R"({"success": false, "error": "nothing imported", "results": []})"));
	EXPECT_EQ(Post("/korvane/textures/import", ImportBody), R"({"success":false,"error":"nothing imported","results":[]})");
	Ship("_kv_texture_import.py", ScriptKeepingPayloadAndWriting(R"({"success": true})"));
	EXPECT_EQ(Post("/korvane/textures/import", ImportBody), R"({"success":true})");

	Ship("_kv_texture_export.py", ScriptKeepingPayloadAndWriting(R"({"success": true, "results": []})"));
	EXPECT_EQ(Post("/korvane/textures/export", R"({"paths":[]})"), R"({"success":false,"error":"Missing or empty 'paths' array"})");
	EXPECT_EQ(Post("/korvane/textures/export", R"({"paths":["/Game/T.T"],"outputDir":"/tmp/elsewhere","format":"tga"})"),
		R"({"success":true,"results":[]})");
	const std::string Payload = SeenPayload();
	EXPECT_THAT(Payload, HasSubstr(R"("format":"tga")"));
	EXPECT_THAT(Payload, Not(HasSubstr("/tmp/elsewhere")));
	EXPECT_THAT(Payload, HasSubstr("KorvaneExport"));
}

TEST(TextureScriptRoundTrip, ExportedTgaImportsIntoAnotherFolderWithTheRealScripts)
{
	FTestEditorOptions Options = DemoProjectOptions();
	Options.bEmbeddedPython = true;
	Options.ConnectorPluginDir = std::string(KORVANE_PLUGIN_DIR) + "/";
	FTestEditor Editor(Options);
	Editor.Serve();
	FTestHttpClient Client(Editor.Port(), std::chrono::seconds(60));

	const std::optional<FTestHttpResponse> Exported = Client.Request("POST", "/korvane/textures/export", R"({"paths":["/Game/Textures/T_Checker.T_Checker"]})");
	ASSERT_TRUE(Exported);
	ASSERT_THAT(Exported->Body, HasSubstr(R"("success":true,"results":[{"success":true)")) << Exported->Body;
	const std::size_t FilePathAt = Exported->Body.find(R"("filePath":")") + 12;
	const std::string FilePath = Exported->Body.substr(FilePathAt, Exported->Body.find('"', FilePathAt) - FilePathAt);
	std::ifstream File(FilePath, std::ios::binary);
	const std::string Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
	ASSERT_FALSE(Bytes.empty()) << FilePath;

	const std::string Body = R"({"textures":[{"filename":"T_Checker.tga","base64":")" + FBase64::Encode(Bytes) + R"(","targetPath":"/Game/Imported"}]})";
	const std::optional<FTestHttpResponse> Imported = Client.Request("POST", "/korvane/textures/import", Body);
	ASSERT_TRUE(Imported);
	EXPECT_THAT(Imported->Body, HasSubstr(R"("success":true,"results":[{"success":true)")) << Imported->Body;
	EXPECT_THAT(Imported->Body, HasSubstr("/Game/Imported/T_Checker"));
	EXPECT_TRUE(std::filesystem::is_empty(Editor.Project().PathOf("Intermediate/KorvaneImport"))) << "the session folder is gone";
}

TEST(TextureScriptsOverHttp, AnswerWithoutPythonAndWithoutTheirScripts)
{
	{
		FTestEditor Editor;
		Editor.Serve();
		FTestHttpClient Client(Editor.Port(), std::chrono::seconds(30));
		for (const char* Route : {"/korvane/textures/export", "/korvane/textures/import"})
		{
			const std::string Body = std::string_view(Route).ends_with("export") ? R"({"paths":["/Game/T.T"]})" : "{\"textures\":[" + std::string(GoodEntry) + "]}";
			const std::optional<FTestHttpResponse> Response = Client.Request("POST", Route, Body);
			ASSERT_TRUE(Response.has_value()) << Route;
			EXPECT_EQ(Response->Body, R"({"success":false,"error":"Python Editor Script Plugin is not enabled or initialized."})") << Route;
		}
		EXPECT_FALSE(std::filesystem::exists(Editor.Project().PathOf("Intermediate/KorvaneImport"))) << "nothing was written";
	}

	FTestEditorOptions Options;
	Options.bEmbeddedPython = true;
	FTestEditor Editor(Options);
	Editor.Serve();
	FTestHttpClient Client(Editor.Port(), std::chrono::seconds(30));
	const std::optional<FTestHttpResponse> Export = Client.Request("POST", "/korvane/textures/export", R"({"paths":["/Game/T.T"]})");
	ASSERT_TRUE(Export.has_value());
	EXPECT_THAT(Export->Body, HasSubstr(R"({"success":false,"error":"Texture export script not found at )"));
	const std::optional<FTestHttpResponse> Import = Client.Request("POST", "/korvane/textures/import", "{\"textures\":[" + std::string(GoodEntry) + "]}");
	ASSERT_TRUE(Import.has_value());
	EXPECT_THAT(Import->Body, HasSubstr(R"({"success":false,"error":"Texture import script not found at )"));
	const std::filesystem::path ImportRoot = Editor.Project().PathOf("Intermediate/KorvaneImport");
	EXPECT_TRUE(!std::filesystem::exists(ImportRoot) || std::filesystem::is_empty(ImportRoot)) << "the session's import folder is removed";
}
