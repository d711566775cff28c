#include "Graph/CopyPasteText.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	// A UE5 material node: a declared expression sub-object defined later with an ExportPath on both lines.
	constexpr std::string_view MaterialNode =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_1\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1\"'\n"
		"    Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1.MaterialExpressionConstant_0\"'\n"
		"    End Object\n"
		"    Begin Object Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1.MaterialExpressionConstant_0\"'\n"
		"        R=10000.000000\n"
		"        MaterialExpressionEditorX=-400\n"
		"    End Object\n"
		"    MaterialExpression=/Script/Engine.MaterialExpressionConstant'\"MaterialExpressionConstant_0\"'\n"
		"    NodePosX=-400\n"
		"    CustomProperties Pin (PinId=8B5A01B54A2E3E8B5AF6A0B9D0A11C7E,PinName=\"Value\",PinType.PinCategory=\"optional\",DefaultValue=\"10000.0\",bNotConnectable=True,)\n"
		"End Object\n";

	// A UMG copy in the editor's own layout: CR LF, three spaces, two panels that both own "ButtonSlot_0".
	constexpr std::string_view WidgetCopy =
		"Begin Object Class=/Script/UMG.Button Name=\"Left\"\r\n"
		"   Begin Object Class=/Script/UMG.ButtonSlot Name=\"ButtonSlot_0\"\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"ButtonSlot_0\"\r\n"
		"      Parent=Button'\"Left\"'\r\n"
		"   End Object\r\n"
		"   Slots(0)=ButtonSlot'\"ButtonSlot_0\"'\r\n"
		"   DisplayLabel=\"Left\"\r\n"
		"End Object\r\n"
		"Begin Object Class=/Script/UMG.Button Name=\"Right\"\r\n"
		"   Begin Object Class=/Script/UMG.ButtonSlot Name=\"ButtonSlot_0\"\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"ButtonSlot_0\"\r\n"
		"      Parent=Button'\"Right\"'\r\n"
		"   End Object\r\n"
		"   Slots(0)=ButtonSlot'\"ButtonSlot_0\"'\r\n"
		"End Object\r\n"
		"Begin Object Class=/Script/UMGEditor.WidgetSlotPair Name=\"WidgetSlotPair_0\"\r\n"
		"   WidgetName=\"Left\"\r\n"
		"End Object\r\n";

	FCopyPasteDocument ReadClean(std::string_view Text)
	{
		FCopyPasteParse Parse = ParseCopyPasteText(Text);
		EXPECT_TRUE(Parse.Warnings.empty()) << Parse.Warnings.front().Message;
		return std::move(Parse.Document);
	}

	std::string Nested(std::size_t Depth)
	{
		std::string Text;
		for (std::size_t Level = 0; Level < Depth; ++Level)
		{
			Text += "Begin Object Class=C Name=\"O" + std::to_string(Level) + "\"\n";
		}
		for (std::size_t Level = 0; Level < Depth; ++Level)
		{
			Text += "End Object\n";
		}
		return Text;
	}
}

TEST(CopyPasteTextReaderTest, EditorLayoutsComeBackByteForByte)
{
	const std::string TabIndented = "Begin Object Class=K2Node_Knot Name=\"K2Node_Knot_0\"\n\tNodePosX=16\n\tNodeComment=\"tabs\"\nEnd Object";
	for (const std::string_view Text : {MaterialNode, WidgetCopy, std::string_view(TabIndented)})
	{
		EXPECT_EQ(WriteCopyPasteText(ReadClean(Text)), Text);
	}
}

TEST(CopyPasteTextReaderTest, ReadsHeaderPropertiesAndPinLines)
{
	const FCopyPasteDocument Document = ReadClean(MaterialNode);
	ASSERT_EQ(Document.Objects.size(), 1u);
	const FCopyPasteObject& Node = Document.Objects[0];
	EXPECT_EQ(Node.Class, "/Script/UnrealEd.MaterialGraphNode");
	EXPECT_EQ(Node.Name, "MaterialGraphNode_1");
	ASSERT_EQ(Node.Attributes.size(), 1u);
	EXPECT_EQ(Node.Attributes[0].Key, "ExportPath");
	EXPECT_EQ(Node.Attributes[0].Value, "/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1\"'");
	ASSERT_NE(Node.FindProperty("NodePosX"), nullptr);
	EXPECT_EQ(Node.FindProperty("NodePosX")->Value, "-400");
	ASSERT_EQ(Node.CustomProperties.size(), 1u);
	EXPECT_EQ(Node.CustomProperties[0].Kind, "Pin");
	EXPECT_TRUE(Node.CustomProperties[0].Text.starts_with("(PinId=8B5A01B54A2E3E8B5AF6A0B9D0A11C7E,"));
	EXPECT_EQ(Document.Layout.Indent, "    ");
	EXPECT_EQ(Document.Layout.LineEnd, "\n");
}

