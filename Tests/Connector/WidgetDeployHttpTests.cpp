#include "Connector/WidgetHttpTestSupport.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/FileSystem.h"
#include "Core/Paths.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/K2Node_ComponentBoundEvent.h"
#include "Python/PythonScriptPlugin.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetTree.h"

#include <gmock/gmock.h>

#include <sys/stat.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
	class WidgetDeployOverHttp : public WidgetRouteTest
	{
	protected:
		/** The root widget's name and the member variables, "Root|A:real,B:object" (or "(none)" without the asset). */
		std::string ShapeOf(std::string ObjectPath)
		{
			return WithWidgetBlueprint(std::move(ObjectPath), [](UWidgetBlueprint* Blueprint) {
				if (Blueprint == nullptr)
				{
					return std::string("(none)");
				}
				const UWidgetTree* const Tree = Blueprint->WidgetTree;
				std::string Shape = Tree != nullptr && Tree->RootWidget != nullptr ? Tree->RootWidget->GetName() : std::string("(no root)");
				Shape += "|";
				for (const FBPVariableDescription& Variable : Blueprint->NewVariables)
				{
					Shape += Variable.VarName + ":" + Variable.VarType.PinCategory + (Variable.VarType.IsArray() ? "[]" : "") + ",";
				}
				return Shape;
			});
		}

		std::string ScriptFile(std::string_view Name) { return Editor->Project().ReadFile("Content/Python/" + std::string(Name)); }
	};

	constexpr std::string_view TwoParentless =
		"Begin Object Class=/Script/UMG.TextBlock Name=\"First\"\n"
		"End Object\n"
		"Begin Object Class=/Script/UMG.TextBlock Name=\"Second\"\n"
		"End Object\n";

	/** An event graph with a button's bound click event whose handler has no name yet. */
	constexpr std::string_view BoundClickGraph =
		"Begin Object Class=/Script/BlueprintGraph.K2Node_ComponentBoundEvent Name=\"K2Node_ComponentBoundEvent_0\"\n"
		"   DelegatePropertyName=\"OnClicked\"\n"
		"   DelegateOwnerClass=/Script/CoreUObject.Class'\"/Script/UMG.Button\"'\n"
		"   ComponentPropertyName=\"StartButton\"\n"
		"   EventReference=(MemberParent=/Script/CoreUObject.Package'\"/Script/UMG\"',MemberName=\"OnButtonClickedEvent__DelegateSignature\")\n"
		"   NodeGuid=0123456789ABCDEF0123456789ABCDEF\n"
		"   CustomProperties Pin (PinId=11111111111111111111111111111111,PinName=\"then\",Direction=\"EGPD_Output\",PinType.PinCategory=\"exec\",)\n"
		"End Object\n";

	constexpr std::string_view StartButtonHierarchy =
		"Begin Object Class=/Script/UMG.Button Name=\"StartButton\"\n"
		"   bIsVariable=True\n"
		"End Object\n";
}

TEST_F(WidgetDeployOverHttp, RequestChecksAnswerBeforeAnythingIsMade)
{
	Start();
	EXPECT_EQ(Condensed(Post("/korvane/widget/deploy", "[1]")), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Condensed(Post("/korvane/widget/deploy", R"({"name":"","hierarchy":"x"})")), R"({"success":false,"error":"Missing 'name' field"})");
	EXPECT_EQ(Condensed(Post("/korvane/widget/deploy", R"({"name":"W","path":"/Game","hierarchy":"x"})")), R"({"success":false,"error":"Invalid asset path"})")
		<< "the prefix needs its trailing slash";
	for (const std::string_view Name : {"../W", "Sub/W", "W.W", "W:X"})
	{
		FJsonObject Body = DeployBody(Name);
		EXPECT_EQ(Condensed(Deploy(Body)), R"({"success":false,"error":"Invalid asset path"})") << Name << ": a name may not move the asset out of its folder";
	}
	EXPECT_EQ(Condensed(Post("/korvane/widget/deploy", R"({"name":"W","hierarchy":""})")),
		R"J({"success":false,"error":"Missing 'hierarchy' field (widget-tree clipboard text)"})J");
	EXPECT_EQ(Condensed(Post("/korvane/widget/deploy", R"({"name":"W","hierarchy":"Begin Object Class=/Script/Engine.Actor Name=\"A\"\nEnd Object\n"})")),
		R"({"blueprintPath":"/Game/Generated/W","success":false,"error":"Hierarchy import produced no widgets — is 'hierarchy' the widget-tree clipboard text?"})");
}

