#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Endpoints/BlueprintEndpoints.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Objects/ObjectGlobals.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <regex>

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace
{
	constexpr const char* PythonMessage =
		"Python Editor Script Plugin is not enabled or Python is not initialized. Enable it in Edit > Plugins > Scripting > Python Editor Script Plugin, then restart the editor.";

	/** How the deploy script comes to the editor: the plug-in's own Resources, a test script under the project, or none. */
	enum class EDeployScript
	{
		Shipped,
		ProjectPlugin,
	};

	FTestEditorOptions DeployEditorOptions(bool bPython = true, EDeployScript Script = EDeployScript::Shipped)
	{
		FTestEditorOptions Options = DemoProjectOptions();
		Options.bEmbeddedPython = bPython;
		if (Script == EDeployScript::Shipped)
		{
			Options.ConnectorPluginDir = std::string(KORVANE_PLUGIN_DIR) + "/";
		}
		return Options;
	}

	class BlueprintDeployOverHttp : public ::testing::Test
	{
	protected:
		void Start(FTestEditorOptions Options = DeployEditorOptions())
		{
			Editor = std::make_unique<FTestEditor>(std::move(Options));
			Editor->Serve();
			Client = std::make_unique<FTestHttpClient>(Editor->Port(), std::chrono::seconds(60));
		}

		/** Ships a deploy script of the test's own where the connector looks for an unlisted plug-in. */
		void StartWithTestScript(std::string_view Script)
		{
			Start(DeployEditorOptions(true, EDeployScript::ProjectPlugin));
			Editor->Project().WriteFile("Plugins/KorvaneConnector/Resources/_kv_deploy.py", Script);
		}

		std::string Deploy(std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", "/korvane/blueprint/deploy", Body);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::shared_ptr<FJsonObject> DeployJson(std::string_view Body)
		{
			const std::string Text = Deploy(Body);
			std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Text);
			EXPECT_NE(Object, nullptr) << Text;
			return Object ? Object : std::make_shared<FJsonObject>();
		}

		/** The gathered Blueprint, condensed, read on the game thread. */
		std::shared_ptr<FJsonObject> Gather(std::string_view Path)
		{
			return Editor->OnGameThread([Path]() { return GatherBlueprint(Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), Path))); });
		}

		/** A variable's container on the game thread; empty when the Blueprint or the variable is missing. */
		std::string ContainerOf(std::string_view Path, std::string_view Variable)
		{
			return Editor->OnGameThread([Path, Variable]() {
				UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), Path));
				const FBPVariableDescription* const Found = Blueprint != nullptr ? Blueprint->FindVariable(Variable) : nullptr;
				return Found != nullptr ? Found->VarType.ContainerType : std::string();
			});
		}

		bool PythonHolds(std::string Condition)
		{
			return Editor->OnGameThread([&Condition]() { return IPythonScriptPlugin::Get()->ExecPythonCommand("assert " + Condition); });
		}

		static std::string StepsOf(const FJsonObject& Response)
		{
			const std::shared_ptr<FJsonObject> Steps = Response.TryGetObjectField("steps");
			return Steps ? FJsonSerializer::SerializeCondensed(*Steps) : std::string("(no steps)");
		}

		static std::string Keys(const FJsonObject& Object)
		{
			std::string Names;
			for (const auto& [Key, Value] : Object.Values())
			{
				Names += (Names.empty() ? "" : ",") + Key;
			}
			return Names;
		}

		std::unique_ptr<FTestEditor> Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	constexpr std::string_view TorchRequest = R"({"name":"BP_Torch","path":"/Game/Props/Torches","parentClass":"Actor",
		"variables":[{"name":"Fuel","type":"real","defaultValue":"60.0","category":"Fire","replicated":true,"replicationCondition":"COND_OwnerOnly",
			"repNotifyFunc":"OnRep_Fuel","exposeOnSpawn":true,"tooltip":"Seconds of light left"},
			{"name":"Owner","type":"object","subTypePath":"/Script/Engine.Actor"}],
		"components":[{"name":"Flame","class":"PointLightComponent","parent":"Handle","properties":{"Intensity":"800.000000","NoSuchProperty":"1"}},
			{"name":"Handle","classPath":"/Script/Engine.StaticMeshComponent","parent":"DefaultSceneRoot"}],
		"functions":["Ignite",{"name":"Burn","inputs":[{"name":"Seconds","type":"real"}],"outputs":[{"name":"Left","type":"real"}]}]})";
}