TEST(CopyPasteTextReaderTest, MergesDeclarationAndDefinitionWithinTheirParent)
{
	const FCopyPasteDocument Material = ReadClean(MaterialNode);
	ASSERT_EQ(Material.Objects[0].Children.size(), 1u);
	const FCopyPasteObject& Expression = Material.Objects[0].Children[0];
	EXPECT_EQ(Expression.Class, "/Script/Engine.MaterialExpressionConstant");
	ASSERT_TRUE(Expression.DefinitionAttributes.has_value());
	ASSERT_EQ(Expression.DefinitionAttributes->size(), 1u);
	EXPECT_EQ((*Expression.DefinitionAttributes)[0].Key, "ExportPath");
	ASSERT_NE(Expression.FindProperty("R"), nullptr);
	EXPECT_EQ(Expression.FindProperty("R")->Value, "10000.000000");

	const FCopyPasteDocument Widgets = ReadClean(WidgetCopy);
	ASSERT_EQ(Widgets.Objects.size(), 3u);
	for (std::size_t Index = 0; Index < 2; ++Index)
	{
		const FCopyPasteObject& Button = Widgets.Objects[Index];
		ASSERT_EQ(Button.Children.size(), 1u) << Button.Name;
		const FCopyPasteObject* Slot = Button.FindChild("ButtonSlot_0");
		ASSERT_NE(Slot, nullptr);
		EXPECT_EQ(Slot->FindProperty("Parent")->Value, "Button'\"" + Button.Name + "\"'");
	}
	const FCopyPasteProperty* Slot = Widgets.Objects[0].FindProperty("Slots", 0);
	ASSERT_NE(Slot, nullptr);
	EXPECT_EQ(Slot->ArrayIndex, 0);
	EXPECT_EQ(Widgets.Layout.LineEnd, "\r\n");
	EXPECT_EQ(Widgets.Layout.Indent, "   ");
}

TEST(CopyPasteTextReaderTest, LegacyPinObjectsAreDeclaredThenDefined)
{
	constexpr std::string_view Legacy =
		"Begin Object Class=K2Node_MacroInstance Name=\"K2Node_MacroInstance_1\"\n"
		"   Begin Object Class=EdGraphPin Name=\"EdGraphPin_1\"\n"
		"   End Object\n"
		"   Begin Object Class=EdGraphPin Name=\"EdGraphPin_2\"\n"
		"   End Object\n"
		"   Pins(0)=EdGraphPin'EdGraphPin_1'\n"
		"   Pins(1)=EdGraphPin'EdGraphPin_2'\n"
		"   Begin Object Name=\"EdGraphPin_2\"\n"
		"      PinName=\"A\"\n"
		"      LinkedTo(1)=EdGraphPin'K2Node_CallFunction_7.EdGraphPin_43320'\n"
		"   End Object\n"
		"   Begin Object Name=\"EdGraphPin_1\"\n"
		"      PinType=(PinCategory=\"exec\")\n"
		"   End Object\n"
		"End Object\n";
	const FCopyPasteDocument Document = ReadClean(Legacy);
	const FCopyPasteObject& Node = Document.Objects.at(0);
	ASSERT_EQ(Node.Children.size(), 2u);
	EXPECT_EQ(Node.Children[0].FindProperty("PinType")->Value, "(PinCategory=\"exec\")");
	EXPECT_EQ(Node.Children[1].FindProperty("LinkedTo", 1)->Value, "EdGraphPin'K2Node_CallFunction_7.EdGraphPin_43320'");
	EXPECT_EQ(WriteCopyPasteText(Document), Legacy);
}

TEST(CopyPasteTextReaderTest, KeepsUnknownLinesAndToleratesLayout)
{
	constexpr std::string_view Loose =
		"\n"
		"Begin Object Class=K2Node_Knot Name=\"K2Node_Knot_0\" Archetype=K2Node_Knot'/Script/BlueprintGraph.Default__K2Node_Knot'\r\n"
		"\r\n"
		"  \t NodePosX=16\r\n"
		"  some words the reader does not know\r\n"
		"  CustomProperties UserDefinedPin Name=\"Start\" IsArray=0\r\n"
		"End Object\r\n";
	const FCopyPasteDocument Document = ReadClean(Loose);
	const FCopyPasteObject& Knot = Document.Objects.at(0);
	EXPECT_EQ(Knot.Attributes.at(0).Key, "Archetype");
	EXPECT_EQ(Knot.FindProperty("NodePosX")->Value, "16");
	EXPECT_EQ(Knot.OtherLines, std::vector<std::string>{"some words the reader does not know"});
	EXPECT_EQ(Knot.CustomProperties.at(0).Kind, "UserDefinedPin");
	EXPECT_EQ(Knot.CustomProperties.at(0).Text, "Name=\"Start\" IsArray=0");
	EXPECT_EQ(WriteCopyPasteText(Document),
		"Begin Object Class=K2Node_Knot Name=\"K2Node_Knot_0\" Archetype=K2Node_Knot'/Script/BlueprintGraph.Default__K2Node_Knot'\r\n"
		"  \t NodePosX=16\r\n"
		"  \t some words the reader does not know\r\n"
		"  \t CustomProperties UserDefinedPin Name=\"Start\" IsArray=0\r\n"
		"End Object\r\n");
}

