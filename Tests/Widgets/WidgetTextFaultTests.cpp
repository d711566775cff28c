#include "Widgets/WidgetTextSamples.h"
#include "Widgets/WidgetTextTestSupport.h"
#include "Widgets/WidgetTextLinks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
	using ::testing::ElementsAre;

	/** A vertical box holding the given widgets (by name and class path), each in a slot of its own. */
	std::string VerticalBoxText(std::string_view BoxName, const std::vector<std::pair<std::string, std::string>>& Children)
	{
		std::string Text = "Begin Object Class=/Script/UMG.VerticalBox Name=\"" + std::string(BoxName) + "\"\n";
		for (std::size_t Index = 0; Index < Children.size(); ++Index)
		{
			Text += "   Begin Object Class=/Script/UMG.VerticalBoxSlot Name=\"VerticalBoxSlot_" + std::to_string(Index) + "\"\n   End Object\n";
		}
		for (std::size_t Index = 0; Index < Children.size(); ++Index)
		{
			Text += "   Begin Object Name=\"VerticalBoxSlot_" + std::to_string(Index) + "\"\n";
			Text += "      Parent=VerticalBox'\"" + std::string(BoxName) + "\"'\n";
			Text += "      Content=" + Children[Index].second + "'\"" + Children[Index].first + "\"'\n";
			Text += "   End Object\n";
		}
		for (std::size_t Index = 0; Index < Children.size(); ++Index)
		{
			Text += "   Slots(" + std::to_string(Index) + ")=VerticalBoxSlot'\"VerticalBoxSlot_" + std::to_string(Index) + "\"'\n";
		}
		return Text + "End Object\n";
	}

	/** A button holding one widget through its ButtonSlot_0, whose Parent line names the button unless told otherwise. */
	std::string ButtonText(std::string_view Name, std::string_view ContentReference, std::string_view ParentReference = {})
	{
		const std::string Parent = ParentReference.empty() ? "/Script/UMG.Button'\"" + std::string(Name) + "\"'" : std::string(ParentReference);
		return "Begin Object Class=/Script/UMG.Button Name=\"" + std::string(Name) + "\"\n"
			"   Begin Object Class=/Script/UMG.ButtonSlot Name=\"ButtonSlot_0\"\n   End Object\n"
			"   Begin Object Name=\"ButtonSlot_0\"\n"
			"      Parent=" + Parent + "\n"
			"      Content=" + std::string(ContentReference) + "\n"
			"   End Object\n"
			"   Slots(0)=/Script/UMG.ButtonSlot'\"ButtonSlot_0\"'\n"
			"End Object\n";
	}

	std::string TextBlockText(std::string_view Name, std::string_view Label = "Label")
	{
		return "Begin Object Class=/Script/UMG.TextBlock Name=\"" + std::string(Name) + "\"\n"
			"   Text=NSLOCTEXT(\"\", \"\", \"" + std::string(Label) + "\")\n"
			"End Object\n";
	}

	/** Every walk of the tree ends: the listing of all widgets holds each pasted widget once. */
	void ExpectTreeWalksEnd(const FWidgetPaste& Paste)
	{
		std::vector<UWidget*> All;
		Paste.Tree->GetAllWidgets(All);
		EXPECT_EQ(All.size(), Paste.Widgets.size());
		EXPECT_EQ(CheckWidgetTextRoundTrip(ExportWidgetsToText(Paste.Widgets)), "");
	}
}

TEST(WidgetTextFaults, TruncatedTextKeepsTheWidgetsReadSoFar)
{
	FTestEditor Editor(HostOnly());
	const std::string Whole = VerticalBoxText("Box", {{"First", "TextBlock"}, {"Second", "TextBlock"}}) + TextBlockText("First") + TextBlockText("Second");
	// Cut inside the second text block, then inside the box's slot definitions.
	const FWidgetPaste CutLate = PasteIntoNewTree(std::string_view(Whole).substr(0, Whole.size() - 20));
	EXPECT_EQ(CutLate.Widgets.size(), 3u);
	EXPECT_THAT(ChildNames(CutLate.Find("Box")), ElementsAre("First", "Second"));
	EXPECT_TRUE(CutLate.WarnedAbout("has no End Object"));

	const FWidgetPaste CutEarly = PasteIntoNewTree(std::string_view(Whole).substr(0, Whole.find("Content=")));
	ASSERT_EQ(CutEarly.Widgets.size(), 1u);
	EXPECT_TRUE(ChildNames(CutEarly.Find("Box")).empty());
	ExpectTreeWalksEnd(CutEarly);

	EXPECT_TRUE(PasteIntoNewTree("").Widgets.empty());
	EXPECT_EQ(PasteIntoNewTree("Begin Object Class=/Script/UMG.Button Name=\"B\" Name=").Widgets.size(), 1u);
}

