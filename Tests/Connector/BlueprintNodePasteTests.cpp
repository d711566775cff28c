#include "Connector/BlueprintTestGraphs.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Endpoints/BlueprintEndpoints.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

namespace
{
	/** A function-entry node for FunctionName, with an exec output linked to Target's pin when given. */
	std::string EntryNode(std::string_view Name, std::string_view FunctionName, std::string_view Guid, std::string_view LinkedTo = {})
	{
		const std::string Link = LinkedTo.empty() ? std::string() : "LinkedTo=(" + std::string(LinkedTo) + ",),";
		return TestNodeBlock("/Script/BlueprintGraph.K2Node_FunctionEntry", Name, Guid, 0, 0,
				   "   FunctionReference=(MemberName=\"" + std::string(FunctionName) + "\")\n   bIsEditable=True\n")
			+ TestPinLine(std::string(Guid).replace(0, 1, "F"), "then", "EGPD_Output", "exec", Link) + std::string(TestEndObject);
	}

	std::string PrintNode(std::string_view Name, std::string_view Guid, int PosX, std::string_view LinkedTo = {})
	{
		const std::string Link = LinkedTo.empty() ? std::string() : "LinkedTo=(" + std::string(LinkedTo) + ",),";
		return TestNodeBlock("/Script/BlueprintGraph.K2Node_CallFunction", Name, Guid, PosX, 32,
				   "   FunctionReference=(MemberParent=\"/Script/CoreUObject.Class'/Script/Engine.KismetSystemLibrary'\",MemberName=\"PrintString\")\n")
			+ TestPinLine(std::string(Guid).replace(0, 1, "E"), "execute", "EGPD_Input", "exec", Link) + std::string(TestEndObject);
	}

	std::size_t CountEntries(const UEdGraph& Graph)
	{
		UClass* const EntryClass = FClassDatabase::Get().FindClass("/Script/BlueprintGraph.K2Node_FunctionEntry");
		return std::ranges::count_if(Graph.GetNodes(), [EntryClass](const UEdGraphNode* Node) { return Node->IsA(EntryClass); });
	}

	class BlueprintNodePaste : public ::testing::Test
	{
	protected:
		BlueprintNodePaste()
		{
			Blueprint = FKismetEditorUtilities::CreateBlueprint(FClassDatabase::Get().FindClass("/Script/Engine.Actor"), CreatePackage("/Game/BP_Paste"), "BP_Paste");
			EventGraph = Blueprint->UbergraphPages.at(0);
			Foo = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Foo");
			FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Foo);
		}

		std::string Paste(std::string_view GraphName, std::string_view Text, bool bDeploy)
		{
			return FJsonSerializer::SerializeCondensed(*PasteIntoGraph(*Blueprint, GraphName, Text, bDeploy));
		}

		FTestEditor Editor;
		UBlueprint* Blueprint = nullptr;
		UEdGraph* EventGraph = nullptr;
		UEdGraph* Foo = nullptr;
	};
}

TEST_F(BlueprintNodePaste, FindsGraphsIgnoringCaseAndNamesTheAvailableOnes)
{
	Blueprint->MacroGraphs.push_back(FBlueprintEditorUtils::CreateNewGraph(Blueprint, "MyMacro"));

	EXPECT_EQ(Paste("Nope", PrintNode("K2Node_CallFunction_0", "A0000000000000000000000000000001", 0), false),
		R"({"status":"error","error":"Graph 'Nope' not found. Available: EventGraph, Foo"})");
	EXPECT_EQ(Paste("MyMacro", PrintNode("K2Node_CallFunction_0", "A0000000000000000000000000000001", 0), true),
		R"({"status":"error","error":"Graph 'MyMacro' not found. Available: EventGraph, Foo"})") << "macro graphs are not paste targets, and nothing is cleared";

	FLogCapture Log;
	EXPECT_EQ(Paste("eventgraph", PrintNode("K2Node_CallFunction_0", "A0000000000000000000000000000001", 48), false),
		R"({"status":"ok","nodeCount":1,"nodes":[{"name":"Print String","class":"K2Node_CallFunction","posX":48,"posY":32}]})");
	EXPECT_TRUE(Log.Contains("Pasted 1 nodes into EventGraph"));
	EXPECT_EQ(Blueprint->Status, BS_Dirty);
}

