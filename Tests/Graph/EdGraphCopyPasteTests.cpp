#include "Assets/AssetFiles.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
	const std::filesystem::path BlueprintSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/blueprint";

	std::string ReadBytes(const std::filesystem::path& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Bytes;
		Bytes << Stream.rdbuf();
		return Bytes.str();
	}

	/** A graph in the transient package of the test's editor. */
	UEdGraph& NewGraph()
	{
		return *NewObject<UEdGraph>();
	}

	std::vector<const UEdGraphNode*> AsConst(const std::vector<UEdGraphNode*>& Nodes)
	{
		return {Nodes.begin(), Nodes.end()};
	}

	std::vector<std::string> Names(const std::vector<UEdGraphNode*>& Nodes)
	{
		std::vector<std::string> Result;
		for (const UEdGraphNode* Node : Nodes)
		{
			Result.push_back(Node->GetName());
		}
		return Result;
	}

	std::string PinLine(std::string_view PinId, std::string_view PinName, std::string_view Extra)
	{
		return std::string("   CustomProperties Pin (PinId=") + std::string(PinId) + ",PinName=\"" + std::string(PinName) + "\"," + std::string(Extra) + ")\n";
	}

	// A: then -> B: execute; B: execute also linked to a node that is not in the text.
	const std::string TwoLinkedNodes =
		"Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n"
		"   FunctionReference=(MemberName=\"PrintString\")\n"
		"   NodePosX=16\n"
		"   NodeGuid=11111111111111111111111111111111\n"
		+ PinLine("A0000000000000000000000000000001", "then", "Direction=\"EGPD_Output\",LinkedTo=(K2Node_CallFunction_1 B0000000000000000000000000000001,),PersistentGuid=00000000000000000000000000000000,")
		+ "End Object\n"
		"Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_1\"\n"
		"   NodeGuid=22222222222222222222222222222222\n"
		+ PinLine("B0000000000000000000000000000001", "execute", "LinkedTo=(K2Node_CallFunction_0 A0000000000000000000000000000001,K2Node_Elsewhere_7 C0000000000000000000000000000001,),PersistentGuid=00000000000000000000000000000000,")
		+ "   Begin Object Class=/Script/Engine.Something Name=\"Inner_0\"\n"
		  "      Answer=42\n"
		  "   End Object\n"
		  "End Object\n";
}

TEST(EdGraphCopyPaste, BlueprintSamplesRoundTripThroughTwoGraphs)
{
	FTestEditor Editor(HostOnly());
	if (!std::filesystem::is_directory(BlueprintSamplesDir))
	{
		GTEST_SKIP() << "no samples at " << BlueprintSamplesDir;
	}
	for (const auto& Entry : std::filesystem::directory_iterator(BlueprintSamplesDir))
	{
		SCOPED_TRACE(Entry.path().filename().string());
		const std::string Original = ReadBytes(Entry.path());
		UEdGraph& First = NewGraph();
		const std::vector<UEdGraphNode*> FirstNodes = ImportNodesFromText(First, Original);
		ASSERT_FALSE(FirstNodes.empty());
		const std::string FirstText = ExportNodesToText(AsConst(FirstNodes));

		UEdGraph& Second = NewGraph();
		const std::string SecondText = ExportNodesToText(AsConst(ImportNodesFromText(Second, FirstText)));
		EXPECT_EQ(SecondText, FirstText);
	}
}

TEST(EdGraphCopyPaste, ImportReadsTypedFieldsAndKeepsTheRest)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, TwoLinkedNodes);
	ASSERT_EQ(Names(Nodes), (std::vector<std::string>{"K2Node_CallFunction_0", "K2Node_CallFunction_1"}));
	const UEdGraphNode& A = *Nodes[0];
	EXPECT_EQ(A.NodeClassPath, "/Script/BlueprintGraph.K2Node_CallFunction");
	EXPECT_EQ(A.NodePosX, 16);
	EXPECT_EQ(A.NodeGuid.ToString(), "11111111111111111111111111111111");
	ASSERT_EQ(A.GetPins().size(), 1u);
	EXPECT_EQ(A.GetPins()[0]->Direction, EEdGraphPinDirection::Output);
	EXPECT_EQ(Graph.GetNodes(), Nodes);

	// Only the pasted link survives; the one to K2Node_Elsewhere_7 is dropped, and export says so.
	const UEdGraphPin& Execute = *Nodes[1]->FindPin("execute");
	ASSERT_EQ(Execute.GetLinkedTo().size(), 1u);
	EXPECT_EQ(Execute.GetLinkedTo()[0], A.GetPins()[0].get());
	const std::string Text = ExportNodesToText(AsConst(Nodes));
	EXPECT_EQ(Text.find("K2Node_Elsewhere_7"), std::string::npos);
	EXPECT_NE(Text.find("FunctionReference=(MemberName=\"PrintString\")"), std::string::npos);
	EXPECT_NE(Text.find("Answer=42"), std::string::npos);
	EXPECT_NE(Text.find("LinkedTo=(K2Node_CallFunction_1 B0000000000000000000000000000001,)"), std::string::npos);
}

