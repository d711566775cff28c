#include "Editor/ToolMenuEntry.h"

FToolMenuEntry FToolMenuEntry::InitToolBarButton(std::string InName, const FUIAction& InAction, const TAttribute<FText>& InLabel,
	const TAttribute<FText>& InToolTip, const TAttribute<FSlateIcon>& InIcon, EUserInterfaceActionType InUserInterfaceActionType)
{
	FToolMenuEntry Entry;
	Entry.Name = std::move(InName);
	Entry.Type = EMultiBlockType::ToolBarButton;
	Entry.Action = InAction;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.UserInterfaceActionType = InUserInterfaceActionType;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitComboButton(std::string InName, const FUIAction& InAction, const FOnGetContent& InMenuContentGenerator,
	const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const TAttribute<FSlateIcon>& InIcon, bool bInSimpleComboBox)
{
	FToolMenuEntry Entry;
	Entry.Name = std::move(InName);
	Entry.Type = EMultiBlockType::ToolBarComboButton;
	Entry.Action = InAction;
	Entry.MenuContentGenerator = InMenuContentGenerator;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.bSimpleComboBox = bInSimpleComboBox;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitMenuEntry(std::string InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
	const TAttribute<FSlateIcon>& InIcon, const FUIAction& InAction, EUserInterfaceActionType InUserInterfaceActionType)
{
	FToolMenuEntry Entry;
	Entry.Name = std::move(InName);
	Entry.Type = EMultiBlockType::MenuEntry;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.Action = InAction;
	Entry.UserInterfaceActionType = InUserInterfaceActionType;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitSeparator(std::string InName)
{
	FToolMenuEntry Entry;
	Entry.Name = std::move(InName);
	Entry.Type = EMultiBlockType::Separator;
	return Entry;
}

FMultiBlock FToolMenuEntry::ToMultiBlock() const
{
	FMultiBlock Block;
	Block.Type = Type;
	Block.Name = Name;
	Block.Label = Label;
	Block.ToolTip = ToolTip;
	Block.Icon = Icon;
	Block.Action = Action;
	Block.UserInterfaceActionType = UserInterfaceActionType;
	Block.MenuContentGenerator = MenuContentGenerator;
	Block.bSimpleComboBox = bSimpleComboBox;
	Block.ToolMenuEntrySerial = Serial;
	return Block;
}