TEST_F(BlueprintNodePaste, DeployPasteIntoAnEventGraphReplacesEveryNode)
{
	ImportNodesFromText(*EventGraph, BeginPlayPrintsHello());
	ASSERT_EQ(EventGraph->GetNodes().size(), 2u);

	FLogCapture Log;
	EXPECT_EQ(Paste("EventGraph", PrintNode("K2Node_CallFunction_5", "A0000000000000000000000000000001", 0), true),
		R"({"clearedStaleNodes":2,"status":"ok","nodeCount":1,"nodes":[{"name":"Print String","class":"K2Node_CallFunction","posX":0,"posY":32}]})");
	EXPECT_EQ(EventGraph->GetNodes().size(), 1u);
	EXPECT_TRUE(Log.Contains("Graph 'EventGraph': cleared 2 stale node(s) before deploy paste."));
}

TEST_F(BlueprintNodePaste, DeployPasteWithoutEntryNodeKeepsTheFunctionsEntry)
{
	ASSERT_EQ(CountEntries(*Foo), 1u);
	ImportNodesFromText(*Foo, PrintNode("K2Node_CallFunction_0", "A0000000000000000000000000000001", 0));
	const UEdGraphNode* const Entry = Foo->GetNodes()[0];

	FLogCapture Log;
	EXPECT_EQ(Paste("Foo", PrintNode("K2Node_CallFunction_1", "A0000000000000000000000000000002", 64), true).substr(0, 36), R"({"clearedStaleNodes":1,"status":"ok")");
	ASSERT_EQ(Foo->GetNodes().size(), 2u);
	EXPECT_EQ(Foo->GetNodes()[0], Entry);
	EXPECT_TRUE(Log.Contains("Graph 'Foo': clipboard has no entry node \u2014 preserving the existing K2Node_FunctionEntry."));
}

TEST_F(BlueprintNodePaste, PastedEntryReplacesABareEntryButNotAWiredOne)
{
	FLogCapture Log;
	ASSERT_NE(Paste("Foo", EntryNode("K2Node_FunctionEntry_7", "Foo", "A0000000000000000000000000000001"), false).find(R"("status":"ok")"), std::string::npos);
	EXPECT_EQ(CountEntries(*Foo), 1u) << "the unlinked entry made with the graph gave way";
	EXPECT_TRUE(Log.Contains("Function graph 'Foo': removed bare entry node so the pasted signature can take its place."));

	ImportNodesFromText(*Foo, PrintNode("K2Node_CallFunction_0", "A0000000000000000000000000000002", 0));
	Foo->GetNodes()[0]->FindPin("then")->MakeLinkTo(*Foo->GetNodes()[1]->FindPin("execute"));
	Log.Clear();
	ASSERT_NE(Paste("Foo", EntryNode("K2Node_FunctionEntry_8", "Foo", "A0000000000000000000000000000003"), false).find(R"("status":"ok")"), std::string::npos);
	EXPECT_EQ(CountEntries(*Foo), 2u) << "a wired entry stays";
	EXPECT_TRUE(Log.Contains("Function graph 'Foo' has 2 entry nodes after paste (expected 1)."));
}

TEST_F(BlueprintNodePaste, EntryOfAnInheritedFunctionPointsAtTheDeclaringClass)
{
	UEdGraph* const Override = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "K2_GetActorLocation");
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Override);

	FLogCapture Log;
	ASSERT_NE(Paste("K2_GetActorLocation", EntryNode("K2Node_FunctionEntry_3", "K2_GetActorLocation", "A0000000000000000000000000000001"), true).find(R"("status":"ok")"),
		std::string::npos);

	ASSERT_EQ(Override->GetNodes().size(), 1u);
	const UEdGraphNode& Entry = *Override->GetNodes()[0];
	const std::optional<FMemberReference> Reference = GetFunctionReference(Entry);
	ASSERT_TRUE(Reference);
	EXPECT_EQ(Reference->MemberName, "K2_GetActorLocation");
	EXPECT_EQ(Reference->GetMemberParentClass(), FClassDatabase::Get().FindClass("/Script/Engine.Actor"));
	EXPECT_FALSE(IsUserEditable(Entry));
	EXPECT_TRUE(Log.Contains("Function graph 'K2_GetActorLocation': restored inherited function reference (K2_GetActorLocation on Actor)."));

	ASSERT_NE(Paste("Foo", EntryNode("K2Node_FunctionEntry_4", "Foo", "A0000000000000000000000000000002"), true).find(R"("status":"ok")"), std::string::npos);
	EXPECT_TRUE(IsUserEditable(*Foo->GetNodes()[0])) << "a function of the Blueprint's own stays editable";
}

