#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Endpoints/EnrichEndpoints.h"
#include "KorvaneLog.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <regex>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace
{
	constexpr std::string_view Campfire = "/Game/Blueprints/BP_Campfire.BP_Campfire";
	constexpr std::string_view PayloadFile = "Intermediate/Korvane/_kv_enrich_payload.json";
	constexpr std::string_view ResultFile = "Intermediate/Korvane/_kv_enrich_result.json";

	/** Answers each component except Sparks with what the script was sent for it; writes the result the test gives otherwise. */
	constexpr const char* EchoScript =
		"import json\n"
		"payload = json.load(open(__kv_payload_path, encoding='utf-8'))\n"
		"components = {c['name']: {'sent': c, 'blueprintPath': payload['blueprintPath']} for c in payload['components'] if c.get('name') not in (None, 'Sparks')}\n"
		"open(__kv_result_path, 'w').write(json.dumps({'success': True, 'components': components}))\n";

	std::string ScriptWriting(std::string_view ResultText)
	{
		return "open(__kv_result_path, 'w').write(r'''" + std::string(ResultText) + "''')\n";
	}

	std::string Condensed(const std::shared_ptr<FJsonObject>& Object)
	{
		return Object ? FJsonSerializer::SerializeCondensed(*Object) : std::string("(none)");
	}

	std::vector<std::string> Keys(const FJsonObject& Object)
	{
		std::vector<std::string> Names;
		for (const auto& [Key, Value] : Object.Values())
		{
			Names.push_back(Key);
		}
		return Names;
	}

	/** The gathered component of that name. */
	std::shared_ptr<FJsonObject> Component(const FJsonObject& Answer, std::string_view Name)
	{
		if (const std::shared_ptr<FJsonValueArray> Components = Answer.TryGetArrayField("components"))
		{
			for (const FJsonValue& Entry : *Components)
			{
				if (const std::shared_ptr<FJsonObject> Object = Entry.TryGetObject(); Object && Object->TryGetStringField("name") == Name)
				{
					return Object;
				}
			}
		}
		return nullptr;
	}

	std::vector<std::string> EnrichLines(const FLogCapture& Log)
	{
		std::vector<std::string> Lines;
		for (const std::string& Message : Log.Messages("LogKorvane"))
		{
			if (Message.starts_with("Enrich") || Message.starts_with("Running enrich"))
			{
				Lines.push_back(Message);
			}
		}
		return Lines;
	}

	/** The demo project served with the connector; the test ships the enrich script it wants before the first request. */
	class BlueprintEnrichOverHttp : public ::testing::Test
	{
	protected:
		void Start(bool bPython = true)
		{
			FTestEditorOptions Options = DemoProjectOptions();
			Options.bEmbeddedPython = bPython;
			Editor = std::make_unique<FTestEditor>(Options);
		}

		void ShipScript(std::string_view Script)
		{
			Editor->Project().WriteFile("Plugin/Resources/_kv_enrich.py", Script);
			Editor->Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor->Project().PathOf("Plugin/"), true);
		}

		void ShipTheRealScript() { Editor->Host().GetPluginManager().AddPlugin("KorvaneConnector", KORVANE_PLUGIN_DIR "/", true); }

		std::string Post(std::string_view Body)
		{
			if (!Client)
			{
				Editor->Serve();
				Client = std::make_unique<FTestHttpClient>(Editor->Port(), std::chrono::seconds(30));
			}
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", "/korvane/blueprint/enrich", Body);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::shared_ptr<FJsonObject> Enrich(std::string_view BlueprintPath)
		{
			FJsonObject Body;
			Body.SetStringField("blueprintPath", BlueprintPath);
			const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Post(FJsonSerializer::SerializeCondensed(Body)));
			EXPECT_NE(Answer, nullptr);
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		bool Exists(std::string_view Relative) { return Editor->Project().Exists(Relative); }

		std::unique_ptr<FTestEditor> Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(BlueprintEnrichOverHttp, TheShippedScriptReadsTheCampfireTemplates)
{
	Start();
	ShipTheRealScript();
	FLogCapture Log;
	LogKorvane.SetVerbosity(ELogVerbosity::Verbose);
	const std::shared_ptr<FJsonObject> Answer = Enrich(Campfire);
	LogKorvane.SetVerbosity(ELogVerbosity::Log);

	EXPECT_THAT(Keys(*Answer), ElementsAre("name", "blueprintName", "path", "parentClass", "variables", "components", "graphs", "functions", "activeGraph",
								   "bucket", "success", "enriched", "enrichedAt", "pythonAvailable", "componentProperties"));
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetBoolField("enriched"), true);
	EXPECT_TRUE(std::regex_match(Answer->TryGetStringField("enrichedAt").value_or(""), std::regex(R"(\d{4}\.\d{2}\.\d{2}-\d{2}\.\d{2}\.\d{2})")));
	EXPECT_EQ(Answer->TryGetBoolField("pythonAvailable"), true);
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), true);

	const std::string Transform = R"j("RelativeRotation":"(Pitch=0.000000,Yaw=0.000000,Roll=0.000000)")j";
	const std::shared_ptr<FJsonObject> FireLight = Component(*Answer, "FireLight");
	ASSERT_NE(FireLight, nullptr);
	EXPECT_EQ(Keys(*FireLight).back(), "properties");
	EXPECT_EQ(Condensed(FireLight->TryGetObjectField("properties")), R"j({"RelativeLocation":"(X=0.000000,Y=0.000000,Z=120.000000)",)j" + Transform +
																		 R"j(,"RelativeScale3D":"(X=1.000000,Y=1.000000,Z=1.000000)","Intensity":"5000.000000",)j"
																		 R"j("LightColor":"(B=40,G=140,R=255,A=255)"})j");
	EXPECT_EQ(Condensed(Component(*Answer, "Logs")->TryGetObjectField("properties")),
		R"j({"RelativeLocation":"(X=0.000000,Y=0.000000,Z=0.000000)",)j" + Transform +
			R"j(,"RelativeScale3D":"(X=0.500000,Y=0.500000,Z=0.300000)","StaticMesh":"/Game/Props/SM_Barrel.SM_Barrel"})j")
		<< "the transform always comes first, then the values the Blueprint changed";
	EXPECT_THAT(Condensed(Component(*Answer, "Sparks")->TryGetObjectField("properties")), HasSubstr(R"j("Intensity":"800.000000","AttenuationRadius":"200.000000"})j"));

	EXPECT_THAT(EnrichLines(Log), ElementsAre("Running enrich script for " + std::string(Campfire) + "...", "Enrich complete: " + std::string(Campfire)));
	EXPECT_FALSE(Exists(PayloadFile));
	EXPECT_FALSE(Exists(ResultFile));
	EXPECT_TRUE(Editor->OnGameThread([]() {
		return IPythonScriptPlugin::Get()->ExecPythonCommand("assert '_kv_enrich' not in globals() and __kv_payload_path is None and __kv_result_path is None");
	})) << "the script leaves nothing of its own in __main__";
}

