#include "Materials/MaterialGraphTestSupport.h"
#include "Materials/MaterialShared.h"

#include <map>
#include <regex>

using namespace MaterialGraphTest;

namespace
{
	using FMaterialCopyPaste = FMaterialGraphFixture;

	std::string PinLine(std::string_view Id, std::string_view Name, std::string_view Fields)
	{
		return "   CustomProperties Pin (PinId=" + std::string(Id) + ",PinName=\"" + std::string(Name) + "\"," + std::string(Fields) + "PersistentGuid=00000000000000000000000000000000,)\r\n";
	}

	/** A UE5 copy of a constant feeding a multiply's A, with the multiply feeding a node that was not copied. */
	const std::string ConstantTimesSomething =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_3\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_3\"'\r\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_3.MaterialExpressionConstant_0\"'\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_3.MaterialExpressionConstant_0\"'\r\n"
		"      R=2.000000\r\n"
		"      MaterialExpressionEditorX=-400\r\n"
		"      MaterialExpressionEditorY=16\r\n"
		"      MaterialExpressionGuid=0F000000000000000000000000000001\r\n"
		"      Material=/Script/UnrealEd.PreviewMaterial'\"/Engine/Transient.M_Src\"'\r\n"
		"   End Object\r\n"
		"   MaterialExpression=/Script/Engine.MaterialExpressionConstant'\"MaterialExpressionConstant_0\"'\r\n"
		"   NodePosX=-400\r\n"
		"   NodePosY=16\r\n"
		"   NodeGuid=0E000000000000000000000000000001\r\n"
		+ PinLine("C0000000000000000000000000000001", "Output", "Direction=\"EGPD_Output\",PinType.PinCategory=\"\",LinkedTo=(MaterialGraphNode_4 C0000000000000000000000000000002,),")
		+ "End Object\r\n"
		  "Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_4\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_4\"'\r\n"
		  "   Begin Object Class=/Script/Engine.MaterialExpressionMultiply Name=\"MaterialExpressionMultiply_0\" ExportPath=/Script/Engine.MaterialExpressionMultiply'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_4.MaterialExpressionMultiply_0\"'\r\n"
		  "   End Object\r\n"
		  "   Begin Object Name=\"MaterialExpressionMultiply_0\" ExportPath=/Script/Engine.MaterialExpressionMultiply'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_4.MaterialExpressionMultiply_0\"'\r\n"
		  "      A=(Expression=/Script/Engine.MaterialExpressionConstant'\"MaterialGraphNode_3.MaterialExpressionConstant_0\"')\r\n"
		  "      B=(Expression=/Script/Engine.MaterialExpressionTime'\"MaterialGraphNode_9.MaterialExpressionTime_0\"')\r\n"
		  "      MaterialExpressionEditorX=-200\r\n"
		  "      MaterialExpressionGuid=0F000000000000000000000000000002\r\n"
		  "      Material=/Script/UnrealEd.PreviewMaterial'\"/Engine/Transient.M_Src\"'\r\n"
		  "      bFutureFlag=True\r\n"
		  "   End Object\r\n"
		  "   MaterialExpression=/Script/Engine.MaterialExpressionMultiply'\"MaterialExpressionMultiply_0\"'\r\n"
		  "   NodePosX=-200\r\n"
		  "   NodeGuid=0E000000000000000000000000000002\r\n"
		+ PinLine("C0000000000000000000000000000002", "A", "PinType.PinCategory=\"optional\",LinkedTo=(MaterialGraphNode_3 C0000000000000000000000000000001,),")
		+ PinLine("C0000000000000000000000000000003", "B", "PinType.PinCategory=\"optional\",LinkedTo=(MaterialGraphNode_9 C0000000000000000000000000000009,),")
		+ PinLine("C0000000000000000000000000000004", "Output", "Direction=\"EGPD_Output\",PinType.PinCategory=\"\",")
		+ "End Object\r\n";

