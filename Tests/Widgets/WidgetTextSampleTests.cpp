#include "Widgets/WidgetTextSamples.h"
#include "Widgets/WidgetTextTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
	using ::testing::ElementsAre;

	std::string SampleText(std::string_view FileName)
	{
		return ReadSampleBytes(WidgetSamplesDir / FileName);
	}

	bool HasSample(std::string_view FileName)
	{
		return std::filesystem::exists(WidgetSamplesDir / FileName);
	}

	/** The text as the host writes a new copy: CR LF line ends, slot pairs numbered from 0. */
	std::string AsHostCopy(std::string Text, std::string_view PairName)
	{
		std::string Copy;
		for (std::size_t Start = 0; Start < Text.size();)
		{
			const std::size_t End = std::min(Text.find('\n', Start), Text.size());
			std::string_view Line = std::string_view(Text).substr(Start, End - Start);
			if (Line.ends_with('\r'))
			{
				Line.remove_suffix(1);
			}
			Copy += std::string(Line) + "\r\n";
			Start = End + 1;
		}
		for (std::size_t At = Copy.find(PairName); At != std::string::npos; At = Copy.find(PairName, At))
		{
			Copy.replace(At, PairName.size(), "WidgetSlotPair_0");
		}
		return Copy;
	}
}

TEST(WidgetTextSamples, VerticalBoxOfButtonsAndCheckBoxesFromUE4)
{
	if (!HasSample("01_verticalbox-buttons-checkboxes-ue4.t3d"))
	{
		GTEST_SKIP() << "no samples at " << WidgetSamplesDir;
	}
	FTestEditor Editor(HostOnly());
	const FWidgetPaste Paste = PasteIntoNewTree(SampleText("01_verticalbox-buttons-checkboxes-ue4.t3d"));

	EXPECT_EQ(Paste.Widgets.size(), 24u);
	EXPECT_EQ(Paste.RootName(), "MissionPanel");
	EXPECT_TRUE(Paste.UnattachedNames().empty());
	EXPECT_TRUE(Paste.Warnings.empty()) << Paste.Warnings.front();
	// Children follow Slots(i), not the order the slots were declared in.
	EXPECT_THAT(ChildNames(Paste.Find("MissionPanel")), ElementsAre("ButtonCreateSandbox", "EnableMuleButton", "PrintDropPodLocation", "ButtonSpawnScriptedWave",
		"HorizontalBox_0", "HorizontalBox_3", "HorizontalBox_1", "HorizontalBox_4", "NamedSlotSpawnEnemies"));
	EXPECT_THAT(ChildNames(Paste.Find("HorizontalBox_0")), ElementsAre("ResupplyAmmoButton", "ButtonRevive"));
	EXPECT_THAT(ChildNames(Paste.Find("ButtonKillAll")), ElementsAre("TextBlock_2"));
	EXPECT_EQ(Paste.Find("MissionPanel")->GetClass()->GetPathName(), "/Script/UMG.VerticalBox");
	EXPECT_EQ(Paste.Find("CheckBoxFullBright")->GetClass()->GetPathName(), "/Script/UMG.CheckBox");
	EXPECT_EQ(Paste.Find("NamedSlotSpawnEnemies")->GetClass()->GetPathName(), "/Script/UMG.NamedSlot");

	// Every Button has its own ButtonSlot_0, and each holds that button's text.
	const UWidget* const Text = Paste.Find("TextBlock_9");
	ASSERT_NE(Text->Slot, nullptr);
	EXPECT_EQ(Text->Slot->GetName(), "ButtonSlot_0");
	EXPECT_EQ(Text->GetParent(), Paste.Find("ButtonCreateSandbox"));
	EXPECT_NE(ValueOf(Text, "Text").find("\"Create sandbox\""), std::string::npos);
	EXPECT_NE(ValueOf(Text, "ColorAndOpacity").find("G=0.000000"), std::string::npos);
	EXPECT_EQ(ValueOf(Paste.Find("MissionPanel"), "DisplayLabel"), "\"MissionPanel\"");

	const UWidget* const Sandbox = Paste.Find("ButtonCreateSandbox");
	EXPECT_EQ(Sandbox->Slot->GetClass()->GetName(), "VerticalBoxSlot");
	EXPECT_NE(ValueOf(Sandbox->Slot, "Padding").find("Left=10.000000"), std::string::npos);
	EXPECT_NE(ValueOf(Paste.Find("ResupplyAmmoButton")->Slot, "Size").find("SizeRule=Fill"), std::string::npos);
	EXPECT_NE(ValueOf(Paste.Find("CheckBoxInvulnerability"), "WidgetStyle").find("ImageSize=(X=32.000000,Y=32.000000)"), std::string::npos);
}

