#include "Python/PythonTestSupport.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/UserDefinedPins.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
	FEdGraphPinType PinTypeOf(std::string Category, std::string ContainerType = "None")
	{
		FEdGraphPinType PinType;
		PinType.PinCategory = std::move(Category);
		PinType.ContainerType = std::move(ContainerType);
		return PinType;
	}

	UEdGraphNode& EntryOf(UEdGraph& Graph)
	{
		return *Graph.GetNodes().front();
	}
}

TEST(BlueprintDeployUserDefinedPins, ParametersAreWrittenAfterThePinsAndRemovedWithTheirPin)
{
	FTestEditor Editor;
	UBlueprint* const Blueprint = FKismetEditorUtilities::CreateBlueprint(FClassDatabase::Get().FindClass("/Script/Engine.Actor"), CreatePackage("/Game/BP_Params"), "BP_Params");
	UEdGraph* const Graph = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Sum");
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Graph);
	UEdGraphNode& Entry = EntryOf(*Graph);

	ASSERT_NE(CreateUserDefinedPin(Entry, "A", PinTypeOf("int"), EEdGraphPinDirection::Output), nullptr);
	ASSERT_NE(CreateUserDefinedPin(Entry, "Errors", PinTypeOf("string", "Array"), EEdGraphPinDirection::Output), nullptr);
	EXPECT_EQ(CreateUserDefinedPin(Entry, "a", PinTypeOf("int"), EEdGraphPinDirection::Output), nullptr) << "names compare without case";
	EXPECT_EQ(CreateUserDefinedPin(Entry, "then", PinTypeOf("int"), EEdGraphPinDirection::Output), nullptr);

	const std::string Text = ExportNodesToText({&Entry});
	const std::size_t LastPin = Text.rfind("CustomProperties Pin (");
	const std::size_t FirstUserPin = Text.find("CustomProperties UserDefinedPin");
	EXPECT_LT(Text.find("NodeGuid="), Text.find("CustomProperties Pin ("));
	EXPECT_LT(LastPin, FirstUserPin) << Text;
	EXPECT_THAT(Text, HasSubstr("   CustomProperties UserDefinedPin (PinName=\"Errors\",PinType=(PinCategory=\"string\",ContainerType=Array),DesiredPinDirection=EGPD_Output)\r\n"));

	UEdGraph* const Copy = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Copy");
	const std::vector<UEdGraphNode*> Pasted = ImportNodesFromText(*Copy, Text);
	ASSERT_EQ(Pasted.size(), 1u);
	const std::vector<FUserPinInfo> Read = GetUserDefinedPins(*Pasted.front());
	ASSERT_EQ(Read.size(), 2u);
	EXPECT_EQ(Read[1].PinName, "Errors");
	EXPECT_EQ(Read[1].PinType, PinTypeOf("string", "Array"));
	EXPECT_EQ(Read[1].DesiredPinDirection, EEdGraphPinDirection::Output);

	EXPECT_TRUE(RemoveUserDefinedPin(Entry, "a"));
	EXPECT_FALSE(RemoveUserDefinedPin(Entry, "A"));
	EXPECT_EQ(Entry.FindPin("A"), nullptr);
	const std::string After = ExportNodesToText({&Entry});
	EXPECT_THAT(After, Not(HasSubstr("PinName=\"A\"")));
	EXPECT_THAT(After, HasSubstr("PinName=\"Errors\",Direction=\"EGPD_Output\""));
	EXPECT_THAT(After, HasSubstr("PinName=\"then\""));
}