TEST_F(BlueprintDeployOverHttp, NewBlueprintIsBuiltSavedAndEveryStepReported)
{
	Start();
	ASSERT_TRUE(PythonHolds("True\n__kv_test_globals = sorted(globals())"));
	const std::shared_ptr<FJsonObject> Response = DeployJson(TorchRequest);
	EXPECT_EQ(Keys(*Response), "pythonAvailable,blueprintPath,success,steps");
	EXPECT_EQ(Response->TryGetStringField("blueprintPath"), "/Game/Props/Torches/BP_Torch.BP_Torch");
	EXPECT_EQ(Response->TryGetBoolField("success"), true);
	EXPECT_EQ(StepsOf(*Response),
		R"({"create":{"status":"ok","action":"created","parentClass":"Actor"},)"
		R"("variables":{"status":"ok","added":["Fuel","Owner"],"updated":[],"unchanged":0},)"
		R"("components":{"status":"ok","added":["Handle","Flame"],"updated":[],"unchanged":0},)"
		R"("componentProperties":{"status":"error","set":1,"unchanged":0,"components":["Flame"],"failed":[{"name":"Flame.NoSuchProperty","reason":"PointLightComponent has no property 'NoSuchProperty'"}]},)"
		R"("functions":{"status":"ok","added":["Ignite","Burn"],"updated":[],"unchanged":0,"eventGraphsAdded":[]},)"
		R"("compile":{"status":"ok","blueprintStatus":"UpToDate","saved":true}})");

	const std::string Saved = Editor->Project().ReadFile("Content/Props/Torches/BP_Torch.asset.json");
	EXPECT_THAT(Saved, HasSubstr(R"(CustomProperties UserDefinedPin (PinName=\"Seconds\",PinType=(PinCategory=\"real\",PinSubCategory=\"double\"),DesiredPinDirection=EGPD_Output))"));
	EXPECT_THAT(Saved, HasSubstr(R"(CustomProperties UserDefinedPin (PinName=\"Left\",PinType=(PinCategory=\"real\",PinSubCategory=\"double\"),DesiredPinDirection=EGPD_Input))"));
	const std::shared_ptr<FJsonObject> Gathered = Gather("/Game/Props/Torches/BP_Torch.BP_Torch");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Gathered->TryGetArrayField("variables")->at(0).TryGetObject()),
		R"({"name":"Fuel","type":"real","isArray":false,"defaultValue":"60.0","category":"Fire","replicated":true,"replicationCondition":"COND_OwnerOnly",)"
		R"("repNotifyFunc":"OnRep_Fuel","exposeOnSpawn":true,"tooltip":"Seconds of light left"})");
	// The hand-off itself leaves its two globals (reset to None) and, as its run command leaves the
	// script's file to the garbage collector, the warning registry of that ResourceWarning.
	EXPECT_TRUE(PythonHolds("sorted(k for k in globals() if k not in ('__kv_test_globals', '__kv_payload_path', '__kv_result_path', '__warningregistry__')) "
							"== __kv_test_globals"))
		<< "the script leaves no globals of its own";
	EXPECT_FALSE(Editor->Project().Exists("Intermediate/Korvane/_kv_deploy_payload.json"));
	EXPECT_FALSE(Editor->Project().Exists("Intermediate/Korvane/_kv_deploy_result.json"));
}

