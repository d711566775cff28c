#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/Log.h"
#include "Python/PythonScriptPlugin.h"
#include "PythonLiteral.h"
#include "ScriptHandoff.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::HasSubstr;

namespace
{
	/** Echoes the payload's name back, with the globals the script saw. */
	constexpr const char* EchoScript =
		"import json\n"
		"with open(__kv_payload_path, encoding='utf-8') as f:\n"
		"    payload = json.load(f)\n"
		"with open(__kv_result_path, 'w', encoding='utf-8') as f:\n"
		"    json.dump({'success': True, 'echo': payload['name']}, f)\n";

	FTestEditorOptions HandoffEditorOptions(bool bEmbeddedPython = true)
	{
		FTestEditorOptions Options;
		Options.bLoadConnector = false;
		Options.bEmbeddedPython = bEmbeddedPython;
		return Options;
	}

	FScriptHandoffParams TestParams(std::string PayloadText = R"({"name":"Crate"})")
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = "_kv_test_payload.json";
		Params.ResultFileName = "_kv_test_result.json";
		Params.ScriptFileName = "_kv_test.py";
		Params.PayloadText = std::move(PayloadText);
		return Params;
	}

	/** Lists the test project's Plugin/ folder as the KorvaneConnector plug-in, shipping _kv_test.py with that text. */
	void ShipScript(FTestEditor& Editor, std::string_view Script)
	{
		Editor.Project().WriteFile("Plugin/Resources/_kv_test.py", Script);
		Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor.Project().PathOf("Plugin/"), true);
	}

	bool GlobalsAreReset()
	{
		return IPythonScriptPlugin::Get()->ExecPythonCommand("assert __kv_payload_path is None and __kv_result_path is None");
	}
}

TEST(ScriptHandoff, RunsTheScriptReadsItsResultAndCleansUp)
{
	FTestEditor Editor(HandoffEditorOptions());
	ShipScript(Editor, EchoScript);
	FLogCapture Log;
	FScriptHandoffParams Params = TestParams();
	Params.RunMessage = "Running test script...";
	Params.RunMessageVerbosity = ELogVerbosity::Log;

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
	ASSERT_TRUE(Outcome.Succeeded());
	const std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject();
	ASSERT_NE(Result, nullptr);
	EXPECT_EQ(Result->TryGetStringField("echo"), "Crate");
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Running test script..."));

	const std::string Dir = Editor.Project().Dir() + "Intermediate/Korvane/";
	EXPECT_EQ(Outcome.Files.PayloadPath, Dir + "_kv_test_payload.json");
	EXPECT_EQ(Outcome.Files.ResultPath, Dir + "_kv_test_result.json");
	EXPECT_EQ(Outcome.Files.RunCopyPath, Dir + "_kv_test.py");
	EXPECT_EQ(Outcome.Files.ResourceScriptPath, Editor.Project().Dir() + "Plugin/Resources/_kv_test.py");
	EXPECT_FALSE(Editor.Project().Exists("Intermediate/Korvane/_kv_test_payload.json"));
	EXPECT_FALSE(Editor.Project().Exists("Intermediate/Korvane/_kv_test_result.json"));
	EXPECT_EQ(Editor.Project().ReadFile("Intermediate/Korvane/_kv_test.py"), EchoScript);
	EXPECT_TRUE(GlobalsAreReset());

	Params.bDeleteRunCopyAfterRead = true;
	ASSERT_TRUE(RunScriptHandoff(Params).Succeeded());
	EXPECT_FALSE(Editor.Project().Exists("Intermediate/Korvane/_kv_test.py"));
}

TEST(ScriptHandoff, WithoutPythonNothingIsTouched)
{
	FTestEditor Editor(HandoffEditorOptions(false));
	ShipScript(Editor, EchoScript);
	EXPECT_FALSE(IsPythonReady());
	const FScriptHandoffOutcome Outcome = RunScriptHandoff(TestParams());
	EXPECT_EQ(Outcome.Failure, EScriptHandoffFailure::PythonNotReady);
	EXPECT_FALSE(Editor.Project().Exists("Intermediate"));
}

