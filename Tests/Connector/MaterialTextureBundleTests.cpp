#include "Support/TestEditor.h"

#include "Endpoints/MaterialTextureBundle.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Objects/ObjectGlobals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

		std::shared_ptr<FJsonObject> Bundle(long long FirstSize) { return Bundle(ExportScript(FirstSize), "/Game/Materials/M_Master.M_Master"); }

		std::shared_ptr<FJsonObject> Bundle(const std::string& Script, std::string_view MaterialPath)
		{
			Editor.Project().WriteFile("Plugins/KorvaneConnector/Resources/_kv_texture_export.py", Script);
			auto Payload = std::make_shared<FJsonObject>();
			BundleMaterialTextures(LoadObject<UMaterialInterface>(MaterialPath), Payload);
			return Payload;
		}

		/** The texture paths of the export payload the script saw. */
		std::vector<std::string> BundledPaths()
		{
			const std::shared_ptr<FJsonObject> Seen = FJsonSerializer::DeserializeObject(Editor.Project().ReadFile("Intermediate/Korvane/seen_payload.json"));
			std::vector<std::string> Paths;
			if (Seen && Seen->TryGetArrayField("paths"))
			{
				for (const FJsonValue& Path : *Seen->TryGetArrayField("paths"))
				{
					Paths.push_back(Path.AsText().value_or(""));
				}
			}
			return Paths;
		}

		/** Names of the files left in the transient folder that the bundling writes its hand-off files to. */
		std::vector<std::string> HandOffFilesLeft()
		{
			std::vector<std::string> Names;
			for (const auto& Entry : std::filesystem::directory_iterator(Editor.Project().PathOf("Intermediate/Korvane")))
			{
				const std::string Name = Entry.path().filename().string();
				if (Name.starts_with("_kv_texture_export_payload_") || Name.starts_with("_kv_texture_export_result_"))
				{
					Names.push_back(Name);
				}
			}
			return Names;
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

TEST_F(MaterialTextureBundle, ATextureSeenAsParameterAndAsExpressionIsExportedOnce)
{
	FLogCapture Log;
	Bundle(BundleInlineLimitBytes);
	EXPECT_EQ(BundledPaths(), (std::vector<std::string>{"/Game/Textures/T_Checker.T_Checker", "/Game/Textures/T_Noise.T_Noise"}));
	EXPECT_TRUE(Log.Contains("Editor walk found 3 texture expressions (engine textures filtered)"));
	EXPECT_TRUE(Log.Contains("Bundling 2 textures for M_Master"));
}

TEST_F(MaterialTextureBundle, CubesRenderTargetsAndEngineTexturesAreNeverBundled)
{
	FLogCapture Log;
	Bundle(ExportScript(10), "/Game/Materials/Special/M_SkyReflection.M_SkyReflection");
	EXPECT_EQ(BundledPaths(), (std::vector<std::string>{"/Game/Textures/Environment/Cliffs/T_CliffFace.T_CliffFace"}));

	for (const char* Path : {"/Game/Materials/Special/M_EngineTexturesOnly.M_EngineTexturesOnly", "/Game/Materials/Instances/MI_EngineGrid.MI_EngineGrid"})
	{
		const std::shared_ptr<FJsonObject> Payload = Bundle(ExportScript(10), Path);
		EXPECT_FALSE(Payload->HasField("bundledAssets")) << Path;
	}
	EXPECT_TRUE(Log.Contains("No textures to bundle for M_EngineTexturesOnly"));
	EXPECT_TRUE(Log.Contains("No textures to bundle for MI_EngineGrid"));
}

TEST_F(MaterialTextureBundle, FilesOlderThanAnHourAreClearedFromTheBundleFolder)
{
	const std::filesystem::path Folder = Editor.Project().PathOf("Temp/KorvaneBundle");
	std::filesystem::create_directories(Folder / "Kept");
	const auto Write = [&Folder](const char* Name, std::chrono::minutes Age) {
		std::ofstream(Folder / Name) << "old bundle file";
		std::filesystem::last_write_time(Folder / Name, std::filesystem::file_time_type::clock::now() - Age);
	};
	Write("Stale.tga", std::chrono::minutes(61));
	Write("Recent.tga", std::chrono::minutes(59));
	Write("Kept/Stale.tga", std::chrono::minutes(120));
	Bundle(ExportScript(10), "/Game/Materials/M_Master.M_Master");
	EXPECT_FALSE(std::filesystem::exists(Folder / "Stale.tga"));
	EXPECT_TRUE(std::filesystem::exists(Folder / "Recent.tga"));
	EXPECT_TRUE(std::filesystem::exists(Folder / "Kept/Stale.tga")) << "folders and what they hold are left alone";
}

TEST_F(MaterialTextureBundle, ScriptFailuresAreWarnedAndLeaveNoHandOffFiles)
{
	struct FCase
	{
		const char* Script;
		const char* Warning;
	};
	for (const FCase& Case : {
			 FCase{"pass\n", "Texture export script produced no result file"},
			 FCase{"open(__kv_result_path, 'w').write('not json')\n", "Result JSON parse failed"},
			 FCase{"open(__kv_result_path, 'w').write('{\"success\": true}')\n", "Result JSON missing 'results' array"},
			 FCase{"open(__kv_result_path, 'w').write('{\"results\": [{\"success\": false}]}')\n", "No textures successfully bundled"},
			 FCase{"open(__kv_result_path, 'w').write('{\"results\": [{\"success\": true, \"filePath\": \"/nowhere/T.tga\", \"filename\": \"T.tga\"}]}')\n",
				 "Exported TGA missing or empty: /nowhere/T.tga"},
		 })
	{
		FLogCapture Log;
		const std::shared_ptr<FJsonObject> Payload = Bundle(Case.Script, "/Game/Materials/M_Master.M_Master");
		EXPECT_FALSE(Payload->HasField("bundledAssets")) << Case.Warning;
		EXPECT_TRUE(Log.Contains(Case.Warning)) << Case.Warning;
		EXPECT_EQ(HandOffFilesLeft(), std::vector<std::string>()) << Case.Warning;
	}
}