TEST_F(BlueprintDeployOverHttp, UpdateAddsWhatIsMissingChangesWhatDiffersAndKeepsTheRest)
{
	Start();
	const std::shared_ptr<FJsonObject> Response = DeployJson(R"({"name":"BP_Campfire","path":"/Game/Blueprints",
		"variables":[{"name":"LogCount","type":"int","defaultValue":"6","category":"Fire"},{"name":"bIsLit","type":"bool"},{"name":"Embers","type":"int"}],
		"components":[{"name":"Logs","class":"StaticMeshComponent","parent":"DefaultSceneRoot"},{"name":"FireLight","class":"SpotLightComponent","parent":"Logs"}],
		"functions":[{"name":"Flicker","inputs":[{"name":"Strength","type":"real"}]},"Flicker"],"parentClass":"Pawn"})");
	EXPECT_EQ(Response->TryGetBoolField("success"), true);
	EXPECT_EQ(StepsOf(*Response),
		R"({"create":{"status":"ok","action":"updated","parentClass":"Actor","requestedParentClass":"Pawn","note":"the parent class is kept: deploy does not reparent a Blueprint"},)"
		R"("variables":{"status":"ok","added":["Embers"],"updated":["LogCount"],"unchanged":1},)"
		R"("components":{"status":"error","added":[],"updated":[],"unchanged":1,"failed":[{"name":"FireLight","reason":"it is a PointLightComponent; deploy does not change a component's class"}]},)"
		R"("componentProperties":{"status":"skipped","reason":"no component has properties"},)"
		R"("functions":{"status":"ok","added":[],"updated":["Flicker"],"unchanged":0,"eventGraphsAdded":[]},)"
		R"("compile":{"status":"ok","blueprintStatus":"UpToDate","saved":true}})");

	const std::shared_ptr<FJsonObject> Gathered = Gather("/Game/Blueprints/BP_Campfire.BP_Campfire");
	EXPECT_EQ(Gathered->TryGetArrayField("variables")->size(), 13u) << "the twelve variables stay and Embers joins them";
	EXPECT_EQ(Gathered->TryGetArrayField("components")->size(), 4u);
	EXPECT_THAT(Editor->Project().ReadFile("Content/Blueprints/BP_Campfire.asset.json"), HasSubstr(R"("defaultValue": "6")"));
}

TEST_F(BlueprintDeployOverHttp, ArrayPromotionCountsEachChangedVariableOnce)
{
	Start();
	FLogCapture Log;
	DeployJson(R"({"name":"BP_Lists","variables":[{"name":"Names","type":"name","isArray":true},{"name":"Names","type":"name","isArray":true},{"name":"Count","type":"int","isArray":false}]})");
	EXPECT_EQ(ContainerOf("/Game/Generated/BP_Lists.BP_Lists", "Names"), "Array");
	EXPECT_EQ(ContainerOf("/Game/Generated/BP_Lists.BP_Lists", "Count"), "None");
	EXPECT_EQ(Log.Count("Promoted 1 variable(s) to Array containers."), 1u);

	Log.Clear();
	const std::shared_ptr<FJsonObject> Again =
		DeployJson(R"({"name":"BP_Campfire","path":"/Game/Blueprints","variables":[{"name":"LogMeshes","type":"object","subType":"StaticMesh","isArray":true}]})");
	EXPECT_EQ(Again->TryGetBoolField("success"), true);
	EXPECT_EQ(ContainerOf("/Game/Blueprints/BP_Campfire.BP_Campfire", "LogMeshes"), "Array");
	EXPECT_THAT(Log.Messages("LogKorvane"), Not(Contains(HasSubstr("Promoted"))));
}

