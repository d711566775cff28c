#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/Log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using ::testing::Contains;
using ::testing::HasSubstr;

namespace
{
	/** One of the two material script routes, as a test sees it from outside. */
	struct FMaterialRoute
	{
		std::string_view Path;
		std::string_view Script;
		std::string_view PayloadFile;
		std::string_view ResultFile;
		/** A body that passes the route's checks. */
		std::string_view ValidBody;
	};

	constexpr FMaterialRoute Deploy{"/korvane/material/deploy", "_kv_material_deploy.py", "_kv_material_deploy_payload.json",
		"_kv_material_deploy_result.json", R"({"name":"M_Rock","path":"/Game/Env/Rock"})"};
	constexpr FMaterialRoute Enrich{"/korvane/material/enrich", "_kv_material_enrich.py", "_kv_material_enrich_payload.json",
		"_kv_material_enrich_result.json", R"({"materialPath":"/Game/Env/M_Rock.M_Rock"})"};

	constexpr std::string_view DeployPythonMessage =
		"Python Editor Script Plugin is not enabled or Python is not initialized. Enable it in Edit > Plugins > Scripting > Python Editor Script Plugin, then restart the editor.";

	/** Writes the text it is given as the result, unchanged. */
	std::string ScriptWriting(std::string_view ResultText)
	{
		return "open(__kv_result_path, 'w', encoding='utf-8').write(r'''" + std::string(ResultText) + "''')\n";
	}

	/**
	 * An empty project served with the connector; the plug-in is unlisted, so the
	 * connector looks for its scripts under the project's Plugins/KorvaneConnector/Resources.
	 */
	class MaterialScriptOverHttp : public ::testing::Test
	{
	protected:
		void Start(bool bPython = true)
		{
			FTestEditorOptions Options;
			Options.bEmbeddedPython = bPython;
			Editor = std::make_unique<FTestEditor>(Options);
			Editor->Serve();
			Client = std::make_unique<FTestHttpClient>(Editor->Port(), std::chrono::seconds(30));
		}

		void Ship(const FMaterialRoute& Route, std::string_view Script)
		{
			Editor->Project().WriteFile("Plugins/KorvaneConnector/Resources/" + std::string(Route.Script), Script);
		}

		std::string Post(const FMaterialRoute& Route, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Route.Path, Body);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::string Transient(std::string_view File) const { return "Intermediate/Korvane/" + std::string(File); }
		bool Exists(std::string_view File) const { return Editor->Project().Exists(Transient(File)); }

