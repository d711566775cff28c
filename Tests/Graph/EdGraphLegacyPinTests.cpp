#include "Assets/AssetFiles.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
	const std::filesystem::path LegacySample = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/blueprint/14_legacy-macro-flipflop-edgraphpin-objects.t3d";

	std::vector<const UEdGraphNode*> AsConst(const std::vector<UEdGraphNode*>& Nodes)
	{
		return {Nodes.begin(), Nodes.end()};
	}

	// InputKey.Pressed -> FlipFlop.execute, both written as EdGraphPin sub-objects; FlipFlop.execute
	// also links to a node that is not in the text.
	const std::string LegacyPair =
		"Begin Object Class=K2Node_InputKey Name=\"K2Node_InputKey_1\"\n"
		"    NodeGuid=11111111111111111111111111111111\n"
		"    Begin Object Class=EdGraphPin Name=\"EdGraphPin_10\"\n"
		"    End Object\n"
		"    InputKey=F1\n"
		"    Pins(0)=EdGraphPin'EdGraphPin_10'\n"
		"    Begin Object Name=\"EdGraphPin_10\"\n"
		"        PinName=\"Pressed\"\n"
		"        Direction=EGPD_Output\n"
		"        PinType=(PinCategory=\"exec\")\n"
		"        LinkedTo(0)=EdGraphPin'K2Node_MacroInstance_5.EdGraphPin_20'\n"
		"    End Object\n"
		"End Object\n"
		"Begin Object Class=K2Node_MacroInstance Name=\"K2Node_MacroInstance_5\"\n"
		"    NodeGuid=22222222222222222222222222222222\n"
		"    Begin Object Class=/Script/Engine.EdGraphPin Name=\"EdGraphPin_20\"\n"
		"    End Object\n"
		"    Begin Object Class=EdGraphPin Name=\"EdGraphPin_21\"\n"
		"    End Object\n"
		"    Pins(0)=EdGraphPin'EdGraphPin_20'\n"
		"    Pins(1)=EdGraphPin'EdGraphPin_21'\n"
		"    Begin Object Name=\"EdGraphPin_20\"\n"
		"        PinType=(PinCategory=\"exec\")\n"
		"        LinkedTo(0)=EdGraphPin'\"K2Node_InputKey_1.EdGraphPin_10\"'\n"
		"        LinkedTo(1)=EdGraphPin'K2Node_Elsewhere_9.EdGraphPin_30'\n"
		"    End Object\n"
		"    Begin Object Name=\"EdGraphPin_21\"\n"
		"        PinName=\"IsA\"\n"
		"        Direction=EGPD_Output\n"
		"        PinType=(PinCategory=\"bool\",bIsReference=True)\n"
		"        DefaultValue=\"true\"\n"
		"    End Object\n"
		"End Object\n";

	std::string WithoutLinesContaining(std::string_view Text, std::string_view Word)
	{
		std::string Result;
		std::size_t Start = 0;
		while (Start < Text.size())
		{
			const std::size_t End = std::min(Text.find('\n', Start), Text.size() - 1) + 1;
			const std::string_view Line = Text.substr(Start, End - Start);
			if (Line.find(Word) == std::string_view::npos)
			{
				Result += Line;
			}
			Start = End;
		}
		return Result;
	}
}

TEST(EdGraphLegacyPins, SubObjectPinsAreReadAndLinkedByNodeAndObjectName)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = *NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, LegacyPair);
	ASSERT_EQ(Nodes.size(), 2u);
	ASSERT_EQ(Nodes[0]->GetPins().size(), 1u);
	ASSERT_EQ(Nodes[1]->GetPins().size(), 2u);

	const UEdGraphPin& Pressed = *Nodes[0]->GetPins()[0];
	EXPECT_EQ(Pressed.PinName, "Pressed");
	EXPECT_EQ(Pressed.Direction, EEdGraphPinDirection::Output);
	EXPECT_EQ(Pressed.PinType.PinCategory, "exec");

	const UEdGraphPin& Execute = *Nodes[1]->GetPins()[0];
	EXPECT_EQ(Execute.PinName, "");
	EXPECT_EQ(Execute.Direction, EEdGraphPinDirection::Input);
	ASSERT_EQ(Execute.GetLinkedTo().size(), 1u);
	EXPECT_EQ(Execute.GetLinkedTo()[0], &Pressed);
	EXPECT_TRUE(Execute.PinId.IsValid());
	EXPECT_NE(Execute.PinId, Pressed.PinId);

	const UEdGraphPin& IsA = *Nodes[1]->FindPin("IsA");
	EXPECT_EQ(IsA.PinType.PinCategory, "bool");
	EXPECT_TRUE(IsA.PinType.bIsReference);
	EXPECT_EQ(IsA.DefaultValue, "true");

	// Only the dangling link goes; the rest, pins as sub-objects included, is written as read.
	const std::string Text = ExportNodesToText(AsConst(Nodes));
	EXPECT_EQ(Text, WithoutLinesContaining(LegacyPair, "K2Node_Elsewhere_9"));
	EXPECT_EQ(Text.find("CustomProperties"), std::string::npos);
}