TEST(WidgetTextSamples, CanvasWithHorizontalBoxOfButtonsFromUE5)
{
	if (!HasSample("03_canvas-hbox-buttons-ue5.t3d"))
	{
		GTEST_SKIP() << "no samples at " << WidgetSamplesDir;
	}
	FTestEditor Editor(HostOnly());
	const FWidgetPaste Paste = PasteIntoNewTree(SampleText("03_canvas-hbox-buttons-ue5.t3d"));

	EXPECT_EQ(Paste.Widgets.size(), 6u);
	EXPECT_EQ(Paste.RootName(), "CanvasPanel_34");
	EXPECT_TRUE(Paste.UnattachedNames().empty());
	EXPECT_TRUE(Paste.Warnings.empty()) << Paste.Warnings.front();
	EXPECT_THAT(ChildNames(Paste.Find("CanvasPanel_34")), ElementsAre("HorizontalBox_69"));
	EXPECT_THAT(ChildNames(Paste.Find("HorizontalBox_69")), ElementsAre("LeftButton", "RightButton"));
	EXPECT_THAT(ChildNames(Paste.Find("RightButton")), ElementsAre("TextBlock"));

	const UPanelSlot* const CanvasSlot = Paste.Find("HorizontalBox_69")->Slot;
	EXPECT_EQ(CanvasSlot->GetClass()->GetName(), "CanvasPanelSlot");
	EXPECT_NE(ValueOf(CanvasSlot, "LayoutData").find("Maximum=(X=1.000000,Y=0.500000)"), std::string::npos);
	EXPECT_EQ(ValueOf(CanvasSlot, "bAutoSize"), "True");
	const UPanelSlot* const LeftSlot = Paste.Find("LeftButton")->Slot;
	EXPECT_NE(ValueOf(LeftSlot, "Padding").find("Left=500.000000"), std::string::npos);
	EXPECT_EQ(ValueOf(LeftSlot, "HorizontalAlignment"), "HAlign_Left");
	EXPECT_NE(ValueOf(Paste.Find("LeftButton"), "BackgroundColor").find("G=0.384823"), std::string::npos);
	EXPECT_NE(ValueOf(Paste.Find("TextBlock_48"), "Text").find("\"<-\""), std::string::npos);
}

// The designer's copy of a pasted tree is the text it was pasted from, line for line.
TEST(WidgetTextSamples, CopyOfThePastedUE5TreeIsTheTextItCameFrom)
{
	if (!HasSample("03_canvas-hbox-buttons-ue5.t3d"))
	{
		GTEST_SKIP() << "no samples at " << WidgetSamplesDir;
	}
	FTestEditor Editor(HostOnly());
	const std::string Sample = SampleText("03_canvas-hbox-buttons-ue5.t3d");
	const FWidgetPaste Paste = PasteIntoNewTree(Sample);
	ASSERT_FALSE(Paste.Widgets.empty());
	EXPECT_EQ(ExportWidgetsToText({Paste.Widgets.front()}), AsHostCopy(Sample, "WidgetSlotPair_5"));
}

TEST(WidgetTextSamples, OwnUE51CopyWithQuotedReferencesAndOlderSpellings)
{
	FTestEditor Editor(HostOnly());
	const FWidgetPaste Paste = PasteIntoNewTree(OwnWidgetText);

	EXPECT_EQ(Paste.Widgets.size(), 3u);
	EXPECT_EQ(Paste.RootName(), "Overlay_0");
	EXPECT_THAT(ChildNames(Paste.Find("Overlay_0")), ElementsAre("Icon", "Label"));
	EXPECT_EQ(Paste.Find("Label")->GetClass()->GetPathName(), "/Script/UMG.TextBlock");
	EXPECT_TRUE(Paste.Find("Overlay_0")->GetIsVariable());
	EXPECT_EQ(ValueOf(Paste.Find("Label")->Slot, "HorizontalAlignment"), "HAlign_Center");
	EXPECT_THAT(Paste.Find("Label")->KeptTextLines, ElementsAre("FutureSetting=(Mode=Sparkle)"));
	// The slot pair is read so the text imports cleanly, but is no widget of the tree.
	for (const UObject* const Inner : Paste.Tree->GetInnerObjects())
	{
		EXPECT_TRUE(Inner->IsA<UWidget>() || Inner->IsGarbage()) << Inner->GetName();
	}
}

// Copying any pasted tree and pasting the copy gives an equal tree: classes, names, nesting,
// the properties the text set, and the lines no class reads.
TEST(WidgetTextSamples, EveryCopyPastesBackToAnEqualTree)
{
	FTestEditor Editor(HostOnly());
	EXPECT_EQ(CheckWidgetTextRoundTrip(OwnWidgetText), "");
	for (const std::filesystem::path& File : CopyPasteSampleFiles("widget"))
	{
		EXPECT_EQ(CheckWidgetTextRoundTrip(ReadSampleBytes(File)), "") << File;
	}
}
