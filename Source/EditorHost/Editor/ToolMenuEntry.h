#pragma once

#include "Editor/ToolMenuOwner.h"
#include "Slate/MultiBox.h"

#include <cstdint>
#include <string>

/** One entry of a tool menu: a toolbar button, a combo button, a menu entry or a separator. */
struct FToolMenuEntry
{
	static FToolMenuEntry InitToolBarButton(std::string InName, const FUIAction& InAction, const TAttribute<FText>& InLabel = TAttribute<FText>(),
		const TAttribute<FText>& InToolTip = TAttribute<FText>(), const TAttribute<FSlateIcon>& InIcon = TAttribute<FSlateIcon>(),
		EUserInterfaceActionType InUserInterfaceActionType = EUserInterfaceActionType::Button);
	/** A combo button: InAction runs on its main part unless bInSimpleComboBox; the generator builds its drop-down. */
	static FToolMenuEntry InitComboButton(std::string InName, const FUIAction& InAction, const FOnGetContent& InMenuContentGenerator,
		const TAttribute<FText>& InLabel = TAttribute<FText>(), const TAttribute<FText>& InToolTip = TAttribute<FText>(),
		const TAttribute<FSlateIcon>& InIcon = TAttribute<FSlateIcon>(), bool bInSimpleComboBox = false);
	static FToolMenuEntry InitMenuEntry(std::string InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
		const TAttribute<FSlateIcon>& InIcon, const FUIAction& InAction, EUserInterfaceActionType InUserInterfaceActionType = EUserInterfaceActionType::Button);
	static FToolMenuEntry InitSeparator(std::string InName);

	/** The entry as a toolbar or menu shows it. */
	FMultiBlock ToMultiBlock() const;

	std::string Name;
	EMultiBlockType Type = EMultiBlockType::ToolBarButton;
	TAttribute<FText> Label;
	TAttribute<FText> ToolTip;
	TAttribute<FSlateIcon> Icon;
	FUIAction Action;
	EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button;
	FOnGetContent MenuContentGenerator;
	bool bSimpleComboBox = false;
	/** Set when the entry is added to a section: the scope's owner. */
	FToolMenuOwner Owner;
	/** Set when the entry is added to a section: a number no other added entry has. */
	uint64_t Serial = 0;
};