TEST(EdGraphCopyPaste, ExportListsOnlyLinksBetweenExportedNodesAndWritesChanges)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, TwoLinkedNodes);
	ASSERT_EQ(Nodes.size(), 2u);
	Nodes[0]->NodePosX = -32;
	Nodes[0]->NodePosY = 48;
	const std::string Alone = ExportNodesToText({Nodes[0]});
	EXPECT_EQ(Alone.find("LinkedTo"), std::string::npos);
	EXPECT_NE(Alone.find("NodePosX=-32\n"), std::string::npos);
	EXPECT_NE(Alone.find("NodePosY=48\n"), std::string::npos);

	// The model's own links are written too: break one, make another.
	UEdGraphPin& Then = *Nodes[0]->GetPins()[0];
	UEdGraphPin& Execute = *Nodes[1]->GetPins()[0];
	Then.BreakLinkTo(Execute);
	EXPECT_TRUE(Execute.GetLinkedTo().empty());
	EXPECT_EQ(ExportNodesToText(AsConst(Nodes)).find("LinkedTo"), std::string::npos);
	Execute.MakeLinkTo(Then);
	Execute.MakeLinkTo(Then);
	EXPECT_EQ(Then.GetLinkedTo().size(), 1u);
	EXPECT_NE(ExportNodesToText(AsConst(Nodes)).find("LinkedTo=(K2Node_CallFunction_0 A0000000000000000000000000000001,)"), std::string::npos);
}

TEST(EdGraphCopyPaste, PastingTwiceRenamesAndKeepsEachCopysLinks)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> First = ImportNodesFromText(Graph, TwoLinkedNodes);
	const std::vector<UEdGraphNode*> Second = ImportNodesFromText(Graph, TwoLinkedNodes);
	ASSERT_EQ(Second.size(), 2u);
	EXPECT_EQ(Names(Second), (std::vector<std::string>{"K2Node_CallFunction_2", "K2Node_CallFunction_3"}));
	EXPECT_EQ(Graph.GetNodes().size(), 4u);

	// Each copy links inside itself only.
	const UEdGraphPin& SecondThen = *Second[0]->GetPins()[0];
	ASSERT_EQ(SecondThen.GetLinkedTo().size(), 1u);
	EXPECT_EQ(&SecondThen.GetLinkedTo()[0]->GetOwningNode(), Second[1]);
	EXPECT_EQ(First[0]->GetPins()[0]->GetLinkedTo().size(), 1u);

	// Clashing ids were regenerated, and export names the renamed node and its new pin id.
	EXPECT_NE(Second[0]->NodeGuid, First[0]->NodeGuid);
	EXPECT_NE(Second[1]->GetPins()[0]->PinId, First[1]->GetPins()[0]->PinId);
	const std::string Text = ExportNodesToText(AsConst(Second));
	EXPECT_NE(Text.find("LinkedTo=(K2Node_CallFunction_3 " + Second[1]->GetPins()[0]->PinId.ToString() + ",)"), std::string::npos);
	EXPECT_NE(Text.find("Name=\"K2Node_CallFunction_2\""), std::string::npos);
	EXPECT_NE(Text.find("NodeGuid=" + Second[0]->NodeGuid.ToString()), std::string::npos);
}

TEST(EdGraphCopyPaste, TextWithoutNodesOrMalformedCreatesOnlyWhatParses)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	EXPECT_TRUE(ImportNodesFromText(Graph, "").empty());
	EXPECT_TRUE(ImportNodesFromText(Graph, "just some words\nNodePosX=3\n").empty());
	EXPECT_TRUE(Graph.GetNodes().empty());

	// The second block never ends and its body is garbage: the first node still comes in whole.
	const std::string Broken = TwoLinkedNodes.substr(0, TwoLinkedNodes.find("Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_1\""))
		+ "Begin Object Name=\"NoClass_0\"\nEnd Object\nEnd Object\n";
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, Broken);
	ASSERT_EQ(Names(Nodes), std::vector<std::string>{"K2Node_CallFunction_0"});
	EXPECT_EQ(Nodes[0]->GetPins().size(), 1u);
	EXPECT_TRUE(Nodes[0]->GetPins()[0]->GetLinkedTo().empty());
}