	/** The same pair as the text would be without the node that was not copied. */
	std::string WithoutTheMissingNode(std::string Text)
	{
		Text = std::regex_replace(Text, std::regex("      B=\\(Expression=[^\\r]*\\r\\n"), "");
		return std::regex_replace(Text, std::regex("LinkedTo=\\(MaterialGraphNode_9 C0000000000000000000000000000009,\\),"), "");
	}

	/** The top-level objects of a copy by what they are: material expression nodes, comment boxes and result nodes. */
	struct FNodeCounts
	{
		std::size_t Expressions = 0;
		std::size_t Comments = 0;
		std::size_t Roots = 0;

		friend bool operator==(const FNodeCounts&, const FNodeCounts&) = default;
	};

	/** Counted from the text's unindented Begin Object lines, independently of the importer. */
	FNodeCounts CountTopLevelNodes(const std::string& Text)
	{
		FNodeCounts Counts;
		std::istringstream Lines(Text);
		for (std::string Line; std::getline(Lines, Line);)
		{
			if (!Line.starts_with("Begin Object Class="))
			{
				continue;
			}
			if (Line.find("MaterialGraphNode_Comment") != std::string::npos)
			{
				++Counts.Comments;
			}
			else if (Line.find("MaterialGraphNode_Root") != std::string::npos)
			{
				++Counts.Roots;
			}
			else if (Line.find("MaterialGraphNode") != std::string::npos)
			{
				++Counts.Expressions;
			}
		}
		return Counts;
	}

	FNodeCounts CountPastedNodes(const std::vector<UEdGraphNode*>& Nodes)
	{
		FNodeCounts Counts;
		for (const UEdGraphNode* const Node : Nodes)
		{
			if (const auto* const Expression = Cast<UMaterialGraphNode>(Node))
			{
				Counts.Expressions += Expression->MaterialExpression != nullptr;
			}
			else if (const auto* const Comment = Cast<UMaterialGraphNode_Comment>(Node))
			{
				Counts.Comments += Comment->MaterialExpressionComment != nullptr;
			}
			else
			{
				Counts.Roots += Node->IsA<UMaterialGraphNode_Root>();
			}
		}
		return Counts;
	}

	/**
	 * The lines of a copy that must come back when it is copied again: every line with its
	 * indentation and line end taken off, except input references to nodes outside the copy and
	 * links to them (the copy drops those), with LinkedTo fields left out of pin lines.
	 */
	std::multiset<std::string> KeptLines(const std::string& Text)
	{
		std::multiset<std::string> Lines;
		std::istringstream Stream(Text);
		for (std::string Line; std::getline(Stream, Line);)
		{
			if (!Line.empty() && Line.back() == '\r')
			{
				Line.pop_back();
			}
			Line.erase(0, Line.find_first_not_of(" \t"));
			if (Line.find("(Expression=") != std::string::npos)
			{
				continue;
			}
			Lines.insert(std::regex_replace(Line, std::regex("LinkedTo=\\([^)]*\\),"), ""));
		}
		return Lines;
	}
}

TEST_F(FMaterialCopyPaste, EveryRealSamplePastesCountsItsNodesAndCopiesBackWhatItDoesNotModel)
{
	const std::vector<std::filesystem::path> Samples = MaterialSamples();
	if (Samples.empty())
	{
		GTEST_SKIP() << "no material samples under " << MaterialSamplesDir;
	}
	for (const std::filesystem::path& Sample : Samples)
	{
		SCOPED_TRACE(Sample.filename().string());
		const std::string Text = ReadBytes(Sample);
		UMaterial* const Target = NewTestMaterial("M_" + Sample.stem().string().substr(0, 2));
		UMaterialGraph* const SampleGraph = MakeMaterialGraph(*Target);
		const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*SampleGraph, Text);
		EXPECT_EQ(CountPastedNodes(Nodes), CountTopLevelNodes(Text));
		const std::string Copied = SampleGraph->ExportNodesAsText(AsConst(Nodes));
		const std::multiset<std::string> Expected = KeptLines(Text);
		const std::multiset<std::string> Got = KeptLines(Copied);
		for (const std::string& Line : Expected)
		{
			EXPECT_GE(Got.count(Line), Expected.count(Line)) << "line lost: " << Line;
		}
		if (Text.find("(Expression=") == std::string::npos && Text.find("LinkedTo=") == std::string::npos)
		{
			EXPECT_EQ(Copied, Text) << "a copy that refers to nothing outside itself comes back byte for byte";
		}
	}
}

