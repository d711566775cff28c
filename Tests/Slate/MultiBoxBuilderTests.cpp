#include "Slate/MultiBoxBuilder.h"
#include "Slate/AppStyle.h"
#include "Slate/SlateStyle.h"

#include <gtest/gtest.h>

namespace
{
	std::vector<std::string> SectionNames(const FMultiBox& Box)
	{
		std::vector<std::string> Names;
		for (const FMultiBoxSection& Section : Box.Sections)
		{
			Names.push_back(Section.Name);
		}
		return Names;
	}

	void AddButton(FToolBarBuilder& Builder, std::string Hook, int& Clicks)
	{
		Builder.AddToolBarButton(FUIAction(FExecuteAction::CreateLambda([&Clicks]() { ++Clicks; })), std::move(Hook), FText::FromString("Button"));
	}
}

TEST(MultiBoxBuilderTests, ExtensionsRunAtTheirHooks)
{
	int Clicks = 0;
	auto Extender = std::make_shared<FExtender>();
	Extender->AddToolBarExtension("Asset", EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateLambda([&Clicks](FToolBarBuilder& Builder) {
		Builder.BeginSection("After");
		AddButton(Builder, "AfterButton", Clicks);
		Builder.EndSection();
	}));
	Extender->AddToolBarExtension("Asset", EExtensionHook::Before, nullptr, FToolBarExtensionDelegate::CreateLambda([&Clicks](FToolBarBuilder& Builder) {
		Builder.BeginSection("Before");
		AddButton(Builder, "BeforeButton", Clicks);
		Builder.EndSection();
	}));
	Extender->AddToolBarExtension("Save", EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateLambda([&Clicks](FToolBarBuilder& Builder) {
		AddButton(Builder, "NextToSave", Clicks);
	}));
	Extender->AddToolBarExtension("Elsewhere", EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateLambda([](FToolBarBuilder&) { FAIL() << "no such hook"; }));

	FToolBarBuilder Builder(nullptr, FMultiBoxCustomization::None, Extender);
	Builder.BeginSection("Asset");
	AddButton(Builder, "Save", Clicks);
	Builder.EndSection();
	const std::shared_ptr<FMultiBox> Box = Builder.GetMultiBox();

	EXPECT_EQ(SectionNames(*Box), (std::vector<std::string>{"Before", "Asset", "After"}));
	ASSERT_EQ(Box->Sections[1].Blocks.size(), 2u);
	EXPECT_EQ(Box->Sections[1].Blocks[1].Name, "NextToSave") << "an entry's hook works inside its section";
	Box->Sections[2].Blocks[0].Action.Execute();
	EXPECT_EQ(Clicks, 1);
}

TEST(MultiBoxBuilderTests, AnExtensionBuildingItsOwnHookDoesNotRunItselfAgain)
{
	int Runs = 0;
	auto Extender = std::make_shared<FExtender>();
	Extender->AddToolBarExtension("Asset", EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateLambda([&Runs](FToolBarBuilder& Builder) {
		++Runs;
		Builder.BeginSection("Asset");
		Builder.EndSection();
	}));
	FToolBarBuilder Builder(nullptr, FMultiBoxCustomization::None, Extender);
	Builder.BeginSection("Asset");
	Builder.EndSection();
	EXPECT_EQ(Runs, 1);
	EXPECT_EQ(Builder.GetMultiBox()->Sections.size(), 2u);
}

TEST(MultiBoxBuilderTests, MenusKeepTheirEntriesStyleAndComboButtonsTheirGenerator)
{
	FMenuBuilder Menu(true, nullptr, nullptr, false, &FAppStyle::Get());
	Menu.AddMenuEntry(FText::FromString("Loose"), FText::FromString("Outside a section"), FSlateIcon(), FUIAction());
	Menu.BeginSection("Options", FText::FromString("Options"));
	Menu.AddMenuEntry(FText::FromString("First"), FText::FromString("Tip"), FSlateIcon(), FUIAction());
	Menu.AddMenuSeparator();
	Menu.EndSection();
	const std::shared_ptr<SWidget> Widget = Menu.MakeWidget();
	const auto* MenuWidget = dynamic_cast<const SMultiBoxWidget*>(Widget.get());
	ASSERT_NE(MenuWidget, nullptr);
	const FMultiBox& Box = *MenuWidget->GetMultiBox();
	EXPECT_EQ(Box.Type, EMultiBoxType::Menu);
	EXPECT_EQ(Box.StyleSetName, "EditorStyle");
	EXPECT_EQ(SectionNames(Box), (std::vector<std::string>{"", "Options"}));
	EXPECT_EQ(Box.Sections[1].Label.ToString(), "Options");
	EXPECT_EQ(Box.Sections[1].Blocks[1].Type, EMultiBlockType::Separator);
	EXPECT_EQ(FMenuBuilder(true, nullptr).GetMultiBox()->StyleSetName, "CoreStyle");

	bool bDisabled = true;
	FToolBarBuilder Toolbar(nullptr, FMultiBoxCustomization::None);
	Toolbar.AddComboButton(FUIAction(FExecuteAction(), FCanExecuteAction::CreateLambda([&bDisabled]() { return !bDisabled; })),
		FOnGetContent::CreateLambda([]() { return FMenuBuilder(true, nullptr).MakeWidget(); }), FText::FromString("Combo"), FText(), FSlateIcon("S", "B"), true);
	const FMultiBlock& Combo = Toolbar.GetMultiBox()->Sections[0].Blocks[0];
	EXPECT_EQ(Combo.Type, EMultiBlockType::ToolBarComboButton);
	EXPECT_TRUE(Combo.bSimpleComboBox);
	EXPECT_NE(Combo.MenuContentGenerator.Execute(), nullptr);
	const FJsonObject Painted = SlatePaint::Block(Combo);
	EXPECT_EQ(Painted.TryGetBoolField("enabled"), false);
	EXPECT_EQ(Painted.TryGetObjectField("icon")->TryGetBoolField("found"), false) << "style set S is not registered";
	bDisabled = false;
	EXPECT_EQ(SlatePaint::Block(Combo).TryGetBoolField("enabled"), true) << "the can-execute check runs at each paint";
}