TEST(ScriptHandoff, MissingScriptFallsBackToTheRunCopyOfAnEarlierRun)
{
	FTestEditor Editor(HandoffEditorOptions());
	Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor.Project().PathOf("Plugin/"), true);

	const FScriptHandoffOutcome Missing = RunScriptHandoff(TestParams());
	EXPECT_EQ(Missing.Failure, EScriptHandoffFailure::ScriptNotFound);
	EXPECT_EQ(Missing.Files.ResourceScriptPath, Editor.Project().Dir() + "Plugin/Resources/_kv_test.py");

	Editor.Project().WriteFile("Intermediate/Korvane/_kv_test.py", EchoScript);
	const FScriptHandoffOutcome FromCopy = RunScriptHandoff(TestParams());
	ASSERT_TRUE(FromCopy.Succeeded());
	EXPECT_EQ(FromCopy.ParseResultObject()->TryGetStringField("echo"), "Crate");
}

TEST(ScriptHandoff, PlugInUnknownToThePlugInManagerIsLookedForUnderTheProject)
{
	FTestEditor Editor(HandoffEditorOptions());
	Editor.Project().WriteFile("Plugins/KorvaneConnector/Resources/_kv_test.py", EchoScript);
	const FScriptHandoffOutcome Outcome = RunScriptHandoff(TestParams());
	EXPECT_EQ(Outcome.Files.ResourceScriptPath, Editor.Project().Dir() + "Plugins/KorvaneConnector/Resources/_kv_test.py");
	EXPECT_TRUE(Outcome.Succeeded());
}

TEST(ScriptHandoff, ScriptRaisingBeforeItsResultLeavesNoResultAndResetsTheGlobals)
{
	FTestEditor Editor(HandoffEditorOptions());
	ShipScript(Editor, "raise RuntimeError('script broke')\n");
	Editor.Project().WriteFile("Intermediate/Korvane/_kv_test_result.json", R"({"success":true,"stale":true})");
	FLogCapture Log;

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(TestParams());
	EXPECT_EQ(Outcome.Failure, EScriptHandoffFailure::NoResultFile);
	EXPECT_THAT(Log.Messages("LogPython"), Contains("RuntimeError: script broke"));
	EXPECT_FALSE(Editor.Project().Exists("Intermediate/Korvane/_kv_test_result.json"));
	EXPECT_TRUE(Editor.Project().Exists("Intermediate/Korvane/_kv_test_payload.json"));
	EXPECT_TRUE(GlobalsAreReset());
}

TEST(ScriptHandoff, ResultThatIsNoJsonObjectIsHandedOverAndDeleted)
{
	FTestEditor Editor(HandoffEditorOptions());
	for (const std::string_view Written : {"not json at all", "[1, 2, 3]"})
	{
		ShipScript(Editor, "open(__kv_result_path, 'w').write('" + std::string(Written) + "')\n");
		const FScriptHandoffOutcome Outcome = RunScriptHandoff(TestParams());
		ASSERT_TRUE(Outcome.Succeeded());
		EXPECT_EQ(Outcome.ResultText, Written);
		EXPECT_EQ(Outcome.ParseResultObject(), nullptr);
		EXPECT_FALSE(Editor.Project().Exists("Intermediate/Korvane/_kv_test_result.json"));
	}
}

TEST(ScriptHandoff, UnwritablePayloadStopsBeforeTheScriptRuns)
{
	FTestEditor Editor(HandoffEditorOptions());
	ShipScript(Editor, "import __main__\n__main__.script_ran = True\n");
	Editor.Project().WriteFile("Intermediate/Korvane", "a file where the folder should be");

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(TestParams());
	EXPECT_EQ(Outcome.Failure, EScriptHandoffFailure::PayloadNotWritten);
	EXPECT_FALSE(IPythonScriptPlugin::Get()->ExecPythonCommand("script_ran"));
}