TEST_F(BlueprintDeployOverHttp, GraphsArePastedWithTheDeployPasteAndCompiled)
{
	Start();
	const std::string EventGraphText =
		*Gather("/Game/Blueprints/BP_Campfire.BP_Campfire")->TryGetObjectField("graphs")->TryGetObjectField("EventGraph")->TryGetStringField("clipboardText");
	FJsonObject Body;
	Body.SetStringField("name", "BP_Pasted");
	auto Graphs = std::make_shared<FJsonObject>();
	Graphs->SetStringField("EventGraph", EventGraphText);
	// A graph the Blueprint lacks is made as an event graph page, unless its name cannot be one.
	Graphs->SetStringField("Bad.Name", EventGraphText);
	Graphs->SetStringField("Empty", "");
	Graphs->SetNumberField("NotText", 1);
	Body.SetObjectField("graphs", Graphs);
	FJsonValueArray Variables;
	Variables.emplace_back(FJsonSerializer::DeserializeObject(R"({"name":"bIsLit","type":"bool","defaultValue":"true"})"));
	Variables.emplace_back(FJsonSerializer::DeserializeObject(R"({"name":"FuelSeconds","type":"real"})"));
	Body.SetArrayField("variables", std::move(Variables));
	FJsonValueArray Functions;
	Functions.emplace_back("Flicker");
	Body.SetArrayField("functions", std::move(Functions));

	const std::shared_ptr<FJsonObject> Response = DeployJson(FJsonSerializer::SerializeCondensed(Body));
	EXPECT_EQ(Response->TryGetBoolField("success"), true);
	const std::shared_ptr<FJsonObject> Pasted = Response->TryGetObjectField("steps")->TryGetObjectField("graphs");
	ASSERT_NE(Pasted, nullptr);
	EXPECT_EQ(Keys(*Pasted), "EventGraph,Bad.Name");
	EXPECT_EQ(Pasted->TryGetObjectField("EventGraph")->TryGetStringField("status"), "ok");
	EXPECT_EQ(Pasted->TryGetObjectField("EventGraph")->TryGetNumberField("clearedStaleNodes"), 0.0);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Pasted->TryGetObjectField("Bad.Name")), R"({"status":"error","error":"Graph 'Bad.Name' not found. Available: EventGraph, Flicker"})");
	const std::string CompileMessages = Editor->OnGameThread([]() {
		const UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), "/Game/Generated/BP_Pasted.BP_Pasted"));
		std::string Messages = std::to_string(static_cast<int>(Blueprint->Status));
		for (const FCompilerResultsMessage& Message : Blueprint->LastCompileResults.Messages)
		{
			Messages += "|" + Message.Text;
		}
		return Messages;
	});
	EXPECT_EQ(CompileMessages, std::to_string(static_cast<int>(BS_UpToDate))) << "the pasted graph was compiled";

	const std::shared_ptr<FJsonObject> Empty = DeployJson(R"({"name":"BP_Pasted","graphs":{"EventGraph":"","Other":""}})");
	EXPECT_EQ(StepsOf(*Empty).substr(StepsOf(*Empty).rfind("\"graphs\"")), R"("graphs":{}})");
	const std::shared_ptr<FJsonObject> NoKeys = DeployJson(R"({"name":"BP_Pasted","graphs":{}})");
	EXPECT_THAT(StepsOf(*NoKeys), Not(HasSubstr("\"graphs\"")));
}

