#include "Slate/AppStyle.h"
#include "Slate/Box.h"
#include "Slate/BoxPanel.h"
#include "Slate/CheckBox.h"
#include "Slate/CompoundWidget.h"
#include "Slate/CoreStyle.h"
#include "Slate/DockTab.h"
#include "Slate/Hyperlink.h"
#include "Slate/Image.h"
#include "Slate/Separator.h"
#include "Slate/Spacer.h"
#include "Slate/TextBlock.h"

#include <gtest/gtest.h>

namespace
{
	/** A small panel in the style plug-ins write theirs: a title, a bound status text and a check box. */
	class STestPanel : public SCompoundWidget
	{
	public:
		SLATE_BEGIN_ARGS(STestPanel) {}
		SLATE_END_ARGS()

		void Construct(const FArguments&)
		{
			ChildSlot.Padding(FMargin(8.0f))
			[
				SNew(SVerticalBox)
				+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0, 0, 0, 4))
				[
					SNew(STextBlock).Text(FText::FromString("Title")).Font(FCoreStyle::GetDefaultFontStyle("Bold", 14))
				]
				+ SVerticalBox::Slot().FillHeight(2.0f).HAlign(HAlign_Left)
				[
					SAssignNew(Status, STextBlock).Text(this, &STestPanel::GetStatus).ColorAndOpacity(FLinearColor{0.6f, 0.6f, 0.6f, 1.0f})
				]
				+ SVerticalBox::Slot().AutoHeight()
				[
					SAssignNew(Toggle, SCheckBox)
					.IsChecked_Lambda([this]() { return bEnabled ? ECheckBoxState::Checked : ECheckBoxState::Unchecked; })
					.OnCheckStateChanged_Lambda([this](ECheckBoxState NewState) { bEnabled = NewState == ECheckBoxState::Checked; ++Changes; })
					.ToolTipText(FText::FromString("Switch it"))
					[
						SNew(STextBlock).Text(FText::FromString("Enabled"))
					]
				]
			];
		}

		FText GetStatus() const { return FText::FromString(bEnabled ? "On" : "Off"); }

		bool bEnabled = true;
		int Changes = 0;
		std::shared_ptr<STextBlock> Status;
		std::shared_ptr<SCheckBox> Toggle;
	};

	const FJsonObject& Slot(const FJsonObject& Box, std::size_t Index)
	{
		return *(*Box.TryGetArrayField("slots"))[Index].TryGetObject();
	}

	const FJsonObject& SlotWidget(const FJsonObject& Box, std::size_t Index)
	{
		return *Slot(Box, Index).TryGetObjectField("widget");
	}
}

TEST(WidgetPaintTests, BoundAttributesAreEvaluatedAtEachPaint)
{
	const auto Panel = SNew(STestPanel);
	const FJsonObject First = Panel->Paint();
	const FJsonObject& Column = *First.TryGetObjectField("content");
	EXPECT_EQ(SlotWidget(Column, 1).TryGetStringField("text"), "On");
	EXPECT_EQ(SlotWidget(Column, 2).TryGetBoolField("checked"), true);

	Panel->bEnabled = false;
	const FJsonObject Second = Panel->Paint();
	const FJsonObject& Repainted = *Second.TryGetObjectField("content");
	EXPECT_EQ(SlotWidget(Repainted, 1).TryGetStringField("text"), "Off") << "the getter runs again on the next paint";
	EXPECT_EQ(SlotWidget(Repainted, 2).TryGetBoolField("checked"), false);

	Panel->Status->SetText(FText::FromString("Fixed"));
	Panel->Status->SetColorAndOpacity(FLinearColor{0.2f, 0.8f, 0.2f, 1.0f});
	const FJsonObject Third = Panel->Paint();
	const FJsonObject& Status = SlotWidget(*Third.TryGetObjectField("content"), 1);
	EXPECT_EQ(Status.TryGetStringField("text"), "Fixed");
	const FJsonValueArray Color = *Status.TryGetArrayField("color");
	EXPECT_FLOAT_EQ(static_cast<float>(*Color[1].TryGetNumber()), 0.8f);
}