TEST(EdGraphLegacyPins, RenamedNodesAndChangedPinsAreWrittenInTheLegacyForm)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = *NewObject<UEdGraph>();
	ImportNodesFromText(Graph, LegacyPair);
	const std::vector<UEdGraphNode*> Second = ImportNodesFromText(Graph, LegacyPair);
	ASSERT_EQ(Second.size(), 2u);
	EXPECT_EQ(Second[0]->GetName(), "K2Node_InputKey_2");
	EXPECT_EQ(Second[1]->GetName(), "K2Node_MacroInstance_6");
	ASSERT_EQ(Second[0]->GetPins().size(), 1u);
	ASSERT_EQ(Second[1]->GetPins().size(), 2u);
	ASSERT_EQ(Second[0]->GetPins()[0]->GetLinkedTo().size(), 1u);
	EXPECT_EQ(&Second[0]->GetPins()[0]->GetLinkedTo()[0]->GetOwningNode(), Second[1]);

	const std::string Text = ExportNodesToText(AsConst(Second));
	EXPECT_NE(Text.find("        LinkedTo(0)=EdGraphPin'K2Node_MacroInstance_6.EdGraphPin_20'\n"), std::string::npos);
	EXPECT_NE(Text.find("        LinkedTo(0)=EdGraphPin'K2Node_InputKey_2.EdGraphPin_10'\n    End Object"), std::string::npos);
	EXPECT_EQ(Text.find("LinkedTo(1)"), std::string::npos);

	// Typed changes are written back as sub-object lines.
	UEdGraphPin& IsA = *Second[1]->FindPin("IsA");
	IsA.DefaultValue.reset();
	IsA.PinName = "Flag";
	UEdGraphPin& Execute = *Second[1]->GetPins()[0];
	Execute.BreakAllPinLinks();
	const std::string Changed = ExportNodesToText(AsConst(Second));
	EXPECT_EQ(Changed.find("DefaultValue"), std::string::npos);
	EXPECT_NE(Changed.find("        PinName=\"Flag\"\n        Direction=EGPD_Output\n"), std::string::npos);
	EXPECT_EQ(Changed.find("LinkedTo"), std::string::npos);

	// What was written pastes back with the same pins and links.
	UEdGraph& Other = *NewObject<UEdGraph>();
	Execute.MakeLinkTo(*Second[0]->GetPins()[0]);
	const std::vector<UEdGraphNode*> Again = ImportNodesFromText(Other, ExportNodesToText(AsConst(Second)));
	ASSERT_EQ(Again.size(), 2u);
	EXPECT_NE(Again[1]->FindPin("Flag"), nullptr);
	ASSERT_EQ(Again[1]->GetPins()[0]->GetLinkedTo().size(), 1u);
	EXPECT_EQ(Again[1]->GetPins()[0]->GetLinkedTo()[0], Again[0]->GetPins()[0].get());
}

TEST(EdGraphLegacyPins, LegacySampleKeepsItsFormWithoutItsDanglingLinks)
{
	FTestEditor Editor(HostOnly());
	if (!std::filesystem::exists(LegacySample))
	{
		GTEST_SKIP() << "no sample at " << LegacySample;
	}
	std::ifstream Stream(LegacySample, std::ios::binary);
	std::ostringstream Bytes;
	Bytes << Stream.rdbuf();
	const std::string Original = Bytes.str();

	UEdGraph& Graph = *NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, Original);
	ASSERT_EQ(Nodes.size(), 1u);
	ASSERT_EQ(Nodes[0]->GetPins().size(), 4u);
	EXPECT_EQ(Nodes[0]->GetPins()[3]->PinName, "IsA");
	EXPECT_EQ(Nodes[0]->GetPins()[3]->PinType.PinCategory, "bool");
	EXPECT_EQ(ExportNodesToText(AsConst(Nodes)), WithoutLinesContaining(Original, "LinkedTo("));
}
