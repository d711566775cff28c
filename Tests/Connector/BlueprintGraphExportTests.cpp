#include "Connector/BlueprintTestGraphs.h"
#include "Support/TestEditor.h"

#include "Endpoints/BlueprintEndpoints.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

namespace
{
	class BlueprintGraphExport : public ::testing::Test
	{
	protected:
		UEdGraph& NewGraph(std::string_view Name = "EventGraph")
		{
			return *NewObject<UEdGraph>(nullptr, Name);
		}

		/** The export without its copy-paste text, condensed. */
		static std::string WithoutText(const FJsonObject& Export)
		{
			FJsonObject Copy = Export;
			Copy.RemoveField("clipboardText");
			return FJsonSerializer::SerializeCondensed(Copy);
		}

		FTestEditor Editor;
	};

	std::string CommentWithColor(std::string_view Name, std::string_view Guid, std::string_view Color)
	{
		return TestNodeBlock("/Script/UnrealEd.EdGraphNode_Comment", Name, Guid, 10, 20,
				   "   CommentColor=" + std::string(Color) + "\n   NodeWidth=400\n   NodeHeight=200\n   NodeComment=\"Lights\"\n")
			+ std::string(TestEndObject);
	}
}

TEST_F(BlueprintGraphExport, EmptyGraphHasEmptyListsTextAndZeroCounts)
{
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Export = ExportGraph(NewGraph("Empty"), "function");

	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Export), R"({"type":"function","nodes":[],"connections":[],"comments":[],"clipboardText":""})");
	EXPECT_TRUE(Log.Contains("  Graph 'Empty': 0 nodes, 0 connections, 0 comments, clipboardText=0 chars"));
}

TEST_F(BlueprintGraphExport, NodesSocketsConnectionsAndTextOfASmallGraph)
{
	UEdGraph& Graph = NewGraph();
	ASSERT_EQ(ImportNodesFromText(Graph, BeginPlayPrintsHello()).size(), 2u);

	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Export = ExportGraph(Graph, "event");

	// The event's delegate pin is hidden; exec pins named execute and then show no label; a linked input has no default.
	EXPECT_EQ(WithoutText(*Export),
		R"({"type":"event","nodes":[)"
		R"({"id":"11111111-2222-3333-4444-555555555555","type":"K2Node_Event","title":"Event BeginPlay","label":"Event BeginPlay","category":"event",)"
		R"("position":{"x":-96,"y":16},"inputs":[],"outputs":[{"id":"then","name":"","socket_type":"exec"}]},)"
		R"({"id":"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE","type":"K2Node_CallFunction","title":"Print String","label":"Print String","category":"function",)"
		R"("position":{"x":240,"y":0},"inputs":[{"id":"execute","name":"","socket_type":"exec"},)"
		R"({"id":"InString","name":"In String","socket_type":"string","default":"Hello"},{"id":"Duration","name":"Duration","socket_type":"real","default":"2.000000"}],)"
		R"("outputs":[{"id":"then","name":"","socket_type":"exec"}]}],)"
		R"("connections":[{"from_node":"11111111-2222-3333-4444-555555555555","from_socket":"then","to_node":"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE","to_socket":"execute"}],)"
		R"("comments":[]})");

	const std::string Text = Export->TryGetStringField("clipboardText").value_or("");
	EXPECT_EQ(Text, ExportNodesToText({Graph.GetNodes()[0], Graph.GetNodes()[1]}));
	EXPECT_TRUE(Log.Contains("  Graph 'EventGraph': 2 nodes, 1 connections, 0 comments, clipboardText=" + std::to_string(Text.size()) + " chars"));

	UEdGraph& Pasted = NewGraph("Pasted");
	EXPECT_EQ(ImportNodesFromText(Pasted, Text).size(), 2u);
}