TEST_F(BlueprintDeployOverHttp, RequestChecksComeBeforeThePythonCheck)
{
	Start(DeployEditorOptions(false));
	EXPECT_EQ(Deploy("[1]"), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Deploy(R"({"path":"/Game/X"})"), R"({"success":false,"error":"Missing 'name' field"})");
	EXPECT_EQ(Deploy(R"({"name":"BP_X","path":"Game/X"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Deploy(R"({"name":"BP_X","path":"/Game/../X"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Deploy(R"({"name":"BP_X"})"), std::string(R"({"pythonAvailable":false,"success":false,"error":")") + PythonMessage + "\"}");
	EXPECT_FALSE(Editor->Project().Exists("Intermediate/Korvane/_kv_deploy_payload.json"));
}

TEST_F(BlueprintDeployOverHttp, DefaultFolderAndFallbackPathWhenTheScriptNamesNone)
{
	StartWithTestScript("import json\n"
						"payload = json.load(open(__kv_payload_path, encoding='utf-8'))\n"
						"json.dump({'compile': {'status': 'ok'}, 'create': {'status': 'ok'}, 'blueprintPath': '', 'success': True, 'seen': payload}, open(__kv_result_path, 'w'))\n");
	const std::shared_ptr<FJsonObject> Response = DeployJson(R"({"name":"BP_Default","variables":"not a list"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Response),
		R"({"pythonAvailable":true,"blueprintPath":"/Game/Generated/BP_Default","success":true,"steps":{"create":{"status":"ok"},"compile":{"status":"ok"}}})");

	const std::shared_ptr<FJsonObject> Trailing = DeployJson(R"({"name":"BP_Default","path":"/Game/Folder/","graphs":{"EventGraph":"x"}})");
	EXPECT_EQ(Trailing->TryGetStringField("blueprintPath"), "/Game/Folder/BP_Default");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Trailing->TryGetObjectField("steps")->TryGetObjectField("graphs")),
		R"({"status":"error","error":"Could not load Blueprint at /Game/Folder/BP_Default for node paste"})");
}

TEST_F(BlueprintDeployOverHttp, ScriptFailuresAreReportedWithTheirSteps)
{
	StartWithTestScript("import json\n"
						"json.dump({'success': False, 'error': 'boom', 'compile': {'status': 'skipped'}, 'create': {'status': 'error'}, 'other': {}}, "
						"open(__kv_result_path, 'w'))\n");
	EXPECT_EQ(Deploy(R"({"name":"BP_X"})"),
		R"({"pythonAvailable":true,"success":false,"error":"Python deploy failed: boom","steps":{"create":{"status":"error"},"compile":{"status":"skipped"}}})");

	Editor->Project().WriteFile("Plugins/KorvaneConnector/Resources/_kv_deploy.py", "open(__kv_result_path, 'w').write('[1, 2]')\n");
	EXPECT_EQ(Deploy(R"({"name":"BP_X"})"),
		R"({"pythonAvailable":true,"success":false,"error":"Python script did not produce a result file. Check UE Output Log for errors."})");

	Editor->Project().WriteFile("Plugins/KorvaneConnector/Resources/_kv_deploy.py", "raise RuntimeError('no result')\n");
	EXPECT_EQ(Deploy(R"({"name":"BP_X"})"),
		R"({"pythonAvailable":true,"success":false,"error":"Python script did not produce a result file. Check UE Output Log for errors."})");
}

TEST_F(BlueprintDeployOverHttp, MissingScriptNamesTheRunCopyThenTheResource)
{
	Start(DeployEditorOptions(true, EDeployScript::ProjectPlugin));
	const std::string Dir = Editor->Project().Dir();
	EXPECT_EQ(Deploy(R"({"name":"BP_X"})"), R"({"pythonAvailable":true,"success":false,"error":"Deploy script not found at )" + Dir
			+ "Intermediate/Korvane/_kv_deploy.py or " + Dir + "Plugins/KorvaneConnector/Resources/_kv_deploy.py\"}");
}

TEST_F(BlueprintDeployOverHttp, ShippedScriptRefusesWhatItCannotBuild)
{
	Start();
	const auto ErrorOf = [this](std::string_view Body) { return DeployJson(Body)->TryGetStringField("error").value_or("(none)"); };
	EXPECT_EQ(ErrorOf(R"({"name":"BP_X","parentClass":"NoSuchClass"})"), "Python deploy failed: Unknown parent class 'NoSuchClass'");
	EXPECT_EQ(ErrorOf(R"({"name":"BP X"})"), "Python deploy failed: Invalid Blueprint name: the name 'BP X' holds the character ' ', which asset names cannot hold");
	EXPECT_EQ(ErrorOf(R"({"name":"SM_Crate","path":"/Game/Props"})"), "Python deploy failed: An asset of class StaticMesh is already at /Game/Props/SM_Crate");
	EXPECT_EQ(ErrorOf(R"({"name":"BP_X","path":"/Engine/Generated"})"), "Python deploy failed: Blueprints are deployed under /Game, not to '/Engine/Generated'");

	const std::shared_ptr<FJsonObject> Refused = DeployJson(R"({"name":"BP_X","parentClass":"NoSuchClass"})");
	EXPECT_THAT(StepsOf(*Refused), StartsWith(R"({"create":{"status":"error","error":"Unknown parent class 'NoSuchClass'"},"variables":{"status":"skipped")"));
	EXPECT_FALSE(Editor->Project().Exists("Content/Generated/BP_X.asset.json"));
	EXPECT_TRUE(PythonHolds("'DeployError' not in globals() and 'run' not in globals()"));
}