TEST(EdGraphCopyPaste, RemovingANodeBreaksItsLinksOnBothSides)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, TwoLinkedNodes);
	ASSERT_EQ(Nodes.size(), 2u);
	Graph.RemoveNode(*Nodes[1]);
	EXPECT_EQ(Graph.GetNodes().size(), 1u);
	EXPECT_TRUE(Nodes[0]->GetPins()[0]->GetLinkedTo().empty());
}

TEST(EdGraphCopyPaste, SplitPinsFollowTheirNodeWhenPastedAgain)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::string Text = "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_5\"\n"
		+ PinLine("D0000000000000000000000000000001", "Chord", "SubPins=(K2Node_CallFunction_5 D0000000000000000000000000000002,),")
		+ PinLine("D0000000000000000000000000000002", "Chord_Key", "ParentPin=K2Node_CallFunction_5 D0000000000000000000000000000001,")
		+ "End Object\n";
	ImportNodesFromText(Graph, Text);
	const std::vector<UEdGraphNode*> Copy = ImportNodesFromText(Graph, Text);
	ASSERT_EQ(Copy.size(), 1u);
	const UEdGraphPin& Parent = *Copy[0]->GetPins()[0];
	const UEdGraphPin& Sub = *Copy[0]->GetPins()[1];
	ASSERT_EQ(Parent.SubPins, std::vector<UEdGraphPin*>{Copy[0]->GetPins()[1].get()});
	EXPECT_EQ(Sub.ParentPin, &Parent);

	const std::string Exported = ExportNodesToText({Copy[0]});
	EXPECT_NE(Exported.find("SubPins=(K2Node_CallFunction_6 " + Sub.PinId.ToString() + ",)"), std::string::npos);
	EXPECT_NE(Exported.find("ParentPin=K2Node_CallFunction_6 " + Parent.PinId.ToString() + ","), std::string::npos);
}

TEST(EdGraphCopyPaste, ChangedPinFieldsAreRewrittenAndTheRestKept)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, TwoLinkedNodes);
	ASSERT_EQ(Nodes.size(), 2u);
	UEdGraphPin& Then = *Nodes[0]->GetPins()[0];
	Then.Direction = EEdGraphPinDirection::Input;
	Then.DefaultValue = "say \"hi\"";
	Then.PinType.PinCategory = "string";
	Then.bHidden = true;

	const std::string Text = ExportNodesToText({Nodes[0]});
	EXPECT_EQ(Text.find("Direction="), std::string::npos);
	EXPECT_NE(Text.find("PinType.PinCategory=\"string\""), std::string::npos);
	EXPECT_NE(Text.find("DefaultValue=\"say \\\"hi\\\"\",PersistentGuid="), std::string::npos);
	EXPECT_NE(Text.find(",bHidden=True,"), std::string::npos);

	// What export wrote reads back as the same pin.
	UEdGraph& Other = NewGraph();
	const UEdGraphPin& Read = *ImportNodesFromText(Other, Text).at(0)->GetPins().at(0);
	EXPECT_EQ(Read.Direction, EEdGraphPinDirection::Input);
	EXPECT_EQ(Read.DefaultValue, "say \"hi\"");
	EXPECT_TRUE(Read.bHidden);
}

TEST(EdGraphCopyPaste, LinksKeepTheirTextOrderAndNamelessIdsAreFilledIn)
{
	FTestEditor Editor(HostOnly());
	// C's exec output fans out to A then B; A and B name C only. Links made from A's side first
	// must not reorder C's list. The node and pin written without ids get fresh ones.
	const std::string Text =
		"Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"A\"\n"
		+ PinLine("A0000000000000000000000000000001", "execute", "LinkedTo=(C C0000000000000000000000000000001,),")
		+ "End Object\n"
		  "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"B\"\n"
		+ PinLine("B0000000000000000000000000000001", "execute", "LinkedTo=(C C0000000000000000000000000000001,),")
		+ "End Object\n"
		  "Begin Object Class=/Script/BlueprintGraph.K2Node_ExecutionSequence Name=\"C\"\n"
		+ PinLine("C0000000000000000000000000000001", "then_0", "Direction=\"EGPD_Output\",LinkedTo=(B B0000000000000000000000000000001,A A0000000000000000000000000000001,),")
		+ std::string("   CustomProperties Pin (PinName=\"then_1\",Direction=\"EGPD_Output\",)\n")
		+ "End Object\n";

	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, Text);
	ASSERT_EQ(Nodes.size(), 3u);
	const UEdGraphPin* const Then = Nodes[2]->FindPin("then_0");
	ASSERT_NE(Then, nullptr);
	ASSERT_EQ(Then->GetLinkedTo().size(), 2u);
	EXPECT_EQ(Then->GetLinkedTo()[0]->GetOwningNode().GetName(), "B");
	EXPECT_EQ(Then->GetLinkedTo()[1]->GetOwningNode().GetName(), "A");
	EXPECT_NE(ExportNodesToText({Nodes[0], Nodes[1], Nodes[2]}).find("LinkedTo=(B B0000000000000000000000000000001,A A0000000000000000000000000000001,)"), std::string::npos);

	for (const UEdGraphNode* const Node : Nodes)
	{
		EXPECT_TRUE(Node->NodeGuid.IsValid()) << Node->GetName();
	}
	EXPECT_TRUE(Nodes[2]->FindPin("then_1")->PinId.IsValid());
}