TEST(WidgetTextFaults, UnknownAndRefusedClassesAreSkippedWithWhatTheyHold)
{
	FTestEditor Editor(HostOnly());
	const std::string Text = VerticalBoxText("Box", {{"Fancy", "FancyWidget"}, {"Kept", "TextBlock"}})
		+ "Begin Object Class=/Script/UMG.FancyWidget Name=\"Fancy\"\n"
		  "   Begin Object Class=/Script/UMG.TextBlock Name=\"Inner\"\n   End Object\n"
		  "   Glitter=True\n"
		  "End Object\n"
		  "Begin Object Class=/Script/Engine.StaticMeshActor Name=\"NotAWidget\"\nEnd Object\n"
		  "Begin Object Class=/Script/UMG.Widget Name=\"Abstract\"\nEnd Object\n"
		+ TextBlockText("Kept");
	const FWidgetPaste Paste = PasteIntoNewTree(Text);

	EXPECT_EQ(Paste.Widgets.size(), 2u);
	EXPECT_EQ(Paste.Tree->FindInnerObject("Fancy"), nullptr);
	EXPECT_EQ(Paste.Tree->FindInnerObject("Inner"), nullptr);
	EXPECT_EQ(Paste.Tree->FindInnerObject("NotAWidget"), nullptr);
	EXPECT_EQ(Paste.Tree->FindInnerObject("Abstract"), nullptr);
	EXPECT_TRUE(Paste.WarnedAbout("unknown class /Script/UMG.FancyWidget"));
	EXPECT_TRUE(Paste.WarnedAbout("not made by this paste"));
	EXPECT_TRUE(Paste.WarnedAbout("abstract class /Script/UMG.Widget"));
	// The slot that held the unknown widget stays, empty; the other child keeps its place.
	EXPECT_THAT(ChildNames(Paste.Find("Box")), ElementsAre("(empty)", "Kept"));
	ExpectTreeWalksEnd(Paste);
}

TEST(WidgetTextFaults, TakenNamesGetFreeOnesAndTheTextsReferencesFollow)
{
	FTestEditor Editor(HostOnly());
	UWidgetTree* const Tree = NewObject<UWidgetTree>();
	UWidget* const Existing = Tree->ConstructWidget(FindEngineClassChecked("/Script/UMG.TextBlock"), "Label_0");
	ASSERT_NE(Existing, nullptr);

	const FWidgetPaste Paste = PasteIntoNewTree(ButtonText("Button_0", "TextBlock'\"Label_0\"'") + TextBlockText("Label_0", "Pasted"), Tree);
	ASSERT_EQ(Paste.Widgets.size(), 2u);
	const UWidget* const Pasted = Paste.Widgets[1];
	EXPECT_EQ(Pasted->GetName(), "Label_1");
	EXPECT_NE(ValueOf(Pasted, "Text").find("Pasted"), std::string::npos);
	EXPECT_THAT(ChildNames(Paste.Find("Button_0")), ElementsAre("Label_1"));
	EXPECT_EQ(Existing->Slot, nullptr);

	// Twice the same name in one text: each button's slot names its own button as parent.
	const FWidgetPaste Twice = PasteIntoNewTree(ButtonText("Twin", "TextBlock'\"A\"'") + ButtonText("Twin", "TextBlock'\"B\"'") + TextBlockText("A") + TextBlockText("B"));
	ASSERT_EQ(Twice.Widgets.size(), 4u);
	EXPECT_EQ(Twice.Widgets[1]->GetName(), "Twin_0");
	EXPECT_THAT(ChildNames(Twice.Find("Twin")), ElementsAre("A"));
	EXPECT_THAT(ChildNames(Twice.Find("Twin_0")), ElementsAre("B"));
	EXPECT_TRUE(Twice.Warnings.empty()) << Twice.Warnings.front();
	ExpectTreeWalksEnd(Twice);
}

