#pragma once

#include "Editor/ToolMenuEntry.h"

#include <string>
#include <string_view>
#include <vector>

/** A named group of entries in a tool menu. */
struct FToolMenuSection
{
	/**
	 * Adds the entry at the end, owned by the current FToolMenuOwnerScoped owner; an entry of the
	 * same name is replaced where it stands (so registering twice keeps one). The reference
	 * stays valid until the section changes.
	 */
	FToolMenuEntry& AddEntry(const FToolMenuEntry& Args);
	FToolMenuEntry& AddMenuEntry(std::string InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
		const TAttribute<FSlateIcon>& InIcon, const FUIAction& InAction);
	FToolMenuEntry& AddSeparator(std::string InName);
	/** The entry of that name, or nullptr. */
	FToolMenuEntry* FindEntry(std::string_view EntryName);
	bool RemoveEntry(std::string_view EntryName);

	std::string Name;
	TAttribute<FText> Label;
	FToolMenuOwner Owner;
	std::vector<FToolMenuEntry> Blocks;
};