TEST(EdGraphCopyPaste, PropertiesAddedToANodeGoBeforeItsPinLines)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n"
		+ PinLine("A0000000000000000000000000000001", "execute", "") + "End Object\n");
	ASSERT_EQ(Nodes.size(), 1u);
	Nodes[0]->NodePosX = 64;
	SetUserEditable(*Nodes[0], true);

	const std::string Text = ExportNodesToText({Nodes[0]});
	const std::size_t PinLineAt = Text.find("CustomProperties Pin");
	ASSERT_NE(PinLineAt, std::string::npos);
	EXPECT_LT(Text.find("NodePosX=64"), PinLineAt);
	EXPECT_LT(Text.find("bIsEditable=True"), PinLineAt);
}

TEST(EdGraphCopyPaste, RemovedPinsLeaveNoLineAndAddedPinsFollowTheRest)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = NewGraph();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n"
		+ PinLine("A0000000000000000000000000000001", "execute", "")
		+ PinLine("A0000000000000000000000000000002", "Middle", "PinToolTip=\"kept as written\",")
		+ PinLine("A0000000000000000000000000000003", "Last", "bSomethingNew=Maybe,")
		+ "   CustomProperties UserDefinedPin (PinName=\"Extra\",PinType=(PinCategory=\"int\"),DesiredPinDirection=EGPD_Input)\n"
		+ "End Object\n");
	ASSERT_EQ(Nodes.size(), 1u);
	UEdGraphNode& Node = *Nodes[0];
	Node.RemovePin(*Node.FindPin("Middle"));
	const std::string WithoutMiddle = ExportNodesToText({&Node});
	const std::size_t FirstLast = WithoutMiddle.find("PinName=\"Last\"");
	ASSERT_NE(FirstLast, std::string::npos);
	EXPECT_EQ(WithoutMiddle.find("PinName=\"Last\"", FirstLast + 1), std::string::npos) << "a pin's line is written once";

	UEdGraphPin& Added = Node.CreatePin();
	Added.PinId = *FGuid::Parse("A0000000000000000000000000000004");
	Added.PinName = "Added";

	// Each remaining pin writes its own line, in pin order among the pin lines as read: the
	// removed pin's line is gone rather than written for another pin, and the new pin takes the
	// free place before the UserDefinedPin line.
	const std::string Text = ExportNodesToText({&Node});
	EXPECT_EQ(Text.find("Middle"), std::string::npos);
	EXPECT_EQ(Text.find("kept as written"), std::string::npos);
	const std::size_t Execute = Text.find(PinLine("A0000000000000000000000000000001", "execute", ""));
	const std::size_t Last = Text.find(PinLine("A0000000000000000000000000000003", "Last", "bSomethingNew=Maybe,"));
	const std::size_t UserPin = Text.find("CustomProperties UserDefinedPin");
	const std::size_t AddedLine = Text.find("PinId=A0000000000000000000000000000004,PinName=\"Added\"");
	ASSERT_NE(Execute, std::string::npos) << Text;
	ASSERT_NE(Last, std::string::npos) << Text;
	ASSERT_NE(AddedLine, std::string::npos) << Text;
	EXPECT_LT(Execute, Last);
	EXPECT_LT(Last, AddedLine);
	EXPECT_LT(AddedLine, UserPin);

	UEdGraph& Other = NewGraph();
	const std::vector<UEdGraphNode*> Reread = ImportNodesFromText(Other, Text);
	ASSERT_EQ(Reread.size(), 1u);
	ASSERT_EQ(Reread[0]->GetPins().size(), 3u);
	EXPECT_EQ(Reread[0]->GetPins()[1]->PinName, "Last");
	EXPECT_EQ(Reread[0]->GetPins()[2]->PinName, "Added");
}