TEST_F(WidgetDeployOverHttp, TheWidgetTypeDecidesTheKindAndEveryStepIsReported)
{
	Start();
	const std::shared_ptr<FJsonObject> Utility = Deploy(DeployBody("EUW_Tool"));
	EXPECT_EQ(Keys(*Utility), "blueprintPath,success,steps");
	EXPECT_EQ(Utility->TryGetStringField("blueprintPath"), "/Game/Generated/EUW_Tool") << "the default folder";
	EXPECT_EQ(Keys(*Utility->TryGetObjectField("steps")), "create,hierarchy,compile");
	EXPECT_EQ(Condensed(Step(*Utility, "create")), R"({"status":"ok","action":"created","class":"EditorUtilityWidgetBlueprint"})");
	EXPECT_EQ(Condensed(Step(*Utility, "hierarchy")), R"({"status":"ok","widgetCount":2,"root":"Root"})");
	EXPECT_EQ(Condensed(Step(*Utility, "compile")), R"({"status":"ok","blueprintStatus":"UpToDate"})");
	EXPECT_EQ(Utility->TryGetBoolField("success"), true);

	FJsonObject Hud = DeployBody("WBP_Hud");
	Hud.SetStringField("widgetType", "uSeRwIdGeT");
	Hud.SetStringField("path", "/Game/UI/");
	const std::shared_ptr<FJsonObject> Widget = Deploy(Hud);
	EXPECT_EQ(Widget->TryGetStringField("blueprintPath"), "/Game/UI/WBP_Hud") << "one slash between folder and name";
	EXPECT_EQ(Step(*Widget, "create")->TryGetStringField("class"), "WidgetBlueprint");
	EXPECT_EQ(ShapeOf("/Game/UI/WBP_Hud.WBP_Hud"), "Root|");
	EXPECT_EQ(WithWidgetBlueprint("/Game/UI/WBP_Hud.WBP_Hud", [](UWidgetBlueprint* Blueprint) { return Blueprint->GetPackage()->IsDirty(); }), true);
}

TEST_F(WidgetDeployOverHttp, ExistingAssetsAreKeptUnlessOverwriteReplacesAWidgetBlueprint)
{
	Start();
	FJsonObject First = DeployBody("W_Panel");
	First.SetArrayField("variables", JsonArray(R"([{"name":"Health","type":"float"}])"));
	First.SetArrayField("functions", JsonArray(R"(["Refresh"])"));
	ASSERT_EQ(Deploy(First)->TryGetBoolField("success"), true);

	FJsonObject Again = DeployBody("W_Panel", TwoParentless);
	EXPECT_EQ(Condensed(Deploy(Again)),
		R"({"blueprintPath":"/Game/Generated/W_Panel","success":false,"error":"Asset already exists at /Game/Generated/W_Panel. Pass \"overwrite\": true to replace it."})");
	EXPECT_EQ(ShapeOf("/Game/Generated/W_Panel.W_Panel"), "Root|Health:real,") << "untouched";

	Again.SetBoolField("overwrite", true);
	Again.SetArrayField("functions", JsonArray(R"(["refresh","Recount",""])"));
	const std::shared_ptr<FJsonObject> Replaced = Deploy(Again);
	EXPECT_EQ(Condensed(Step(*Replaced, "create")), R"({"status":"ok","action":"updated","class":"EditorUtilityWidgetBlueprint"})");
	EXPECT_EQ(Condensed(Step(*Replaced, "functions")), R"({"status":"ok","created":1,"existing":1})") << "function graphs survive the overwrite";
	EXPECT_EQ(ShapeOf("/Game/Generated/W_Panel.W_Panel"), "First|") << "variables and widgets are replaced";
	EXPECT_EQ(WithWidgetBlueprint("/Game/Generated/W_Panel.W_Panel", [](UWidgetBlueprint* Blueprint) {
		std::vector<UWidget*> Widgets;
		Blueprint->WidgetTree->GetAllWidgets(Widgets);
		return Widgets.size();
	}),
		2u) << "the old widgets left the tree";

	FJsonObject Plain = DeployBody("BP_Campfire");
	Plain.SetStringField("path", "/Game/Blueprints");
	Plain.SetBoolField("overwrite", true);
	EXPECT_EQ(Condensed(Deploy(Plain)),
		R"({"blueprintPath":"/Game/Blueprints/BP_Campfire","success":false,"error":"Asset at /Game/Blueprints/BP_Campfire exists but is not a Widget Blueprint"})");
}

