#include "Slate/MultiBoxBuilder.h"

#include "Slate/CoreStyle.h"
#include "Slate/SlateStyle.h"

#include <algorithm>

const FMultiBoxCustomization FMultiBoxCustomization::None{};

FMultiBoxBuilder::FMultiBoxBuilder(EMultiBoxType InType, std::shared_ptr<FExtender> InExtender, const ISlateStyle* InStyleSet)
	: MultiBox(std::make_shared<FMultiBox>())
	, Extender(std::move(InExtender))
{
	MultiBox->Type = InType;
	MultiBox->StyleSetName = (InStyleSet != nullptr ? *InStyleSet : FCoreStyle::Get()).GetStyleSetName();
}

void FMultiBoxBuilder::BeginSection(std::string ExtensionHook, const TAttribute<FText>& InHeadingText)
{
	EndSection();
	ApplyHook(ExtensionHook, EExtensionHook::Before);
	// A Before-hooked extension may have left a section of its own open.
	EndSection();
	MultiBox->Sections.push_back({ExtensionHook, InHeadingText.Get(), {}});
	bSectionOpen = true;
	bLooseSection = false;
	ApplyHook(ExtensionHook, EExtensionHook::First);
}

void FMultiBoxBuilder::EndSection()
{
	if (!bSectionOpen)
	{
		return;
	}
	bSectionOpen = false;
	const std::string Hook = MultiBox->Sections.back().Name;
	ApplyHook(Hook, EExtensionHook::After);
}

void FMultiBoxBuilder::AddSeparator(std::string ExtensionHook)
{
	FMultiBlock Separator;
	Separator.Type = EMultiBlockType::Separator;
	Separator.Name = ExtensionHook;
	AddBlock(std::move(Separator), ExtensionHook);
}

std::shared_ptr<FMultiBox> FMultiBoxBuilder::GetMultiBox()
{
	EndSection();
	return MultiBox;
}

std::shared_ptr<SWidget> FMultiBoxBuilder::MakeWidget()
{
	auto Widget = SNew(SMultiBoxWidget);
	Widget->SetMultiBox(GetMultiBox());
	return Widget;
}

void FMultiBoxBuilder::AddBlock(FMultiBlock Block, std::string_view ExtensionHook)
{
	ApplyHook(ExtensionHook, EExtensionHook::Before);
	CurrentSection().Blocks.push_back(std::move(Block));
	ApplyHook(ExtensionHook, EExtensionHook::After);
}

void FMultiBoxBuilder::ApplyHook(std::string_view Hook, EExtensionHook::Position Position)
{
	if (Extender == nullptr || Hook.empty())
	{
		return;
	}
	const auto Key = std::make_pair(std::string(Hook), Position);
	if (std::find(HooksBeingApplied.begin(), HooksBeingApplied.end(), Key) != HooksBeingApplied.end())
	{
		return;
	}
	HooksBeingApplied.push_back(Key);
	RunExtensions(*Extender, Hook, Position);
	HooksBeingApplied.pop_back();
}

FMultiBoxSection& FMultiBoxBuilder::CurrentSection()
{
	if (!bSectionOpen && !bLooseSection)
	{
		MultiBox->Sections.push_back({});
		bLooseSection = true;
	}
	return MultiBox->Sections.back();
}

FMenuBuilder::FMenuBuilder(bool bInShouldCloseWindowAfterMenuSelection, std::shared_ptr<const FUICommandList>, std::shared_ptr<FExtender> InExtender,
	bool, const ISlateStyle* InStyleSet)
	: FMultiBoxBuilder(EMultiBoxType::Menu, std::move(InExtender), InStyleSet)
	, bShouldCloseWindowAfterMenuSelection(bInShouldCloseWindowAfterMenuSelection)
{
}

void FMenuBuilder::AddMenuEntry(const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& UIAction,
	std::string InExtensionHook, EUserInterfaceActionType UserInterfaceActionType)
{
	FMultiBlock Block;
	Block.Type = EMultiBlockType::MenuEntry;
	Block.Name = InExtensionHook;
	Block.Label = InLabel;
	Block.ToolTip = InToolTip;
	Block.Icon = InIcon;
	Block.Action = UIAction;
	Block.UserInterfaceActionType = UserInterfaceActionType;
	AddBlock(std::move(Block), InExtensionHook);
}

void FMenuBuilder::RunExtensions(const FExtender& Extender, std::string_view Hook, EExtensionHook::Position Position)
{
	Extender.Apply(Hook, Position, *this);
}

FToolBarBuilder::FToolBarBuilder(std::shared_ptr<const FUICommandList>, const FMultiBoxCustomization&, std::shared_ptr<FExtender> InExtender, bool)
	: FMultiBoxBuilder(EMultiBoxType::ToolBar, std::move(InExtender), nullptr)
{
}

void FToolBarBuilder::AddToolBarButton(const FUIAction& InAction, std::string InExtensionHook, const TAttribute<FText>& InLabelOverride,
	const TAttribute<FText>& InToolTipOverride, const TAttribute<FSlateIcon>& InIconOverride, EUserInterfaceActionType UserInterfaceActionType)
{
	FMultiBlock Block;
	Block.Type = EMultiBlockType::ToolBarButton;
	Block.Name = InExtensionHook;
	Block.Label = InLabelOverride;
	Block.ToolTip = InToolTipOverride;
	Block.Icon = InIconOverride;
	Block.Action = InAction;
	Block.UserInterfaceActionType = UserInterfaceActionType;
	AddBlock(std::move(Block), InExtensionHook);
}

void FToolBarBuilder::AddComboButton(const FUIAction& InAction, const FOnGetContent& InMenuContentGenerator, const TAttribute<FText>& InLabelOverride,
	const TAttribute<FText>& InToolTipOverride, const TAttribute<FSlateIcon>& InIconOverride, bool bInSimpleComboBox)
{
	FMultiBlock Block;
	Block.Type = EMultiBlockType::ToolBarComboButton;
	Block.Label = InLabelOverride;
	Block.ToolTip = InToolTipOverride;
	Block.Icon = InIconOverride;
	Block.Action = InAction;
	Block.MenuContentGenerator = InMenuContentGenerator;
	Block.bSimpleComboBox = bInSimpleComboBox;
	AddBlock(std::move(Block), {});
}

void FToolBarBuilder::RunExtensions(const FExtender& Extender, std::string_view Hook, EExtensionHook::Position Position)
{
	Extender.Apply(Hook, Position, *this);
}
