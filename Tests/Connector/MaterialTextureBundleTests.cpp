#include "Support/TestEditor.h"

#include "Endpoints/MaterialTextureBundle.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Objects/ObjectGlobals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
	/**
	 * An export script that writes the first texture as a file of FirstSize bytes and every
	 * other as an empty file, and adds a failed entry and one without a file path.
	 */
	std::string ExportScript(long long FirstSize)
	{
		return "import json, os, shutil\n"
			   "p = json.load(open(__kv_payload_path, encoding='utf-8'))\n"
			   "shutil.copyfile(__kv_payload_path, os.path.join(os.path.dirname(__kv_payload_path), 'seen_payload.json'))\n"
			   "os.makedirs(p['outputDir'], exist_ok=True)\n"
			   "res = []\n"
			   "for i, path in enumerate(p['paths']):\n"
			   "    name = path.rsplit('.', 1)[-1] + ('.TGA' if i == 0 else '.tga')\n"
			   "    f = os.path.join(p['outputDir'], name)\n"
			   "    open(f, 'wb').write(b'x' * (" + std::to_string(FirstSize) + " if i == 0 else 0))\n"
			   "    res.append({'success': True, 'filePath': f, 'filename': name, 'path': path, 'settings': {'sRGB': True}})\n"
			   "res.append({'success': False, 'filePath': '/x.tga', 'filename': 'x.tga', 'path': '/Game/X'})\n"
			   "res.append({'success': True, 'filePath': '', 'filename': 'y.tga', 'path': '/Game/Y'})\n"
			   "json.dump({'success': True, 'results': res}, open(__kv_result_path, 'w', encoding='utf-8'))\n";
	}

	class MaterialTextureBundle : public ::testing::Test
	{
	protected:
		// Each test bundles into a temp folder of its own, so tests running side by side never share files.
		MaterialTextureBundle() : Editor(Options())
		{
			const char* const Previous = std::getenv("TMPDIR");
			PreviousTempDir = Previous ? std::optional<std::string>(Previous) : std::nullopt;
			setenv("TMPDIR", Editor.Project().PathOf("Temp").c_str(), 1);
		}
		~MaterialTextureBundle() override
		{
			if (PreviousTempDir)
			{
				setenv("TMPDIR", PreviousTempDir->c_str(), 1);
			}
			else
			{
				unsetenv("TMPDIR");
			}
		}

		static FTestEditorOptions Options()
		{
			FTestEditorOptions Result = DemoProjectOptions();
			Result.bEmbeddedPython = true;
			return Result;
		}

		std::shared_ptr<FJsonObject> Bundle(long long FirstSize)
		{
			Editor.Project().WriteFile("Plugins/KorvaneConnector/Resources/_kv_texture_export.py", ExportScript(FirstSize));
			auto Payload = std::make_shared<FJsonObject>();
			BundleMaterialTextures(LoadObject<UMaterial>("/Game/Materials/M_Master.M_Master"), Payload);
			return Payload;
		}

		FTestEditor Editor;
		std::optional<std::string> PreviousTempDir;
	};
}

TEST(MaterialTextureBundlePaths, EngineContentInAnyCase)
{
	EXPECT_TRUE(IsEngineContentPath("/engine/T.T"));
	EXPECT_TRUE(IsEngineContentPath("/EditorResources/T.T"));
	EXPECT_TRUE(IsEngineContentPath("/ENGINEMESHES/T.T"));
	EXPECT_FALSE(IsEngineContentPath("/Game/Engine/T.T"));
	EXPECT_FALSE(IsEngineContentPath("/Engine"));
}

TEST_F(MaterialTextureBundle, InlineUpToTheLimitWithEmptyAndFailedEntriesLeftOut)
{
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Payload = Bundle(BundleInlineLimitBytes);
	const std::string Text = FJsonSerializer::SerializeCondensed(*Payload);
	ASSERT_THAT(Text, HasSubstr(R"("bundledAssets":{"files":{)"));
	EXPECT_THAT(Text, HasSubstr(R"("totalBytes":33554432})"));
	EXPECT_THAT(Text, Not(HasSubstr("diskFile")));
	EXPECT_THAT(Text, Not(HasSubstr("x.tga")));
	EXPECT_THAT(Text, Not(HasSubstr("y.tga")));
	EXPECT_THAT(Text, HasSubstr(R"("format":"TGA","settings":{"sRGB":true}})"));
	EXPECT_THAT(Text, Not(HasSubstr(R"(.TGA","format")"))) << "a final .tga of any case is cut from the derived originalName";
	EXPECT_TRUE(Log.Contains("Bundled 1 textures (33554432 bytes, inline)"));

	const std::string Seen = Editor.Project().ReadFile("Intermediate/Korvane/seen_payload.json");
	EXPECT_THAT(Seen, Not(HasSubstr("/Engine/")));
	const std::vector<std::string> Left = [&] {
		std::vector<std::string> Names;
		for (const auto& Entry : std::filesystem::directory_iterator(Editor.Project().PathOf("Intermediate/Korvane")))
		{
			Names.push_back(Entry.path().filename().string());
		}
		return Names;
	}();
	for (const std::string& Name : Left)
	{
		EXPECT_THAT(Name, Not(HasSubstr("_kv_texture_export_payload_"))) << "payload removed";
		EXPECT_THAT(Name, Not(HasSubstr("_kv_texture_export_result_"))) << "result removed";
	}
}

TEST_F(MaterialTextureBundle, OneByteOverTheLimitIsADiskHandoff)
{
	FLogCapture Log;
	const std::string Text = FJsonSerializer::SerializeCondensed(*Bundle(BundleInlineLimitBytes + 1));
	EXPECT_THAT(Text, Not(HasSubstr(R"("files")")));
	EXPECT_THAT(Text, HasSubstr(R"("diskFile":")"));
	EXPECT_THAT(Text, HasSubstr(R"("totalBytes":33554433})"));
	EXPECT_TRUE(Log.Contains("Bundled 1 textures (33554433 bytes, disk handoff)"));
	const std::size_t DiskFile = Text.find(R"("diskFile":")");
	ASSERT_NE(DiskFile, std::string::npos);
	const std::size_t Start = DiskFile + 12;
	const std::string HandedOff = Text.substr(Start, Text.find('"', Start) - Start);
	EXPECT_TRUE(std::filesystem::exists(HandedOff)) << "the file stays for the desktop app";
	std::filesystem::remove(HandedOff);
}
