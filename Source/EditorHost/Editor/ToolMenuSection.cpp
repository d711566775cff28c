#include "Editor/ToolMenuSection.h"

#include <algorithm>

namespace
{
	uint64_t LastEntrySerial = 0;
}

FToolMenuEntry& FToolMenuSection::AddEntry(const FToolMenuEntry& Args)
{
	FToolMenuEntry Entry = Args;
	Entry.Owner = FToolMenuOwnerScoped::GetCurrentOwner();
	Entry.Serial = ++LastEntrySerial;
	if (!Entry.Name.empty())
	{
		if (FToolMenuEntry* Existing = FindEntry(Entry.Name))
		{
			*Existing = std::move(Entry);
			return *Existing;
		}
	}
	Blocks.push_back(std::move(Entry));
	return Blocks.back();
}

FToolMenuEntry& FToolMenuSection::AddMenuEntry(std::string InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
	const TAttribute<FSlateIcon>& InIcon, const FUIAction& InAction)
{
	return AddEntry(FToolMenuEntry::InitMenuEntry(std::move(InName), InLabel, InToolTip, InIcon, InAction));
}

FToolMenuEntry& FToolMenuSection::AddSeparator(std::string InName)
{
	return AddEntry(FToolMenuEntry::InitSeparator(std::move(InName)));
}

FToolMenuEntry* FToolMenuSection::FindEntry(std::string_view EntryName)
{
	const auto Found = std::find_if(Blocks.begin(), Blocks.end(), [EntryName](const FToolMenuEntry& Entry) { return Entry.Name == EntryName; });
	return Found != Blocks.end() ? &*Found : nullptr;
}

bool FToolMenuSection::RemoveEntry(std::string_view EntryName)
{
	return std::erase_if(Blocks, [EntryName](const FToolMenuEntry& Entry) { return Entry.Name == EntryName; }) > 0;
}