TEST_F(BlueprintGraphExport, CommentColoursAreTruncatedAndClamped)
{
	UEdGraph& Graph = NewGraph();
	ImportNodesFromText(Graph, CommentWithColor("EdGraphNode_Comment_0", "C0000000000000000000000000000001", "(R=0.500000,G=1.500000,B=-0.200000,A=1.000000)")
			+ CommentWithColor("EdGraphNode_Comment_1", "C0000000000000000000000000000002", "(R=1.000000,G=0.000000,B=0.999000,A=0.000000)"));

	const std::shared_ptr<FJsonObject> Export = ExportGraph(Graph, "event");

	EXPECT_EQ(WithoutText(*Export),
		R"({"type":"event","nodes":[],"connections":[],"comments":[)"
		R"({"id":"C0000000-0000-0000-0000-000000000001","text":"Lights","x":10,"y":20,"width":400,"height":200,"color":"#7FFF00"},)"
		R"({"id":"C0000000-0000-0000-0000-000000000002","text":"Lights","x":10,"y":20,"width":400,"height":200,"color":"#FF00FE"}]})");
	EXPECT_NE(Export->TryGetStringField("clipboardText").value_or("").find("EdGraphNode_Comment_1"), std::string::npos);
}

TEST_F(BlueprintGraphExport, LinksFromHiddenPinsCountButLinksOutOfTheGraphOrIntoCommentsDoNot)
{
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, BeginPlayPrintsHello() + CommentWithColor("EdGraphNode_Comment_0", "C0000000000000000000000000000001", "(R=1,G=1,B=1,A=1)"));
	ASSERT_EQ(Nodes.size(), 3u);
	UEdGraphPin* const HiddenDelegate = Nodes[0]->FindPin("OutputDelegate");
	UEdGraphPin* const InString = Nodes[1]->FindPin("InString");
	ASSERT_NE(HiddenDelegate, nullptr);
	ASSERT_NE(InString, nullptr);
	HiddenDelegate->MakeLinkTo(*InString);

	UEdGraph& Other = NewGraph("Other");
	const std::vector<UEdGraphNode*> Outside = ImportNodesFromText(Other, TestNodeBlock("/Script/BlueprintGraph.K2Node_CallFunction", "K2Node_CallFunction_7", "D0000000000000000000000000000001", 0, 0, "")
			+ TestPinLine("D0000000000000000000000000000002", "execute", "EGPD_Input", "exec") + std::string(TestEndObject));
	ASSERT_EQ(Outside.size(), 1u);
	Nodes[1]->FindPin("then")->MakeLinkTo(*Outside[0]->FindPin("execute"));
	UEdGraphPin& CommentPin = Nodes[2]->CreatePin();
	CommentPin.PinName = "Anchor";
	Nodes[1]->FindPin("then")->MakeLinkTo(CommentPin);

	const std::shared_ptr<FJsonObject> Export = ExportGraph(Graph, "event");
	const std::string Json = WithoutText(*Export);

	EXPECT_NE(Json.find(R"({"from_node":"11111111-2222-3333-4444-555555555555","from_socket":"OutputDelegate","to_node":"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE","to_socket":"InString"})"), std::string::npos);
	EXPECT_EQ(Export->TryGetArrayField("connections")->size(), 2u);
	EXPECT_EQ(Json.find("OutputDelegate\",\"name\""), std::string::npos) << "a hidden pin is no socket";
	EXPECT_EQ(Json.find("\"default\":\"Hello\""), std::string::npos) << "a linked input carries no default";
}

TEST_F(BlueprintGraphExport, DestroyedSubCategoryObjectGivesNoSubType)
{
	UPackage* const Package = CreatePackage("/Game/Targets/BP_Target");
	UObject* const Target = NewObject<UObject>(Package, "BP_Target_C");
	const std::string Text = TestNodeBlock("/Script/BlueprintGraph.K2Node_VariableGet", "K2Node_VariableGet_0", "E0000000000000000000000000000001", 0, 0,
								 "   VariableReference=(MemberName=\"Target\",bSelfContext=True)\n")
		+ TestPinLine("E0000000000000000000000000000002", "Target", "EGPD_Output", "object", "PinType.PinSubCategoryObject=/Script/Engine.BlueprintGeneratedClass'\"/Game/Targets/BP_Target.BP_Target_C\"',")
		+ TestPinLine("E0000000000000000000000000000003", "Location", "EGPD_Output", "struct", "PinType.PinSubCategoryObject=/Script/CoreUObject.ScriptStruct'\"/Script/CoreUObject.Vector\"',DefaultValue=\"1,2,3\",")
		+ std::string(TestEndObject);
	UEdGraph& Graph = NewGraph();
	ImportNodesFromText(Graph, Text);

	const std::string Alive = WithoutText(*ExportGraph(Graph, "event"));
	EXPECT_NE(Alive.find(R"({"id":"Target","name":"Target","socket_type":"object","sub_type":"BP_Target_C"})"), std::string::npos) << Alive;
	EXPECT_NE(Alive.find(R"({"id":"Location","name":"Location","socket_type":"struct","sub_type":"Vector"})"), std::string::npos) << "an output carries no default: " << Alive;

	Target->MarkAsGarbage();
	const std::string Destroyed = WithoutText(*ExportGraph(Graph, "event"));
	EXPECT_NE(Destroyed.find(R"({"id":"Target","name":"Target","socket_type":"object"})"), std::string::npos) << Destroyed;
}

TEST(BlueprintNodeCategory, ClassRulesThenNameWords)
{
	FTestEditor Editor;
	UEdGraph& Graph = *NewObject<UEdGraph>();
	const auto CategoryOf = [&Graph](std::string_view ClassPath) {
		const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, "Begin Object Class=" + std::string(ClassPath) + " Name=\"Node\"\nEnd Object\n");
		return Nodes.size() == 1 ? std::string(GetNodeCategory(*Nodes[0])) : std::string("(not imported)");
	};

	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_Event"), "event");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_CustomEvent"), "event");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_FunctionEntry"), "event");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_FunctionResult"), "event");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_VariableGet"), "variable");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_VariableSet"), "variable");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_IfThenElse"), "flow");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_ExecutionSequence"), "flow");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_SwitchInteger"), "flow");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_Select"), "flow");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_AddDelegate"), "flow") << "Delegate holds the letters gate";
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_CallFunction"), "function");
	EXPECT_EQ(CategoryOf("/Script/BlueprintGraph.K2Node_DynamicCast"), "function");
}