TEST_F(BlueprintDeployOverHttp, GatheredBlueprintDeployedUnderANewNameGathersTheSame)
{
	Start();
	const std::shared_ptr<FJsonObject> Original = Gather("/Game/Blueprints/BP_Campfire.BP_Campfire");

	// The request the desktop app makes of a gathered Blueprint: its graphs as their copy-paste
	// text, the event graph pages named, and the component properties the enrich script reports
	// (here the template values the asset file holds).
	FJsonObject Request(*Original);
	Request.SetStringField("name", "BP_CampfireCopy");
	auto Texts = std::make_shared<FJsonObject>();
	FJsonValueArray EventGraphs;
	for (const auto& [Name, Graph] : Original->TryGetObjectField("graphs")->Values())
	{
		Texts->SetStringField(Name, *Graph.TryGetObject()->TryGetStringField("clipboardText"));
		if (Graph.TryGetObject()->TryGetStringField("type") == "event")
		{
			EventGraphs.emplace_back(Name);
		}
	}
	Request.SetObjectField("graphs", Texts);
	Request.SetArrayField("eventGraphs", std::move(EventGraphs));
	const std::shared_ptr<FJsonObject> Asset = FJsonSerializer::DeserializeObject(Editor->Project().ReadFile("Content/Blueprints/BP_Campfire.asset.json"));
	FJsonValueArray Components;
	for (const FJsonValue& Gathered : *Original->TryGetArrayField("components"))
	{
		auto Component = std::make_shared<FJsonObject>(*Gathered.TryGetObject());
		for (const FJsonValue& Stored : *Asset->TryGetArrayField("components"))
		{
			if (Stored.TryGetObject()->TryGetStringField("name") == Component->TryGetStringField("name") && Stored.TryGetObject()->TryGetObjectField("properties"))
			{
				Component->SetObjectField("properties", Stored.TryGetObject()->TryGetObjectField("properties"));
			}
		}
		Components.emplace_back(std::move(Component));
	}
	Request.SetArrayField("components", std::move(Components));

	const std::shared_ptr<FJsonObject> Response = DeployJson(FJsonSerializer::SerializeCondensed(Request));
	ASSERT_EQ(Response->TryGetBoolField("success"), true) << StepsOf(*Response);
	EXPECT_EQ(Response->TryGetStringField("blueprintPath"), "/Game/Blueprints/BP_CampfireCopy.BP_CampfireCopy");
	for (const auto& [Name, Pasted] : Response->TryGetObjectField("steps")->TryGetObjectField("graphs")->Values())
	{
		EXPECT_EQ(Pasted.TryGetObject()->TryGetStringField("status"), "ok") << Name;
	}
	EXPECT_EQ(Editor->OnGameThread([]() { return static_cast<int>(Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), "/Game/Blueprints/BP_CampfireCopy.BP_CampfireCopy"))->Status); }),
		static_cast<int>(BS_UpToDate));

	// What the copy went through beyond the original: the deploy refreshed its nodes (self pins
	// as "self", library calls given their hidden target pin, sub-category objects in the
	// refresh's spelling), so the original is refreshed the same way before the comparison. The
	// copy names itself where the original names itself (its path, its templates' paths). And
	// each function graph's entry node is K2Node_FunctionEntry_1 in the copy: the deploy paste
	// removed the entry the script made, whose name stays taken until garbage collection, so
	// the pasted entry was renamed (and the links to it with it). With those two names put back,
	// variables, components and graphs (nodes with their GUIDs, sockets, connections, comments
	// and copy-paste text) are the same, but for the ids of the target pins the refresh adds.
	const std::shared_ptr<FJsonObject> Copy = Gather("/Game/Blueprints/BP_CampfireCopy.BP_CampfireCopy");
	const std::shared_ptr<FJsonObject> Refreshed = Editor->OnGameThread([]() {
		UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), "/Game/Blueprints/BP_Campfire.BP_Campfire"));
		FBlueprintEditorUtils::RefreshAllNodes(Blueprint);
		return GatherBlueprint(Blueprint);
	});
	const auto Normalised = [](const FJsonObject& Gathered, std::string_view Key) {
		FJsonObject Member;
		if (const FJsonValue* const Value = Gathered.TryGetField(Key))
		{
			Member.SetField(Key, *Value);
		}
		std::string Text = FJsonSerializer::SerializeCondensed(Member);
		for (const auto& [From, To] : {std::pair<std::string_view, std::string_view>{"BP_CampfireCopy", "BP_Campfire"}, {"K2Node_FunctionEntry_1", "K2Node_FunctionEntry_0"}})
		{
			for (std::size_t At = Text.find(From); At != std::string::npos; At = Text.find(From, At + To.size()))
			{
				Text.replace(At, From.size(), To);
			}
		}
		// Target pins the refresh adds get a fresh id on each side.
		static const std::regex RefreshedTargetPinId(R"(PinId=[0-9A-F]{32}(,PinName=\\"self\\"))");
		return std::regex_replace(Text, RefreshedTargetPinId, "PinId=(new)$1");
	};
	for (const std::string_view Key : {"parentClass", "variables", "components", "graphs", "functions", "activeGraph"})
	{
		EXPECT_EQ(Normalised(*Copy, Key), Normalised(*Refreshed, Key)) << Key;
	}
	EXPECT_EQ(Editor->OnGameThread([]() {
		const UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), "/Game/Blueprints/BP_CampfireCopy.BP_CampfireCopy"));
		return Blueprint->FindVariable("VisitorNames")->VarType.ContainerType + "," + Blueprint->FindVariable("HeatByDistance")->VarType.ContainerType;
	}),
		"None,None") << "sets and maps gather as plain variables, so the copy holds single values where the original holds a set and a map";
}