		std::unique_ptr<FTestEditor> Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(MaterialScriptOverHttp, BodyChecksAnswerWithoutPythonAvailable)
{
	Start();
	Ship(Deploy, ScriptWriting(R"({"success": true})"));
	Ship(Enrich, ScriptWriting(R"({"success": true})"));
	for (const FMaterialRoute& Route : {Deploy, Enrich})
	{
		EXPECT_EQ(Post(Route, ""), R"({"success":false,"error":"Invalid JSON body"})") << Route.Path;
		EXPECT_EQ(Post(Route, "[1]"), R"({"success":false,"error":"Invalid JSON body"})") << Route.Path;
	}
	EXPECT_EQ(Post(Deploy, R"({"path":"/Game/Materials"})"), R"({"success":false,"error":"Missing 'name' field"})");
	EXPECT_EQ(Post(Deploy, R"({"name":7})"), R"({"success":false,"error":"Missing 'name' field"})");
	EXPECT_EQ(Post(Deploy, R"({"name":"M_Rock","path":"/Game/../Secrets"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Post(Deploy, R"({"name":"M_Rock","path":"/Game"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Post(Enrich, R"({"name":"M_Rock"})"), R"({"success":false,"error":"Missing 'materialPath' field"})");
	EXPECT_EQ(Post(Enrich, R"({"materialPath":"/Game/Env/..M_Rock"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Post(Enrich, R"({"materialPath":"Game/M_Rock"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_FALSE(Exists(Deploy.PayloadFile)) << "nothing reaches the script";
	EXPECT_FALSE(Exists(Enrich.PayloadFile));

	EXPECT_EQ(Post(Deploy, R"({"name":"M_Rock"})"), R"({"success":true,"pythonAvailable":true})") << "the folder defaults to /Game/Materials";
	EXPECT_EQ(Post(Deploy, R"({"name":"M_Rock","path":"/game/Env/"})"), R"({"success":true,"pythonAvailable":true})") << "the root in any case";
	EXPECT_EQ(Post(Enrich, R"({"materialPath":"/Engine/EngineMaterials/DefaultMaterial"})"), R"({"success":true,"pythonAvailable":true})");
}

TEST_F(MaterialScriptOverHttp, WithoutPythonEachRouteGivesItsMessageAndWritesNothing)
{
	Start(false);
	EXPECT_EQ(Post(Deploy, Deploy.ValidBody), R"({"pythonAvailable":false,"success":false,"error":")" + std::string(DeployPythonMessage) + "\"}");
	EXPECT_EQ(Post(Enrich, Enrich.ValidBody), R"({"pythonAvailable":false,"success":false,"error":"Python Editor Script Plugin is not enabled."})");
	EXPECT_FALSE(Exists(Deploy.PayloadFile));
	EXPECT_FALSE(Exists(Enrich.PayloadFile));
}

TEST_F(MaterialScriptOverHttp, TheScriptsObjectIsTheAnswerAndEveryFileOfTheRunIsRemoved)
{
	Start();
	FLogCapture Log;
	for (const FMaterialRoute& Route : {Deploy, Enrich})
	{
		const std::string Script = ScriptWriting(R"({"success": true, "material": "/Game/Env/Rock/M_Rock.M_Rock"})");
		Ship(Route, Script);
		EXPECT_EQ(Post(Route, Route.ValidBody), R"({"success":true,"material":"/Game/Env/Rock/M_Rock.M_Rock","pythonAvailable":true})") << Route.Path;
		EXPECT_FALSE(Exists(Route.PayloadFile)) << Route.Path;
		EXPECT_FALSE(Exists(Route.ResultFile)) << Route.Path;
		EXPECT_FALSE(Exists(Route.Script)) << "the run copy goes too: " << Route.Path;
		EXPECT_EQ(Editor->Project().ReadFile("Plugins/KorvaneConnector/Resources/" + std::string(Route.Script)), Script) << "the shipped script stays";
	}
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Executing material deploy script..."));
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Executing material enrich script..."));

	Ship(Deploy, ScriptWriting(R"({"pythonAvailable": "the script's own", "success": false, "error": "Unknown expression 'Glow'"})"));
	EXPECT_EQ(Post(Deploy, Deploy.ValidBody), R"({"pythonAvailable":true,"success":false,"error":"Unknown expression 'Glow'"})")
		<< "the script's key keeps its place";
}

TEST_F(MaterialScriptOverHttp, AResultThatIsNotAnObjectIsAParseErrorForDeployOnly)
{
	Start();
	for (const std::string_view Written : {"[\"M_Rock\"]", "not json"})
	{
		Ship(Deploy, ScriptWriting(Written));
		Ship(Enrich, ScriptWriting(Written));
		EXPECT_EQ(Post(Deploy, Deploy.ValidBody), R"({"pythonAvailable":true,"success":false,"error":"Failed to parse deploy result JSON"})") << Written;
		EXPECT_EQ(Post(Enrich, Enrich.ValidBody), R"({"pythonAvailable":true})") << Written;
		for (const FMaterialRoute& Route : {Deploy, Enrich})
		{
			EXPECT_FALSE(Exists(Route.PayloadFile)) << Route.Path;
			EXPECT_FALSE(Exists(Route.ResultFile)) << Route.Path;
			EXPECT_FALSE(Exists(Route.Script)) << Route.Path;
		}
	}
}

TEST_F(MaterialScriptOverHttp, AResultFileThatCannotBeReadLeavesPythonAvailableAlone)
{
	Start();
	// A regular file whose read fails even for root: the process's own memory at address 0.
	const std::string Script = "import os\nos.symlink('/proc/self/mem', __kv_result_path)\n";
	Ship(Deploy, Script);
	Ship(Enrich, Script);
	for (const FMaterialRoute& Route : {Deploy, Enrich})
	{
		EXPECT_EQ(Post(Route, Route.ValidBody), R"({"pythonAvailable":true})") << Route.Path;
		EXPECT_FALSE(std::filesystem::is_symlink(Editor->Project().PathOf(Transient(Route.ResultFile)))) << Route.Path;
		EXPECT_FALSE(Exists(Route.PayloadFile)) << Route.Path;
		EXPECT_FALSE(Exists(Route.Script)) << Route.Path;
	}
}

TEST_F(MaterialScriptOverHttp, AScriptThatLeavesNoResultKeepsItsPayloadAndRunCopy)
{
	Start();
	const std::string Body = "{ \"name\" : \"M_Moos\u00e9\",\r\n\t\"path\":\"/Game/Gr\u00f6\u00dfe/\u77f3\", \"nodes\":[1.50, true] }";
	FLogCapture Log;
	for (const std::string_view Script : {"x = 1\n", "raise RuntimeError('node graph broke')\n"})
	{
		Ship(Deploy, Script);
		Ship(Enrich, Script);
		Editor->Project().WriteFile(Transient(Deploy.ResultFile), R"({"success":true,"stale":true})");
		EXPECT_EQ(Post(Deploy, Body), R"({"pythonAvailable":true,"success":false,"error":"Deploy script did not produce a result file"})") << Script;
		EXPECT_EQ(Editor->Project().ReadFile(Transient(Deploy.PayloadFile)), Body) << "the body byte for byte";
		EXPECT_EQ(Editor->Project().ReadFile(Transient(Deploy.Script)), Script);
		EXPECT_FALSE(Exists(Deploy.ResultFile)) << "a stale result is never read";

		EXPECT_EQ(Post(Enrich, Enrich.ValidBody), R"({"pythonAvailable":true,"success":false,"error":"Enrich script did not produce a result file"})") << Script;
		EXPECT_EQ(Editor->Project().ReadFile(Transient(Enrich.PayloadFile)), Enrich.ValidBody);
		EXPECT_EQ(Editor->Project().ReadFile(Transient(Enrich.Script)), Script);
	}
	EXPECT_THAT(Log.Messages("LogPython"), Contains("RuntimeError: node graph broke"));
}

TEST_F(MaterialScriptOverHttp, MissingScriptAndUnwritablePayloadAreReported)
{
	Start();
	EXPECT_EQ(Post(Deploy, Deploy.ValidBody),
		R"({"pythonAvailable":true,"success":false,"error":"Material deploy script not found. Ensure _kv_material_deploy.py is in the plugin Resources folder."})");
	EXPECT_EQ(Post(Enrich, Enrich.ValidBody), R"({"pythonAvailable":true,"success":false,"error":"Material enrich script not found."})");
	EXPECT_EQ(Editor->Project().ReadFile(Transient(Deploy.PayloadFile)), Deploy.ValidBody) << "the payload is written before the script is looked for";

	Ship(Deploy, ScriptWriting(R"({"success": true})"));
	Ship(Enrich, ScriptWriting(R"({"success": true})"));
	std::filesystem::remove_all(Editor->Project().PathOf("Intermediate/Korvane"));
	Editor->Project().WriteFile("Intermediate/Korvane", "a file where the working folder should be");
	EXPECT_EQ(Post(Deploy, Deploy.ValidBody),
		R"({"pythonAvailable":true,"success":false,"error":"Failed to write payload to )" + Editor->Project().PathOf(Transient(Deploy.PayloadFile)) + "\"}");
	EXPECT_EQ(Post(Enrich, Enrich.ValidBody), R"({"pythonAvailable":true,"success":false,"error":"Failed to write payload"})");
	EXPECT_THAT(Editor->Project().ReadFile("Intermediate/Korvane"), HasSubstr("working folder")) << "nothing overwrote it";
}