TEST(CopyPasteTextReaderTest, MalformedInputKeepsWhatParsesAndWarns)
{
	const FCopyPasteParse Parse = ParseCopyPasteText(
		"Here is my graph:\n"
		"End Object\n"
		"Begin Object Class=K2Node_Self Name=\"K2Node_Self_0\"\n"
		"   NodePosX=1\n"
		"End Object\n"
		"thanks!\n"
		"Begin Object Class=K2Node_Self Name=\"K2Node_Self_1\"\n"
		"   Begin Object Class=EdGraphPin Name=\"EdGraphPin_1\"\n"
		"      PinName=\"self\"\n");
	ASSERT_EQ(Parse.Document.Objects.size(), 2u);
	EXPECT_EQ(Parse.Document.Objects[0].FindProperty("NodePosX")->Value, "1");
	EXPECT_EQ(Parse.Document.Objects[1].Children.at(0).FindProperty("PinName")->Value, "\"self\"");
	std::vector<std::size_t> WarnedLines;
	for (const FCopyPasteWarning& Warning : Parse.Warnings)
	{
		WarnedLines.push_back(Warning.Line);
	}
	EXPECT_EQ(WarnedLines, (std::vector<std::size_t>{1, 2, 6, 8, 7}));
	// The unterminated objects are closed on the way out, and the result reads again without loss.
	const std::string Written = WriteCopyPasteText(Parse.Document);
	EXPECT_TRUE(Written.ends_with("      PinName=\"self\"\n   End Object\nEnd Object\n")) << Written;
	EXPECT_EQ(WriteCopyPasteText(ReadClean(Written)), Written);
}

TEST(CopyPasteTextReaderTest, DropsObjectsNestedBeyondTheDepthLimit)
{
	const FCopyPasteParse Parse = ParseCopyPasteText(Nested(CopyPasteMaxDepth + 10) + "Begin Object Class=C Name=\"After\"\nEnd Object\n");
	ASSERT_EQ(Parse.Warnings.size(), 1u);
	EXPECT_EQ(Parse.Warnings[0].Line, CopyPasteMaxDepth + 1);
	std::size_t Depth = 0;
	for (const FCopyPasteObject* Object = &Parse.Document.Objects.at(0); !Object->Children.empty(); Object = &Object->Children[0])
	{
		++Depth;
	}
	EXPECT_EQ(Depth + 1, CopyPasteMaxDepth);
	ASSERT_EQ(Parse.Document.Objects.size(), 2u);
	EXPECT_EQ(Parse.Document.Objects[1].Name, "After");
	EXPECT_EQ(WriteCopyPasteText(ReadClean(Nested(CopyPasteMaxDepth))), Nested(CopyPasteMaxDepth));
}

TEST(CopyPasteTextReaderTest, NewDocumentsUseTheEditorLayout)
{
	FCopyPasteObject Expression;
	Expression.Class = "/Script/Engine.MaterialExpressionConstant";
	Expression.Name = "MaterialExpressionConstant_0";
	Expression.AddProperty({"R", std::nullopt, "1.000000"});
	FCopyPasteObject Node;
	Node.Class = "/Script/UnrealEd.MaterialGraphNode";
	Node.Name = "MaterialGraphNode_0";
	Node.AddDeclaredChild(std::move(Expression));
	Node.AddProperty({"MaterialExpression", std::nullopt, "/Script/Engine.MaterialExpressionConstant'\"MaterialExpressionConstant_0\"'"});
	Node.AddCustomProperty({"Pin", "(PinId=0,)"});
	FCopyPasteDocument Document;
	Document.Objects.push_back(std::move(Node));
	const std::string Expected =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_0\"\r\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\"\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionConstant_0\"\r\n"
		"      R=1.000000\r\n"
		"   End Object\r\n"
		"   MaterialExpression=/Script/Engine.MaterialExpressionConstant'\"MaterialExpressionConstant_0\"'\r\n"
		"   CustomProperties Pin (PinId=0,)\r\n"
		"End Object\r\n";
	EXPECT_EQ(WriteCopyPasteText(Document), Expected);
	EXPECT_EQ(WriteCopyPasteText(FCopyPasteDocument()), "");
}

TEST(CopyPasteTextReaderTest, OddHeadersReadBackTheSameAfterWriting)
{
	// Found by fuzzing: a quote in a class or name must not swallow the words written after it.
	for (const std::string_view Text : {"Begin Object Class=/\" A=1 Name=\"N\"\nEnd Object\n", "Begin Object B=2 Name=\"abc\nEnd Object\n",
			 "Begin Object Class=C Name=\"N\" \r\r\nEnd Object\r\n"})
	{
		const std::string Written = WriteCopyPasteText(ParseCopyPasteText(Text).Document);
		EXPECT_EQ(WriteCopyPasteText(ReadClean(Written)), Written) << Text;
	}
}