TEST_F(WidgetDeployOverHttp, ParentlessWidgetsAfterTheFirstAreListedAsUnattached)
{
	Start();
	const std::shared_ptr<FJsonObject> Response = Deploy(DeployBody("W_Two", TwoParentless));
	EXPECT_EQ(Condensed(Step(*Response, "hierarchy")), R"({"status":"ok","widgetCount":2,"root":"First","unattachedWidgets":["Second"]})");
	EXPECT_EQ(ShapeOf("/Game/Generated/W_Two.W_Two"), "First|");
}

TEST_F(WidgetDeployOverHttp, VariablesAreAddedWithTheirTypesAndFailuresListed)
{
	Start();
	FJsonObject Body = DeployBody("W_Vars");
	Body.SetArrayField("variables", JsonArray(R"([
		{"name":"Offset","type":"Vector2D"},
		{"name":"Layout","type":"struct","subType":"Margin"},
		{"name":"Target","type":"object","subType":"NoSuchClassAnywhere"},
		{"name":"Scores","type":"int","isArray":true,"default":3},
		{"name":"","type":"bool"},
		7,
		{"name":"Offset","type":"float"},
		{"name":"Ready","type":"Bool","default":true}])"));
	const std::shared_ptr<FJsonObject> Response = Deploy(Body);
	EXPECT_EQ(Condensed(Step(*Response, "variables")), R"J({"status":"partial","added":4,"failed":["Layout (unknown type struct)","Offset"]})J");
	EXPECT_EQ(ShapeOf("/Game/Generated/W_Vars.W_Vars"), "Root|Offset:struct,Target:object,Scores:int[],Ready:bool,");
	EXPECT_EQ(WithWidgetBlueprint("/Game/Generated/W_Vars.W_Vars", [](UWidgetBlueprint* Blueprint) {
		return Blueprint->FindVariable("Target")->VarType.PinSubCategoryObject + "|" + Blueprint->FindVariable("Scores")->DefaultValue + "|"
			+ Blueprint->FindVariable("Ready")->DefaultValue;
	}),
		"\"/Script/CoreUObject.Class'/Script/CoreUObject.Object'\"|3|true") << "an unknown class becomes the base object class";

	FJsonObject Empty = DeployBody("W_NoVars");
	Empty.SetArrayField("variables", FJsonValueArray());
	EXPECT_EQ(Step(*Deploy(Empty), "variables"), nullptr) << "an empty list adds no step";
}

TEST_F(WidgetDeployOverHttp, DesignSizeNeedsBothSidesButTheModeStandsAlone)
{
	Start();
	FJsonObject Sized = DeployBody("EUW_Sized");
	Sized.SetObjectField("designSize", FJsonSerializer::DeserializeObject(R"({"x":1280,"y":720,"mode":"Custom"})"));
	ASSERT_EQ(Deploy(Sized)->TryGetBoolField("success"), true);
	EXPECT_EQ(Condensed(Read("/Game/Generated/EUW_Sized.EUW_Sized")->TryGetObjectField("designSize")), R"({"x":1280,"y":720,"mode":"Custom"})");

	FJsonObject ModeOnly = DeployBody("EUW_ModeOnly");
	ModeOnly.SetObjectField("designSize", FJsonSerializer::DeserializeObject(R"({"x":0,"y":500,"mode":"DesiredOnScreen"})"));
	ASSERT_EQ(Deploy(ModeOnly)->TryGetBoolField("success"), true);
	const std::shared_ptr<FJsonObject> Read2 = Read("/Game/Generated/EUW_ModeOnly.EUW_ModeOnly")->TryGetObjectField("designSize");
	ASSERT_NE(Read2, nullptr);
	EXPECT_EQ(Read2->TryGetStringField("mode"), "DesiredOnScreen");
	EXPECT_NE(Read2->TryGetNumberField("y"), 500.0) << "x 0 leaves the size as it was";
}