TEST(WidgetTextFaults, ASlotReferringToAWidgetOutsideTheTextStaysEmpty)
{
	FTestEditor Editor(HostOnly());
	UWidgetTree* const Tree = NewObject<UWidgetTree>();
	UWidget* const Outside = Tree->ConstructWidget(FindEngineClassChecked("/Script/UMG.TextBlock"), "Outside");

	const FWidgetPaste Paste = PasteIntoNewTree(VerticalBoxText("Box", {{"Outside", "TextBlock"}, {"Nowhere", "TextBlock"}}), Tree);
	ASSERT_EQ(Paste.Widgets.size(), 1u);
	EXPECT_THAT(ChildNames(Paste.Find("Box")), ElementsAre("(empty)", "(empty)"));
	EXPECT_EQ(Outside->Slot, nullptr);
	EXPECT_TRUE(Paste.WarnedAbout("names no object of the pasted text"));
}

TEST(WidgetTextFaults, AWidgetNeverContainsItself)
{
	FTestEditor Editor(HostOnly());
	// A button whose slot holds the button itself, and whose slot names itself as its parent.
	const FWidgetPaste Self = PasteIntoNewTree(ButtonText("Self", "/Script/UMG.Button'\"Self\"'", "/Script/UMG.ButtonSlot'\"ButtonSlot_0\"'"));
	ASSERT_EQ(Self.Widgets.size(), 1u);
	EXPECT_EQ(Self.Widgets[0]->GetParent(), nullptr);
	EXPECT_THAT(ChildNames(Self.Widgets[0]), ElementsAre("(empty)"));
	EXPECT_TRUE(Self.WarnedAbout("would contain itself"));
	EXPECT_TRUE(Self.WarnedAbout("which is no PanelWidget"));
	ExpectTreeWalksEnd(Self);

	// Two buttons holding each other, and a third inside the loop: one link is cut.
	const FWidgetPaste Loop = PasteIntoNewTree(ButtonText("A", "Button'\"B\"'") + ButtonText("B", "Button'\"C\"'") + ButtonText("C", "Button'\"A\"'"));
	ASSERT_EQ(Loop.Widgets.size(), 3u);
	EXPECT_EQ(Loop.UnattachedNames().size(), 0u);
	EXPECT_FALSE(Loop.RootName().empty());
	ExpectTreeWalksEnd(Loop);
}

TEST(WidgetTextFaults, AWidgetHasOnePlaceAndAOneChildPanelOneChild)
{
	FTestEditor Editor(HostOnly());
	const std::string TwoSlots = "Begin Object Class=/Script/UMG.Border Name=\"Frame\"\n"
		"   Begin Object Class=/Script/UMG.BorderSlot Name=\"BorderSlot_0\"\n   End Object\n"
		"   Begin Object Class=/Script/UMG.BorderSlot Name=\"BorderSlot_1\"\n   End Object\n"
		"   Begin Object Name=\"BorderSlot_0\"\n      Content=TextBlock'\"A\"'\n   End Object\n"
		"   Begin Object Name=\"BorderSlot_1\"\n      Content=TextBlock'\"B\"'\n   End Object\n"
		"   Slots(0)=BorderSlot'\"BorderSlot_0\"'\n"
		"   Slots(1)=BorderSlot'\"BorderSlot_1\"'\n"
		"End Object\n";
	const FWidgetPaste Paste = PasteIntoNewTree(TwoSlots + VerticalBoxText("Box", {{"A", "TextBlock"}, {"Frame", "Border"}}) + TextBlockText("A") + TextBlockText("B"));
	ASSERT_EQ(Paste.Widgets.size(), 4u);
	EXPECT_THAT(ChildNames(Paste.Find("Frame")), ElementsAre("A"));
	// The box's first slot names A too, which the frame's slot placed first.
	EXPECT_THAT(ChildNames(Paste.Find("Box")), ElementsAre("(empty)", "Frame"));
	EXPECT_EQ(Paste.RootName(), "Box");
	EXPECT_THAT(Paste.UnattachedNames(), ElementsAre("B"));
	EXPECT_TRUE(Paste.WarnedAbout("holds one child"));
	EXPECT_TRUE(Paste.WarnedAbout("placed by another slot"));
	// A slot without a Parent line gets its panel.
	EXPECT_EQ(Paste.Find("A")->GetParent(), Paste.Find("Frame"));
	ExpectTreeWalksEnd(Paste);
}