TEST_F(BlueprintNodePaste, TextWithoutNodesFailsAfterClearing)
{
	ImportNodesFromText(*EventGraph, BeginPlayPrintsHello());

	EXPECT_EQ(Paste("EventGraph", "not copy-paste text", true),
		R"({"clearedStaleNodes":2,"status":"error","error":"ImportNodesFromText produced 0 nodes. Verify clipboard format."})");
	EXPECT_TRUE(EventGraph->GetNodes().empty());
	EXPECT_EQ(Paste("EventGraph", "", false), R"({"status":"error","error":"ImportNodesFromText produced 0 nodes. Verify clipboard format."})");
}

namespace
{
	class PasteNodesOverHttp : public ::testing::Test
	{
	protected:
		PasteNodesOverHttp()
		{
			Editor.OnGameThread([]() {
				UBlueprint* const Blueprint = FKismetEditorUtilities::CreateBlueprint(FClassDatabase::Get().FindClass("/Script/Engine.Actor"), CreatePackage("/Game/BP_Http"), "BP_Http");
				FKismetEditorUtilities::CompileBlueprint(Blueprint);
			});
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		std::string Post(std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", "/korvane/blueprint/paste-nodes", Body);
			EXPECT_TRUE(Response);
			return Response ? Response->Body : std::string();
		}

		static std::string Body(std::string_view BlueprintPath, std::string_view GraphName, std::string_view Text)
		{
			FJsonObject Object;
			Object.SetStringField("blueprintPath", BlueprintPath);
			Object.SetStringField("graphName", GraphName);
			Object.SetStringField("clipboardText", Text);
			return FJsonSerializer::SerializeCondensed(Object);
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(PasteNodesOverHttp, ChecksTheBodyInOrder)
{
	EXPECT_EQ(Post("[]"), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Post(R"({"graphName":"EventGraph"})"), R"({"success":false,"error":"Missing 'blueprintPath' field"})");
	EXPECT_EQ(Post(R"({"blueprintPath":7})"), R"({"success":false,"error":"Missing 'blueprintPath' field"})");
	EXPECT_EQ(Post(R"({"blueprintPath":"/Mods/BP_Http.BP_Http"})"), R"({"success":false,"error":"Invalid asset path"})") << "before graphName is looked at";
	EXPECT_EQ(Post(R"({"blueprintPath":"/Game/BP_Http.BP_Http"})"), R"({"success":false,"error":"Missing 'graphName' field"})");
	EXPECT_EQ(Post(R"({"blueprintPath":"/Game/BP_Http.BP_Http","graphName":"EventGraph"})"), R"({"success":false,"error":"Missing 'clipboardText' field"})");
	EXPECT_EQ(Post(Body("/Game/Missing.Missing", "EventGraph", "x")), R"({"success":false,"error":"Blueprint not found: /Game/Missing.Missing"})");
	EXPECT_EQ(Post(Body("/Game/BP_Http.BP_Http", "Nope", "x")), R"({"success":false,"error":"Graph 'Nope' not found. Available: EventGraph"})");
	EXPECT_EQ(Post(Body("/Game/BP_Http.BP_Http", "EventGraph", "x")), R"({"success":false,"error":"ImportNodesFromText produced 0 nodes. Verify clipboard format."})");
}

TEST_F(PasteNodesOverHttp, PastesCompilesAndMarksThePackageDirty)
{
	EXPECT_EQ(Post(Body("/Game/BP_Http.BP_Http", "EventGraph", BeginPlayPrintsHello())),
		R"({"success":true,"nodeCount":2,"graph":"EventGraph","blueprint":"/Game/BP_Http.BP_Http","nodes":[)"
		R"({"name":"Event BeginPlay","class":"K2Node_Event","posX":-96,"posY":16},{"name":"Print String","class":"K2Node_CallFunction","posX":240,"posY":0}]})");

	const auto [Status, bDirty, NodeCount] = Editor.OnGameThread([]() {
		const UBlueprint* const Blueprint = LoadObject<UBlueprint>(nullptr, "/Game/BP_Http.BP_Http");
		return std::make_tuple(Blueprint->Status, Blueprint->GetPackage()->IsDirty(), Blueprint->UbergraphPages[0]->GetNodes().size());
	});
	EXPECT_EQ(Status, BS_UpToDate);
	EXPECT_TRUE(bDirty);
	EXPECT_EQ(NodeCount, 2u);
}