TEST_F(FMaterialCopyPaste, PastedExpressionsReadEachOthersInputsAndLeaveReferencesOutsideTheCopyOpen)
{
	const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*Graph, ConstantTimesSomething);
	ASSERT_EQ(Nodes.size(), 2u);
	auto* const ConstantNode = Cast<UMaterialGraphNode>(Nodes[0]);
	auto* const MultiplyNode = Cast<UMaterialGraphNode>(Nodes[1]);
	ASSERT_NE(ConstantNode->MaterialExpression, nullptr);
	ASSERT_NE(MultiplyNode->MaterialExpression, nullptr);
	UMaterialExpression* const Multiply = MultiplyNode->MaterialExpression;
	EXPECT_EQ(Multiply->GetOuter(), Material) << "expressions are made in the graph's outer";
	EXPECT_EQ(Multiply->GraphNode, MultiplyNode);
	EXPECT_EQ(Multiply->GetName(), "MaterialExpressionMultiply_0");
	EXPECT_EQ(Multiply->MaterialExpressionEditorX, -200);
	EXPECT_EQ(Multiply->GetInput(0)->Expression, ConstantNode->MaterialExpression);
	EXPECT_EQ(Multiply->GetInput(1)->Expression, nullptr) << "the node it named was not pasted";
	EXPECT_TRUE(IsLinked(*ConstantNode->FindPin("Output"), *MultiplyNode->FindPin("A")));

	// After the material links its graph, the links are what the expressions read.
	Graph->LinkGraphNodesFromMaterial();
	EXPECT_TRUE(IsLinked(*ConstantNode->FindPin("Output"), *MultiplyNode->FindPin("A")));
	EXPECT_TRUE(MultiplyNode->FindPin("B")->GetLinkedTo().empty());

	EXPECT_EQ(Graph->ExportNodesAsText(AsConst(Nodes)), WithoutTheMissingNode(ConstantTimesSomething));
}

TEST_F(FMaterialCopyPaste, CopyThenPasteThenCopyAgainGivesTheSameText)
{
	const std::vector<UEdGraphNode*> First = PasteIntoMaterial(*Graph, ConstantTimesSomething);
	const std::string FirstText = Graph->ExportNodesAsText(AsConst(First));
	UMaterial* const Other = NewTestMaterial("M_Other");
	UMaterialGraph* const OtherGraph = MakeMaterialGraph(*Other);
	const std::vector<UEdGraphNode*> Second = PasteIntoMaterial(*OtherGraph, FirstText);
	EXPECT_EQ(OtherGraph->ExportNodesAsText(AsConst(Second)), FirstText);

	// Nodes made from the material (not pasted) are stable the same way.
	OtherGraph->RebuildGraph();
	const std::vector<UMaterialGraphNode*> Rebuilt = NodesOf<UMaterialGraphNode>(*OtherGraph);
	const std::string RebuiltText = OtherGraph->ExportNodesAsText({Rebuilt.begin(), Rebuilt.end()});
	UMaterial* const Third = NewTestMaterial("M_Third");
	UMaterialGraph* const ThirdGraph = MakeMaterialGraph(*Third);
	const std::vector<UEdGraphNode*> Again = PasteIntoMaterial(*ThirdGraph, RebuiltText);
	EXPECT_EQ(ThirdGraph->ExportNodesAsText(AsConst(Again)), RebuiltText);
	EXPECT_EQ(Cast<UMaterialGraphNode>(Again[1])->MaterialExpression->GetInput(0)->Expression, Cast<UMaterialGraphNode>(Again[0])->MaterialExpression);
}