TEST(WidgetTextFaults, DeepChainsAreCutAtTheDepthLimit)
{
	FTestEditor Editor(HostOnly());
	const std::size_t Levels = MaxPastedWidgetDepth + 10;
	std::string Text;
	for (std::size_t Level = 0; Level < Levels; ++Level)
	{
		Text += ButtonText("B" + std::to_string(Level), "Button'\"B" + std::to_string(Level + 1) + "\"'");
	}
	const FWidgetPaste Paste = PasteIntoNewTree(Text);
	ASSERT_EQ(Paste.Widgets.size(), Levels);
	EXPECT_EQ(Paste.RootName(), "B0");
	EXPECT_THAT(Paste.UnattachedNames(), ElementsAre("B" + std::to_string(MaxPastedWidgetDepth + 1)));
	EXPECT_TRUE(Paste.WarnedAbout("nests deeper than"));
	ExpectTreeWalksEnd(Paste);
}

TEST(WidgetTextFaults, SubObjectsMayBeReopenedAndReferencedByPath)
{
	FTestEditor Editor(HostOnly());
	const std::string Text = "Begin Object Class=/Script/UMG.HorizontalBox Name=\"Row\"\n"
		"   Begin Object Class=/Script/UMG.HorizontalBoxSlot Name=\"HorizontalBoxSlot_0\"\n"
		"      Padding=(Left=1.000000)\n"
		"   End Object\n"
		"   Begin Object Name=\"HorizontalBoxSlot_0\"\n"
		"      Padding=(Right=2.000000)\n"
		"      Content=\"/Script/UMG.TextBlock'/Game/UI/WBP_Menu.WBP_Menu:WidgetTree.Caption'\"\n"
		"   End Object\n"
		"   Slots(0)=HorizontalBoxSlot'/Engine/Transient.WidgetTree_0:Row.HorizontalBoxSlot_0'\n"
		"End Object\n"
		"Begin Object Class=TextBlock Name=Caption\n"
		"End Object\n";
	const FWidgetPaste Paste = PasteIntoNewTree(Text);
	ASSERT_EQ(Paste.Widgets.size(), 2u);
	EXPECT_THAT(ChildNames(Paste.Find("Row")), ElementsAre("Caption"));
	// The second block merges its structure text onto what the first one set.
	const std::string Padding = ValueOf(Paste.Find("Caption")->Slot, "Padding");
	EXPECT_NE(Padding.find("Left=1.000000"), std::string::npos) << Padding;
	EXPECT_NE(Padding.find("Right=2.000000"), std::string::npos) << Padding;
	EXPECT_TRUE(Paste.Warnings.empty()) << Paste.Warnings.front();
}

TEST(WidgetTextFaults, LinesNoPropertyReadsAreKeptInOrderAndCopiedBack)
{
	FTestEditor Editor(HostOnly());
	const std::string Text = "Begin Object Class=/Script/UMG.TextBlock Name=\"Caption\"\n"
		"   NewerSetting=(A=1)\n"
		"   RenderOpacity=NotANumber\n"
		"   Text=NSLOCTEXT(\"\", \"\", \"Hi\")\n"
		"   CustomProperties Glow 3\n"
		"End Object\n";
	const FWidgetPaste Paste = PasteIntoNewTree(Text);
	ASSERT_EQ(Paste.Widgets.size(), 1u);
	EXPECT_THAT(Paste.Widgets[0]->KeptTextLines, ElementsAre("NewerSetting=(A=1)", "RenderOpacity=NotANumber", "CustomProperties Glow 3"));
	EXPECT_TRUE(Paste.WarnedAbout("NotANumber is not a value of float RenderOpacity"));
	const std::string Copy = ExportWidgetsToText(Paste.Widgets);
	EXPECT_NE(Copy.find("   Text=NSLOCTEXT(\"\", \"\", \"Hi\")\r\n   NewerSetting=(A=1)\r\n   RenderOpacity=NotANumber\r\n   CustomProperties Glow 3\r\n"), std::string::npos) << Copy;
}

TEST(WidgetTextFaults, CanCreateObjectsOnlyFromTextWithAWidget)
{
	FTestEditor Editor(HostOnly());
	const FWidgetTreeTextFactory Factory;
	EXPECT_TRUE(Factory.CanCreateObjectsFromText(OwnWidgetText));
	EXPECT_TRUE(Factory.CanCreateObjectsFromText(TextBlockText("Only")));
	EXPECT_FALSE(Factory.CanCreateObjectsFromText("Begin Object Class=/Script/Engine.StaticMeshActor Name=\"A\"\nEnd Object\n"));
	EXPECT_FALSE(Factory.CanCreateObjectsFromText("Begin Object Class=/Script/UMG.FancyWidget Name=\"A\"\nEnd Object\n"));
	EXPECT_FALSE(Factory.CanCreateObjectsFromText("hello"));
}