TEST_F(BlueprintEnrichOverHttp, EachComponentGetsItsOwnEntryAndOnlyThat)
{
	Start();
	ShipScript(EchoScript);
	const std::shared_ptr<FJsonObject> Answer = Enrich(Campfire);
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), true);
	EXPECT_EQ(Condensed(Component(*Answer, "FireLight")->TryGetObjectField("properties")),
		R"({"sent":{"name":"FireLight","class":"PointLightComponent","templatePath":"/Game/Blueprints/BP_Campfire.BP_Campfire:FireLight_GEN_VARIABLE"},)"
		R"("blueprintPath":"/Game/Blueprints/BP_Campfire.BP_Campfire"})");
	EXPECT_NE(Component(*Answer, "DefaultSceneRoot")->TryGetObjectField("properties"), nullptr);
	EXPECT_FALSE(Component(*Answer, "Sparks")->HasField("properties")) << "the result had no entry for it";
}

TEST_F(BlueprintEnrichOverHttp, ABlueprintWithoutComponentsRunsNoScriptAndLogsNothing)
{
	Start();
	ShipScript(EchoScript);
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Answer = Enrich("/Game/Blueprints/BP_NoConstructionScript.BP_NoConstructionScript");
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), false);
	EXPECT_FALSE(Answer->HasField("componentPropertiesError"));
	EXPECT_THAT(EnrichLines(Log), IsEmpty());
	EXPECT_FALSE(Exists(PayloadFile));
	EXPECT_FALSE(Exists("Intermediate/Korvane/_kv_enrich.py")) << "the script was never copied to run";
}

// The gathered Blueprint still answers without Python; `pythonAvailable` says why no property values came.
TEST_F(BlueprintEnrichOverHttp, WithoutPythonTheBlueprintStillAnswers)
{
	Start(false);
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Answer = Enrich(Campfire);
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetBoolField("pythonAvailable"), false);
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), false);
	EXPECT_EQ(Answer->TryGetArrayField("components")->size(), 4u);
	EXPECT_THAT(EnrichLines(Log), ElementsAre("Enrich: Python not available \u2014 skipping component properties"));
}

TEST_F(BlueprintEnrichOverHttp, ScriptFailuresAreReportedBesideTheGatheredBlueprint)
{
	Start();
	ShipScript(ScriptWriting(R"({"success": false, "error": "no editor world"})"));
	FLogCapture Log;
	std::shared_ptr<FJsonObject> Answer = Enrich(Campfire);
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Keys(*Answer).back(), "componentPropertiesError");
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), false);
	EXPECT_EQ(Answer->TryGetStringField("componentPropertiesError"), "no editor world");
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Enrich: Python script failed \u2014 no editor world"));
	EXPECT_FALSE(Component(*Answer, "FireLight")->HasField("properties"));

	Editor->OnGameThread([this]() { ShipScript(ScriptWriting(R"({"components": {"FireLight": {"Intensity": "1.0"}}})")); });
	Answer = Enrich(Campfire);
	EXPECT_EQ(Answer->TryGetStringField("componentPropertiesError"), "") << "a result without success counts as a failure without words";
	EXPECT_FALSE(Component(*Answer, "FireLight")->HasField("properties"));

	Editor->OnGameThread([this]() { ShipScript(ScriptWriting(R"({"success": true})")); });
	Answer = Enrich(Campfire);
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), true) << "success without components is still success";
	EXPECT_FALSE(Answer->HasField("componentPropertiesError"));
	EXPECT_FALSE(Component(*Answer, "FireLight")->HasField("properties"));
}