TEST(BlueprintDeployUserDefinedPins, EditorTextFromTheEditorReadsBack)
{
	FTestEditor Editor;
	UBlueprint* const Blueprint = FKismetEditorUtilities::CreateBlueprint(FClassDatabase::Get().FindClass("/Script/Engine.Actor"), CreatePackage("/Game/BP_Read"), "BP_Read");
	UEdGraph* const Graph = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Read");
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(*Graph,
		"Begin Object Class=/Script/BlueprintGraph.K2Node_FunctionEntry Name=\"K2Node_FunctionEntry_1\"\r\n"
		"   FunctionReference=(MemberName=\"test func\")\r\n"
		"   CustomProperties UserDefinedPin (PinName=\"State\",PinType=(PinCategory=\"object\",PinSubCategory=\"/Game/JSON/JSONValue.JSONValue_C\",bIsUObjectWrapper=True),DesiredPinDirection=EGPD_Output)\r\n"
		"   CustomProperties UserDefinedPin (PinName=\"CD2 Value Factory\",PinType=(PinCategory=\"interface\",PinSubCategoryObject=BlueprintGeneratedClass'\"/Game/CD2/CD2_Value_Factory.CD2_Value_Factory_C\"'),DesiredPinDirection=EGPD_Output)\r\n"
		"   CustomProperties UserDefinedPin (PinName=\"Errors\",PinType=(PinCategory=\"string\",ContainerType=Array),DesiredPinDirection=EGPD_Input)\r\n"
		"End Object\r\n");
	ASSERT_EQ(Nodes.size(), 1u);
	const std::vector<FUserPinInfo> Read = GetUserDefinedPins(*Nodes.front());
	ASSERT_EQ(Read.size(), 3u);
	EXPECT_EQ(Read[0].PinType.PinSubCategory, "/Game/JSON/JSONValue.JSONValue_C");
	EXPECT_TRUE(Read[0].PinType.bIsUObjectWrapper);
	EXPECT_EQ(Read[1].PinName, "CD2 Value Factory");
	EXPECT_EQ(Read[1].PinType.PinSubCategoryObject, "BlueprintGeneratedClass'\"/Game/CD2/CD2_Value_Factory.CD2_Value_Factory_C\"'");
	EXPECT_EQ(Read[2].DesiredPinDirection, EEdGraphPinDirection::Input);
	EXPECT_TRUE(RemoveUserDefinedPin(*Nodes.front(), "CD2 Value Factory")) << "a line without its pin goes alone";
	EXPECT_EQ(GetUserDefinedPins(*Nodes.front()).size(), 2u);
}

TEST(BlueprintDeployUserDefinedPins, ScriptsEditParametersAndVariableDetails)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	ASSERT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand("import editor\n"
															  "bp = editor.create_blueprint('Actor', '/Game/Generated', 'BP_Script')\n"
															  "editor.add_function_graph(bp, 'Scale', inputs=[('Factor', editor.PinType('real', 'double'))])\n"
															  "editor.add_member_variable(bp, 'Health', editor.PinType('int'))\n"));
	EXPECT_EQ(EvalPython(Editor, "editor.get_function_parameters(bp, 'Scale')"), "([('Factor', <editor.PinType real>)], [])");
	EXPECT_EQ(EvalPython(Editor, "editor.add_function_parameter(bp, 'Scale', 'Result', editor.PinType('int'), output=True)"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.add_function_parameter(bp, 'Scale', 'result', editor.PinType('int'), output=True)"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.get_graph_names(bp)"), "['EventGraph', 'Scale']");
	EXPECT_EQ(EvalPython(Editor, "editor.remove_function_parameter(bp, 'Scale', 'Factor')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.get_function_parameters(bp, 'Scale')"), "([], [('Result', <editor.PinType int>)])");
	EXPECT_EQ(EvalPython(Editor, "editor.get_function_parameters(bp, 'EventGraph')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.compile_blueprint(bp)"), "'UpToDate'");

	EXPECT_EQ(EvalPython(Editor, "editor.set_member_variable_details(bp, 'Health', rep_notify_func='OnRep_Health', replication_condition='COND_SkipOwner', "
								 "expose_on_spawn=True, tooltip='Hit points', category='Stats')"),
		"True");
	EXPECT_EQ(EvalPython(Editor, "sorted(editor.get_member_variable_details(bp, 'Health').items())"),
		"[('category', 'Stats'), ('default_value', ''), ('expose_on_spawn', True), ('name', 'Health'), ('pin_type', <editor.PinType int>), "
		"('rep_notify_func', 'OnRep_Health'), ('replicated', True), ('replication_condition', 'COND_SkipOwner'), ('tooltip', 'Hit points')]");
	EXPECT_EQ(EvalPython(Editor, "editor.set_member_variable_details(bp, 'Health', replicated=False, tooltip='')"), "True");
	EXPECT_EQ(EvalPython(Editor, "[editor.get_member_variable_details(bp, 'Health')[k] for k in ('replicated', 'rep_notify_func', 'replication_condition', 'tooltip')]"),
		"[False, '', 'COND_None', '']");
	EXPECT_EQ(EvalPython(Editor, "editor.set_member_variable_details(bp, 'Health', replication_condition='COND_Sometimes')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.set_member_variable_details(bp, 'Nope', category='X')"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.get_member_variable_details(bp, 'Nope')"), "None");
	EXPECT_EQ(EvalPython(Editor, "(editor.remove_component(bp, 'DefaultSceneRoot'), editor.remove_component(bp, 'DefaultSceneRoot'), editor.get_components(bp))"),
		"(True, False, [])");
	EXPECT_EQ(EvalPython(Editor, "editor.get_parent_class(bp).get_name()"), "'Actor'");
}