TEST_F(FMaterialCopyPaste, PastingTwiceRenamesAndTheCopyNamesTheNewNodesAndExpressions)
{
	PasteIntoMaterial(*Graph, ConstantTimesSomething);
	const std::vector<UEdGraphNode*> Second = PasteIntoMaterial(*Graph, ConstantTimesSomething);
	auto* const Constant = Cast<UMaterialGraphNode>(Second[0])->MaterialExpression;
	auto* const Multiply = Cast<UMaterialGraphNode>(Second[1])->MaterialExpression;
	EXPECT_EQ(Second[0]->GetName(), "MaterialGraphNode_5") << "the text's name and the next were taken";
	EXPECT_EQ(Constant->GetName(), "MaterialExpressionConstant_1");
	EXPECT_EQ(Multiply->GetInput(0)->Expression, Constant) << "references reach the expressions of the same paste";

	const std::string Text = Graph->ExportNodesAsText(AsConst(Second));
	EXPECT_NE(Text.find("Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_1\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Src:MaterialGraph_0.MaterialGraphNode_5.MaterialExpressionConstant_1\"'"), std::string::npos) << Text;
	EXPECT_NE(Text.find("MaterialExpression=/Script/Engine.MaterialExpressionConstant'\"MaterialExpressionConstant_1\"'"), std::string::npos);
	EXPECT_NE(Text.find("A=(Expression=/Script/Engine.MaterialExpressionConstant'\"MaterialGraphNode_5.MaterialExpressionConstant_1\"')"), std::string::npos);
}

TEST_F(FMaterialCopyPaste, AnExpressionOfAnUnknownClassKeepsEveryLine)
{
	const std::string Text =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_7\"\r\n"
		"   Begin Object Class=/Script/FutureModule.MaterialExpressionHologram Name=\"MaterialExpressionHologram_0\"\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionHologram_0\"\r\n"
		"      Flicker=(Speed=2.000000,Mode=Wild)\r\n"
		"      MaterialExpressionEditorX=32\r\n"
		"      Strange Line Without Equals\r\n"
		"   End Object\r\n"
		"   MaterialExpression=/Script/FutureModule.MaterialExpressionHologram'\"MaterialExpressionHologram_0\"'\r\n"
		"   NodePosX=32\r\n"
		"   NodeGuid=0E000000000000000000000000000007\r\n"
		+ PinLine("C0000000000000000000000000000071", "Output", "Direction=\"EGPD_Output\",PinType.PinCategory=\"\",")
		+ "End Object\r\n";
	const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*Graph, Text);
	ASSERT_EQ(Nodes.size(), 1u);
	ASSERT_NE(Cast<UMaterialGraphNode>(Nodes[0])->MaterialExpression, nullptr) << "the node still carries an expression";
	EXPECT_EQ(Graph->ExportNodesAsText(AsConst(Nodes)), Text);
}