TEST(ScriptHandoff, CallerWrittenPayloadUnderItsOwnGlobalStays)
{
	FTestEditor Editor(HandoffEditorOptions());
	ShipScript(Editor, "import shutil\nshutil.copyfile(__kv_metadata_path, __kv_result_path)\n");
	Editor.Project().WriteFile("Intermediate/Korvane/_kv_property_metadata.json", R"({"ActorComponent":{}})");
	FScriptHandoffParams Params = TestParams();
	Params.PayloadFileName = "_kv_property_metadata.json";
	Params.PayloadGlobal = "__kv_metadata_path";
	Params.PayloadText.reset();
	Params.bDeletePayloadAfterRead = false;

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
	ASSERT_TRUE(Outcome.Succeeded());
	EXPECT_EQ(Outcome.ResultText, R"({"ActorComponent":{}})");
	EXPECT_TRUE(Editor.Project().Exists("Intermediate/Korvane/_kv_property_metadata.json"));
	EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand("assert __kv_metadata_path is None and __kv_result_path is None"));
}

TEST(ScriptHandoff, ProjectPathsWithQuotesStayInsideTheirLiterals)
{
	// The editor reads a backslash in a path as a separator, so a project folder
	// can hold a quote but never a backslash; both are checked on the literal below.
	for (const char* ProjectName : {"It's 'quoted'", "Ends with quote'", "x'); open('pwned','w"})
	{
		FTestEditorOptions Options = HandoffEditorOptions();
		Options.ProjectName = ProjectName;
		FTestEditor Editor(Options);
		ShipScript(Editor, EchoScript);
		const FScriptHandoffOutcome Outcome = RunScriptHandoff(TestParams());
		ASSERT_TRUE(Outcome.Succeeded()) << ProjectName;
		EXPECT_EQ(Outcome.ParseResultObject()->TryGetStringField("echo"), "Crate");
		EXPECT_FALSE(Editor.Project().Exists("Intermediate/Korvane/_kv_test_payload.json"));
		EXPECT_TRUE(GlobalsAreReset());
	}
}

TEST(PythonStringLiteral, EvaluatesToTheExactTextInTheRealInterpreter)
{
	FTestEditor Editor(HandoffEditorOptions());
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	for (const std::string Text : {"/plain/path", "C:\\Users\\me", "trailing\\", "quote's", "\\'", "new\nline\ttab\x01", "caf\xc3\xa9 \xe2\x80\x94"})
	{
		// The text goes in once through the literal and once as bytes spelled out in hex, and must compare equal.
		std::string Hex;
		for (const unsigned char Character : Text)
		{
			static constexpr char Digits[] = "0123456789abcdef";
			Hex += Digits[Character >> 4];
			Hex += Digits[Character & 0xF];
		}
		EXPECT_TRUE(Python->ExecPythonCommand("assert " + PythonStringLiteral(Text) + ".encode('utf-8') == bytes.fromhex('" + Hex + "')")) << Text;
	}
}

TEST(ScriptHandoff, ServerKeepsServingAfterAFailedRun)
{
	FTestEditorOptions Options = HandoffEditorOptions();
	Options.bLoadConnector = true;
	FTestEditor Editor(Options);
	ShipScript(Editor, "import sys\nsys.exit('gone')\n");
	Editor.Serve();

	const FScriptHandoffOutcome Outcome = Editor.OnGameThread([]() { return RunScriptHandoff(TestParams()); });
	EXPECT_EQ(Outcome.Failure, EScriptHandoffFailure::NoResultFile);
	FTestHttpClient Client(Editor.Port());
	const std::optional<FTestHttpResponse> Status = Client.Request("GET", "/korvane/status");
	ASSERT_TRUE(Status.has_value());
	EXPECT_EQ(Status->Status, 200);
	EXPECT_THAT(Status->Body, HasSubstr("\"pythonAvailable\":true"));
}