TEST(WidgetPaintTests, TheTreeIsPaintedWithItsLayout)
{
	const auto Panel = SNew(STestPanel);
	const FJsonObject Painted = Panel->Paint();
	EXPECT_EQ(Painted.TryGetStringField("type"), "STestPanel");
	EXPECT_EQ(Painted.TryGetStringField("id"), "w" + std::to_string(Panel->GetId()));
	EXPECT_EQ((*Painted.TryGetArrayField("padding"))[0].TryGetNumber(), 8.0);

	const FJsonObject& Column = *Painted.TryGetObjectField("content");
	EXPECT_EQ(Column.TryGetStringField("type"), "SVerticalBox");
	EXPECT_EQ(Column.TryGetArrayField("slots")->size(), 3u);
	EXPECT_EQ(Slot(Column, 0).TryGetStringField("size"), "auto");
	EXPECT_EQ(Slot(Column, 1).TryGetObjectField("size")->TryGetNumberField("fill"), 2.0);
	EXPECT_EQ(Slot(Column, 1).TryGetStringField("hAlign"), "Left");
	EXPECT_EQ((*Slot(Column, 0).TryGetArrayField("padding"))[3].TryGetNumber(), 4.0);

	const FJsonObject& Title = SlotWidget(Column, 0);
	EXPECT_EQ(Title.TryGetObjectField("font")->TryGetStringField("typeface"), "Bold");
	EXPECT_EQ(Title.TryGetObjectField("font")->TryGetNumberField("size"), 14.0);
	EXPECT_FALSE(Title.HasField("color")) << "no colour given: the style's foreground";

	const FJsonObject& Toggle = SlotWidget(Column, 2);
	EXPECT_EQ(Toggle.TryGetStringField("tooltip"), "Switch it");
	EXPECT_EQ(Toggle.TryGetObjectField("content")->TryGetStringField("text"), "Enabled");
	EXPECT_EQ(Panel->FindWidget(Panel->Toggle->GetId()), Panel->Toggle);
	EXPECT_EQ(Panel->FindWidget(0), nullptr);
}

TEST(WidgetPaintTests, LeafWidgetsPaintTheirProperties)
{
	const auto Row = SNew(SHorizontalBox)
		+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)
		[
			SNew(SBox).WidthOverride(10.0f).HeightOverride(12.0f)
			[
				SNew(SImage).Image(FAppStyle::GetBrush("Icons.FilledCircle")).ColorAndOpacity(FLinearColor{0.3f, 0.3f, 0.3f, 1.0f})
			]
		]
		+ SHorizontalBox::Slot()[ SNew(SSeparator).Orientation(Orient_Vertical) ]
		+ SHorizontalBox::Slot()[ SNew(SSpacer).Size(FVector2D{4.0, 6.0}) ]
		+ SHorizontalBox::Slot()[ SNew(SImage).Image(FAppStyle::GetBrush("No.Such.Brush")) ];
	const FJsonObject Painted = Row->Paint();

	const FJsonObject& Box = SlotWidget(Painted, 0);
	EXPECT_EQ(Slot(Painted, 0).TryGetStringField("vAlign"), "Center");
	EXPECT_EQ(Box.TryGetNumberField("width"), 10.0);
	EXPECT_EQ(Box.TryGetNumberField("height"), 12.0);
	const FJsonObject& Brush = *Box.TryGetObjectField("content")->TryGetObjectField("brush");
	EXPECT_EQ(Brush.TryGetStringField("styleSet"), "EditorStyle");
	EXPECT_EQ(Brush.TryGetStringField("name"), "Icons.FilledCircle");
	EXPECT_EQ(Brush.TryGetBoolField("found"), true);

	EXPECT_EQ(SlotWidget(Painted, 1).TryGetStringField("orientation"), "Vertical");
	EXPECT_EQ((*SlotWidget(Painted, 2).TryGetArrayField("size"))[1].TryGetNumber(), 6.0);
	EXPECT_EQ(SlotWidget(Painted, 3).TryGetObjectField("brush")->TryGetBoolField("found"), false) << "a missing brush draws nothing";
}