TEST_F(WidgetDeployOverHttp, ScriptsLandInContentPythonOnlyAndUnchangedMeansTheSameText)
{
	FTestEditorOptions Options = DemoProjectOptions();
	Options.bFakePython = true;
	Start(Options);
	const auto DeployScript = [this](std::string_view FileName, std::string_view Content) {
		FJsonObject Body = DeployBody("EUW_Script");
		Body.SetBoolField("overwrite", true);
		auto Script = std::make_shared<FJsonObject>();
		Script->SetStringField("filename", FileName);
		Script->SetStringField("content", Content);
		Body.SetObjectField("script", Script);
		return Step(*Deploy(Body), "script");
	};
	const std::string Folder = FPaths::Combine(Editor->Project().Dir(), "Content", "Python");
	const std::string FilePath = FPaths::Combine(Folder, "tool.py");

	const std::shared_ptr<FJsonObject> Written = DeployScript("scripts/nested/tool.py", "print('hi')\n");
	EXPECT_EQ(Condensed(Written), R"({"status":"ok","action":"written","path":")" + FilePath + R"(","sysPathEnsured":true})");
	EXPECT_EQ(ScriptFile("tool.py"), "print('hi')\n");
	EXPECT_FALSE(Editor->Project().Exists("Content/Python/scripts")) << "folders of the filename are dropped";
	ASSERT_FALSE(Editor->Python()->Commands.empty());
	EXPECT_THAT(Editor->Python()->Commands.back(), HasSubstr("sys.path.append(p)"));
	EXPECT_THAT(Editor->Python()->Commands.back(), HasSubstr(Folder)) << "the folder is a string literal of the command";

	// A write replaces the file (a new one renamed over it), so the file's identity tells whether it was written.
	const auto FileId = [&FilePath]() {
		struct stat Status = {};
		return stat(FilePath.c_str(), &Status) == 0 ? static_cast<long long>(Status.st_ino) : -1LL;
	};
	const long long Before = FileId();
	EXPECT_EQ(DeployScript("tool.py", "print('hi')\n")->TryGetStringField("action"), "unchanged");
	EXPECT_EQ(FileId(), Before) << "the same text is not written again";
	EXPECT_EQ(DeployScript("..\\tool.py", "PRINT('hi')\n")->TryGetStringField("action"), "updated") << "Python is case-sensitive: a change of case is an edit";
	EXPECT_EQ(ScriptFile("tool.py"), "PRINT('hi')\n");
	EXPECT_NE(FileId(), Before);

	const std::string Skipped = R"({"status":"skipped","reason":"script needs a .py filename and non-empty content"})";
	for (const std::string_view Name : {"", "..", "tool.txt", "scripts/", "../../"})
	{
		EXPECT_EQ(Condensed(DeployScript(Name, "x = 1\n")), Skipped) << Name;
	}
	EXPECT_EQ(Condensed(DeployScript("empty.py", "")), Skipped);
	EXPECT_EQ(DeployScript("../../../escape.py", "x = 1\n")->TryGetStringField("path"), FPaths::Combine(Folder, "escape.py"));
	EXPECT_FALSE(Editor->Project().Exists("escape.py"));
	EXPECT_FALSE(Editor->Project().Exists("Content/escape.py"));
}

TEST_F(WidgetDeployOverHttp, WithoutPythonTheScriptIsWrittenAndTheStepSaysSo)
{
	Start();
	FJsonObject Body = DeployBody("EUW_NoPython");
	Body.SetObjectField("script", FJsonSerializer::DeserializeObject(R"({"filename":"a.PY","content":"x = 1"})"));
	const std::shared_ptr<FJsonObject> Script = Step(*Deploy(Body), "script");
	EXPECT_EQ(Keys(*Script), "status,action,path,sysPathEnsured,note");
	EXPECT_EQ(Script->TryGetBoolField("sysPathEnsured"), false);
	EXPECT_EQ(Script->TryGetStringField("note"), "Python plugin unavailable — enable it or restart the editor for the import to resolve");
	EXPECT_EQ(ScriptFile("a.PY"), "x = 1");
}