TEST_F(FMaterialCopyPaste, OlderCopiesWithShortClassNamesPasteKnotsAndTheirReroutes)
{
	const std::string Text =
		"Begin Object Class=MaterialGraphNode_Knot Name=\"MaterialGraphNode_Knot_5\"\n"
		"   Begin Object Class=MaterialExpressionReroute Name=\"MaterialExpressionReroute_41\"\n"
		"   End Object\n"
		"   Begin Object Name=\"MaterialExpressionReroute_41\"\n"
		"      Input=(Expression=MaterialExpressionAbs'MaterialGraphNode_192.MaterialExpressionAbs_340')\n"
		"      MaterialExpressionEditorX=-128\n"
		"      Material=PreviewMaterial'/Engine/Transient.spriteNew'\n"
		"   End Object\n"
		"   MaterialExpression=MaterialExpressionReroute'MaterialExpressionReroute_41'\n"
		"   NodePosX=-128\n"
		"   bCanRenameNode=False\n"
		"End Object\n"
		"Begin Object Class=MaterialGraphNode Name=\"MaterialGraphNode_192\"\n"
		"   Begin Object Class=MaterialExpressionAbs Name=\"MaterialExpressionAbs_340\"\n"
		"   End Object\n"
		"   Begin Object Name=\"MaterialExpressionAbs_340\"\n"
		"      MaterialExpressionEditorX=-300\n"
		"   End Object\n"
		"   MaterialExpression=MaterialExpressionAbs'MaterialExpressionAbs_340'\n"
		"   NodePosX=-300\n"
		"End Object\n";
	const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*Graph, Text);
	ASSERT_EQ(Nodes.size(), 2u);
	ASSERT_TRUE(Nodes[0]->IsA<UMaterialGraphNode_Knot>());
	UMaterialExpression* const Reroute = Cast<UMaterialGraphNode>(Nodes[0])->MaterialExpression;
	ASSERT_NE(Reroute, nullptr);
	EXPECT_TRUE(Reroute->IsA<UMaterialExpressionReroute>());
	EXPECT_EQ(Reroute->GetInput(0)->Expression, Cast<UMaterialGraphNode>(Nodes[1])->MaterialExpression) << "a reference to a node later in the text";
	EXPECT_EQ(DescribePins(*Nodes[0]), (std::vector<std::string>{"in InputPin/wildcard/", "out OutputPin/wildcard/"})) << "a node pasted without pins gets its own";
	Graph->LinkGraphNodesFromMaterial();
	EXPECT_TRUE(IsLinked(*Nodes[1]->GetPins().back(), *Nodes[0]->FindPin("InputPin")));
}

TEST_F(FMaterialCopyPaste, CommentsAndRootsPasteIntoTheirOwnNodeKinds)
{
	const std::string Text =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Comment Name=\"MaterialGraphNode_Comment_0\"\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionComment Name=\"MaterialExpressionComment_0\"\n"
		"   End Object\n"
		"   Begin Object Name=\"MaterialExpressionComment_0\"\n"
		"      SizeX=249\n"
		"      Text=\"Rim\"\n"
		"      MaterialExpressionEditorX=-5920\n"
		"   End Object\n"
		"   MaterialExpressionComment=/Script/Engine.MaterialExpressionComment'\"MaterialExpressionComment_0\"'\n"
		"   NodePosX=-5920\n"
		"   NodeWidth=249\n"
		"   NodeComment=\"Rim\"\n"
		"   NodeGuid=0E000000000000000000000000000011\n"
		"End Object\n"
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Root Name=\"MaterialGraphNode_Root_3\"\n"
		"   NodePosX=200\n"
		"End Object\n";
	const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*Graph, Text);
	ASSERT_EQ(Nodes.size(), 2u);
	const auto* const Comment = Cast<UMaterialGraphNode_Comment>(Nodes[0]);
	ASSERT_NE(Comment, nullptr);
	ASSERT_NE(Comment->MaterialExpressionComment, nullptr);
	EXPECT_EQ(Comment->MaterialExpressionComment->GetText(), "Rim");
	EXPECT_EQ(Comment->MaterialExpressionComment->GetSizeX(), 249);
	EXPECT_EQ(Comment->MaterialExpressionComment->GetOuter(), Material);
	const auto* const Root = Cast<UMaterialGraphNode_Root>(Nodes[1]);
	ASSERT_NE(Root, nullptr);
	EXPECT_EQ(Root->Material, Material);
	EXPECT_EQ(Root->GetPins().size(), 30u);
	EXPECT_EQ(Graph->ExportNodesAsText({Nodes[0]}), Text.substr(0, Text.find("Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Root")));
}