TEST_F(BlueprintEnrichOverHttp, MissingScriptRemovesItsPayloadAndAMissingResultLeavesIt)
{
	Start();
	Editor->Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor->Project().PathOf("Plugin/"), true);
	FLogCapture Log;
	EXPECT_EQ(Enrich(Campfire)->TryGetBoolField("componentProperties"), false);
	EXPECT_THAT(Log.Messages("LogKorvane"),
		Contains("Enrich: Script not found at " + Editor->Project().PathOf("Plugin/Resources/_kv_enrich.py") + " \u2014 skipping component properties"));
	EXPECT_FALSE(Exists(PayloadFile));

	Editor->OnGameThread([this]() { ShipScript("pass\n"); });
	EXPECT_EQ(Enrich(Campfire)->TryGetBoolField("componentProperties"), false);
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Enrich: No result file \u2014 skipping component properties"));
	EXPECT_TRUE(Exists(PayloadFile)) << "left for whoever looks into the failed run";

	Editor->OnGameThread([this]() { ShipScript(ScriptWriting("not json")); });
	Log.Clear();
	EXPECT_EQ(Enrich(Campfire)->TryGetBoolField("componentProperties"), false);
	EXPECT_THAT(EnrichLines(Log), ElementsAre("Enrich: No result file \u2014 skipping component properties"));
	EXPECT_FALSE(Exists(ResultFile));
	EXPECT_FALSE(Exists(PayloadFile)) << "a result was read, so the run's files are gone";
}

TEST_F(BlueprintEnrichOverHttp, APayloadThatCannotBeWrittenSkipsTheScript)
{
	Start();
	ShipScript(EchoScript);
	Editor->Project().WriteFile("Intermediate/Korvane/_kv_enrich_payload.json/blocked", "");
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Answer = Enrich(Campfire);
	EXPECT_EQ(Answer->TryGetBoolField("componentProperties"), false);
	EXPECT_THAT(EnrichLines(Log), ElementsAre("Enrich: Failed to write payload \u2014 skipping component properties"));
	EXPECT_FALSE(Exists("Intermediate/Korvane/_kv_enrich.py"));
}

TEST_F(BlueprintEnrichOverHttp, RequestErrorsAnswerInTheActionStyle)
{
	Start(false);
	EXPECT_EQ(Post("[]"), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Post(R"({"blueprintPath":7})"), R"({"success":false,"error":"Missing 'blueprintPath' field"})");
	EXPECT_EQ(Post(R"({"blueprintPath":"/Game/../BP_Campfire"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Post(R"({"blueprintPath":"/Game/Props/SM_Crate.SM_Crate"})"), R"({"success":false,"error":"Blueprint not found: /Game/Props/SM_Crate.SM_Crate"})");
}

// Callers other than the route (the agent tool, the toolbar button) hand over a gathered
// object of their own; what reaches the script is exactly its string fields.
TEST(EnrichComponentProperties, SendsOnlyTheStringFieldsOfObjectEntries)
{
	FTestEditorOptions Options;
	Options.bLoadConnector = false;
	Options.bEmbeddedPython = true;
	FTestEditor Editor(Options);
	Editor.Project().WriteFile("Plugin/Resources/_kv_enrich.py", EchoScript);
	Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor.Project().PathOf("Plugin/"), true);

	const std::shared_ptr<FJsonObject> Gathered = FJsonSerializer::DeserializeObject(
		R"({"name":"BP_Odd","components":[{"name":"Orphan","parent":"root"},"not an object",{"name":"Odd","class":7,"templatePath":"/Game/X.X:Odd_GEN_VARIABLE"},)"
		R"({"class":"SceneComponent"}]})");
	ASSERT_NE(Gathered, nullptr);
	EnrichComponentProperties(*Gathered, "/Game/X");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Gathered),
		R"({"name":"BP_Odd","components":[{"name":"Orphan","parent":"root","properties":{"sent":{"name":"Orphan"},"blueprintPath":"/Game/X"}},)"
		R"("not an object",{"name":"Odd","class":7,"templatePath":"/Game/X.X:Odd_GEN_VARIABLE",)"
		R"("properties":{"sent":{"name":"Odd","templatePath":"/Game/X.X:Odd_GEN_VARIABLE"},"blueprintPath":"/Game/X"}},{"class":"SceneComponent"}],)"
		R"("componentProperties":true})");
}