TEST_F(WidgetDeployOverHttp, TheScriptFolderReachesPythonAsALiteralWhateverItsName)
{
	FTestEditorOptions Options = DemoProjectOptions(false);
	Options.ProjectName = "Bob's \"Project\"";
	Options.bEmbeddedPython = true;
	Start(Options);
	FJsonObject Body = DeployBody("EUW_Quoted");
	Body.SetObjectField("script", FJsonSerializer::DeserializeObject(R"({"filename":"quoted_module.py","content":"VALUE = 42\n"})"));
	ASSERT_EQ(Step(*Deploy(Body), "script")->TryGetBoolField("sysPathEnsured"), true);
	EXPECT_TRUE(Editor->OnGameThread([]() { return IPythonScriptPlugin::Get()->ExecPythonCommand("import quoted_module; assert quoted_module.VALUE == 42"); }))
		<< "the folder with quotes in its name is on sys.path";
}

TEST_F(WidgetDeployOverHttp, GraphsArePastedAndBoundEventsNamed)
{
	Start();
	FLogCapture Log;
	FJsonObject Body = DeployBody("WBP_Start", StartButtonHierarchy);
	Body.SetStringField("widgetType", "UserWidget");
	auto Graphs = std::make_shared<FJsonObject>();
	Graphs->SetStringField("EventGraph", BoundClickGraph);
	Graphs->SetStringField("Missing", BoundClickGraph);
	Graphs->SetStringField("Blank", "");
	Body.SetObjectField("graphs", Graphs);
	const std::shared_ptr<FJsonObject> Response = Deploy(Body);
	EXPECT_EQ(Keys(*Response->TryGetObjectField("steps")), "create,hierarchy,graphs,compile");
	const std::shared_ptr<FJsonObject> Pasted = Step(*Response, "graphs");
	EXPECT_EQ(Keys(*Pasted), "EventGraph,Missing");
	EXPECT_EQ(Pasted->TryGetObjectField("EventGraph")->TryGetStringField("status"), "ok");
	EXPECT_EQ(Pasted->TryGetObjectField("Missing")->TryGetStringField("error"), "Graph 'Missing' not found. Available: EventGraph");
	EXPECT_EQ(Response->TryGetBoolField("success"), true) << Condensed(Response);
	EXPECT_EQ(WithWidgetBlueprint("/Game/Generated/WBP_Start.WBP_Start", [](UWidgetBlueprint* Blueprint) {
		for (UEdGraphNode* const Node : Blueprint->UbergraphPages.front()->GetNodes())
		{
			if (const UK2Node_ComponentBoundEvent* const Bound = Cast<UK2Node_ComponentBoundEvent>(Node))
			{
				return Bound->GetCustomFunctionName();
			}
		}
		return std::string("(no bound event)");
	}),
		"BndEvt__WBP_Start_StartButton_K2Node_ComponentBoundEvent_0_OnClicked");
	EXPECT_EQ(Log.Count("Named 1 bound-event handler(s) for delegate binding."), 1u);
	EXPECT_EQ(Log.Count("Widget deploy complete: /Game/Generated/WBP_Start"), 1u);

	FJsonObject NoGraphs = DeployBody("WBP_NoGraphs", StartButtonHierarchy);
	NoGraphs.SetObjectField("graphs", std::make_shared<FJsonObject>());
	EXPECT_EQ(Step(*Deploy(NoGraphs), "graphs"), nullptr);
	EXPECT_EQ(Log.Count("Named 1 bound-event handler(s) for delegate binding."), 1u) << "no graphs, no naming";
}

TEST_F(WidgetDeployOverHttp, AFinalCompileWithErrorsStillReportsEveryStep)
{
	Start();
	FJsonObject Body = DeployBody("WBP_Broken");
	auto Graphs = std::make_shared<FJsonObject>();
	Graphs->SetStringField("EventGraph",
		"Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n"
		"   FunctionReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.KismetSystemLibrary\"',MemberName=\"NoSuchFunctionAnywhere\")\n"
		"End Object\n");
	Body.SetObjectField("graphs", Graphs);
	const std::shared_ptr<FJsonObject> Response = Deploy(Body);
	EXPECT_EQ(Keys(*Response), "blueprintPath,success,error,steps");
	EXPECT_EQ(Response->TryGetStringField("error"), "Widget deployed but the final compile reported errors — open the asset in UE for details.");
	EXPECT_EQ(Condensed(Step(*Response, "compile")), R"({"status":"error","blueprintStatus":"Error"})");
}