TEST_F(FMaterialCopyPaste, MaterialNodesInAPlainGraphStillPasteAndCopyBackAsRead)
{
	UEdGraph* const Plain = NewObject<UEdGraph>(NewObject<UObject>());
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(*Plain, ConstantTimesSomething);
	ASSERT_EQ(Nodes.size(), 2u);
	EXPECT_NE(Cast<UMaterialGraphNode>(Nodes[1])->MaterialExpression, nullptr);
	// Without the material graph's copy step the nested objects are written as they were read; only links to nodes not copied go.
	const std::string Expected = std::regex_replace(ConstantTimesSomething, std::regex("LinkedTo=\\(MaterialGraphNode_9 C0000000000000000000000000000009,\\),"), "");
	EXPECT_EQ(ExportNodesToText(AsConst(Nodes)), Expected);
}

TEST_F(FMaterialCopyPaste, ANodeWhoseExpressionWasDestroyedCopiesAsReadAndLeavesOnRefresh)
{
	const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*Graph, ConstantTimesSomething);
	auto* const ConstantNode = Cast<UMaterialGraphNode>(Nodes[0]);
	UMaterialExpression* const Constant = ConstantNode->MaterialExpression;
	// The constant leaves the material and is destroyed; the multiply still names it.
	std::erase(Material->GetExpressionCollection().Expressions, Constant);
	Constant->MarkAsGarbage();
	CollectGarbage();

	EXPECT_EQ(ConstantNode->GetLiveMaterialExpression(), nullptr);
	const std::string FirstNode = ConstantTimesSomething.substr(0, ConstantTimesSomething.find("Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_4\""));
	EXPECT_EQ(Graph->ExportNodesAsText({ConstantNode}), std::regex_replace(FirstNode, std::regex("LinkedTo=\\([^)]*\\),"), "")) << "the node as it was read";
	FMaterialResource Resource;
	Resource.Compile(*Material);
	Graph->RefreshGraph();
	EXPECT_TRUE(ConstantNode->IsGarbage());
	EXPECT_EQ(Cast<UMaterialGraphNode>(Nodes[1])->FindPin("A")->GetLinkedTo().size(), 0u) << "a reference to an expression the material no longer has shows no link";
}

TEST_F(FMaterialCopyPaste, AnArrayElementWrittenTwiceIsOneInputAndCopiesBackOnce)
{
	// Custom code whose text sets its input 0 twice: the later line names the input, as the editor's import sets it again.
	const std::string Text = "Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_0\"\r\n"
							 "   Begin Object Class=/Script/Engine.MaterialExpressionCustom Name=\"MaterialExpressionCustom_0\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Name=\"MaterialExpressionCustom_0\"\r\n"
							 "      Inputs(0)=(InputName=\"First\")\r\n"
							 "      Inputs(0)=(InputName=\"Second\")\r\n"
							 "   End Object\r\n"
							 "   MaterialExpression=/Script/Engine.MaterialExpressionCustom'\"MaterialExpressionCustom_0\"'\r\n"
							 "End Object\r\n";
	std::string Copied = Text;
	for (int Round = 0; Round < 3; ++Round)
	{
		UMaterial* const Target = NewTestMaterial("M_Round" + std::to_string(Round));
		UMaterialGraph* const TargetGraph = MakeMaterialGraph(*Target);
		const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*TargetGraph, Copied);
		ASSERT_EQ(Nodes.size(), 1u);
		auto* const Custom = Cast<UMaterialExpressionCustom>(Cast<UMaterialGraphNode>(Nodes[0])->MaterialExpression);
		ASSERT_NE(Custom, nullptr);
		ASSERT_EQ(Custom->CountInputs(), 1) << "round " << Round;
		EXPECT_EQ(Custom->GetInputName(0), "Second");
		Copied = TargetGraph->ExportNodesAsText(AsConst(Nodes));
		EXPECT_EQ(Copied.find("InputName=\"First\""), std::string::npos) << Copied;
	}
}