TEST(WidgetPaintTests, ACheckBoxClickTellsTheNewStateAndKeepsOnlyAnUnboundOne)
{
	const auto Panel = SNew(STestPanel);
	Panel->Toggle->ToggleCheckedState();
	EXPECT_FALSE(Panel->bEnabled);
	Panel->Toggle->ToggleCheckedState();
	EXPECT_TRUE(Panel->bEnabled);
	EXPECT_EQ(Panel->Changes, 2);

	// A bound state that the callback does not change stays what the getter says.
	std::vector<ECheckBoxState> Told;
	const auto Fixed = SNew(SCheckBox).IsChecked_Lambda([]() { return ECheckBoxState::Checked; }).OnCheckStateChanged_Lambda([&Told](ECheckBoxState State) { Told.push_back(State); });
	Fixed->ToggleCheckedState();
	Fixed->ToggleCheckedState();
	EXPECT_EQ(Told, (std::vector<ECheckBoxState>{ECheckBoxState::Unchecked, ECheckBoxState::Unchecked}));
	EXPECT_TRUE(Fixed->IsChecked());

	const auto Plain = SNew(SCheckBox).IsChecked(ECheckBoxState::Undetermined);
	EXPECT_EQ(Plain->Paint().TryGetBoolField("undetermined"), true);
	Plain->ToggleCheckedState();
	EXPECT_TRUE(Plain->IsChecked()) << "an undetermined box becomes checked";
	Plain->ToggleCheckedState();
	EXPECT_FALSE(Plain->IsChecked());
}

TEST(WidgetPaintTests, AMethodBoundToAWidgetThatIsGoneAnswersTheDefault)
{
	std::shared_ptr<STextBlock> Text;
	{
		const auto Panel = SNew(STestPanel);
		Text = SNew(STextBlock).Text(Panel.get(), &STestPanel::GetStatus);
		EXPECT_EQ(Text->GetText().ToString(), "On");
	}
	EXPECT_EQ(Text->GetText().ToString(), "") << "the panel is gone; the weak binding answers an empty text";

	int Navigations = 0;
	const auto Link = SNew(SHyperlink).Text(FText::FromString("Docs")).OnNavigate_Lambda([&Navigations]() { ++Navigations; });
	EXPECT_TRUE(Link->Navigate());
	EXPECT_EQ(Navigations, 1);
	EXPECT_FALSE((SNew(SHyperlink))->Navigate()) << "nothing bound";
}

TEST(WidgetPaintTests, ClosingADockTabReleasesItsContentAndSaysSo)
{
	const auto Window = std::make_shared<SWindow>(FText::FromString("Floating"));
	std::weak_ptr<SWidget> Content;
	int Closed = 0;
	{
		const auto Tab = SNew(SDockTab).TabRole(ETabRole::NomadTab).Label(FText::FromString("Panel")).OnTabClosed_Lambda([&Closed](std::shared_ptr<SDockTab>) { ++Closed; })
			[
				SNew(STestPanel)
			];
		Content = Tab->GetContent();
		Window->AddTab(Tab);
		const FJsonObject Painted = Tab->Paint();
		EXPECT_EQ(Painted.TryGetStringField("role"), "NomadTab");
		EXPECT_EQ(Painted.TryGetStringField("label"), "Panel");
		EXPECT_EQ(Painted.TryGetObjectField("content")->TryGetStringField("type"), "STestPanel");
	}
	ASSERT_FALSE(Content.expired());
	Window->GetTabs().front()->RequestCloseTab();
	EXPECT_TRUE(Content.expired()) << "the panel ends with its tab";
	EXPECT_EQ(Closed, 1);
	EXPECT_TRUE(Window->GetTabs().empty());
}