TEST_F(BlueprintDeployOverHttp, GraphsGivenOnlyAsTextKeepEveryEventGraphPage)
{
	Start();
	const std::shared_ptr<FJsonObject> Original = Gather("/Game/Blueprints/BP_Campfire.BP_Campfire");
	ASSERT_NE(Original->TryGetObjectField("graphs")->TryGetField("Lighting"), nullptr) << "the demo Blueprint has a second event graph page";

	// The shape a new user sends: the gathered members and each graph as name to copy-paste
	// text, with no list of event graph pages.
	FJsonObject Request;
	Request.SetStringField("name", "BP_CampfirePages");
	Request.SetStringField("path", "/Game/Blueprints");
	for (const std::string_view Key : {"parentClass", "variables", "components", "functions"})
	{
		if (const FJsonValue* const Value = Original->TryGetField(Key))
		{
			Request.SetField(Key, *Value);
		}
	}
	auto Texts = std::make_shared<FJsonObject>();
	for (const auto& [Name, Graph] : Original->TryGetObjectField("graphs")->Values())
	{
		Texts->SetStringField(Name, *Graph.TryGetObject()->TryGetStringField("clipboardText"));
	}
	Request.SetObjectField("graphs", Texts);

	const std::shared_ptr<FJsonObject> Response = DeployJson(FJsonSerializer::SerializeCondensed(Request));
	ASSERT_EQ(Response->TryGetBoolField("success"), true) << StepsOf(*Response);
	for (const auto& [Name, Pasted] : Response->TryGetObjectField("steps")->TryGetObjectField("graphs")->Values())
	{
		EXPECT_EQ(Pasted.TryGetObject()->TryGetStringField("status"), "ok") << Name << ": " << FJsonSerializer::SerializeCondensed(*Pasted.TryGetObject());
	}

	const auto GraphShape = [](const FJsonObject& Gathered) {
		std::string Shape;
		for (const auto& [Name, Graph] : Gathered.TryGetObjectField("graphs")->Values())
		{
			Shape += Name + ":" + *Graph.TryGetObject()->TryGetStringField("type") + ":" + std::to_string(Graph.TryGetObject()->TryGetArrayField("nodes")->size()) + " ";
		}
		return Shape;
	};
	EXPECT_EQ(GraphShape(*Gather("/Game/Blueprints/BP_CampfirePages.BP_CampfirePages")), GraphShape(*Original));
}
