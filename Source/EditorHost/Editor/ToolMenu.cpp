#include "Editor/ToolMenu.h"

#include "Slate/CoreStyle.h"
#include "Slate/SlateStyle.h"

#include <algorithm>

UToolMenu::UToolMenu(std::string InMenuName, EMultiBoxType InMenuType)
	: MenuName(std::move(InMenuName))
	, MenuType(InMenuType)
{
}

FToolMenuSection& UToolMenu::FindOrAddSection(std::string_view SectionName)
{
	if (FToolMenuSection* Existing = FindSection(SectionName))
	{
		return *Existing;
	}
	return AddSection(SectionName);
}

FToolMenuSection& UToolMenu::AddSection(std::string_view SectionName, const TAttribute<FText>& InLabel)
{
	if (FToolMenuSection* Existing = FindSection(SectionName))
	{
		if (InLabel.IsSet())
		{
			Existing->Label = InLabel;
		}
		return *Existing;
	}
	auto Section = std::make_unique<FToolMenuSection>();
	Section->Name = std::string(SectionName);
	Section->Label = InLabel;
	Section->Owner = FToolMenuOwnerScoped::GetCurrentOwner();
	Sections.push_back(std::move(Section));
	return *Sections.back();
}

FToolMenuSection* UToolMenu::FindSection(std::string_view SectionName)
{
	const auto Found = std::find_if(Sections.begin(), Sections.end(), [SectionName](const std::unique_ptr<FToolMenuSection>& Section) { return Section->Name == SectionName; });
	return Found != Sections.end() ? Found->get() : nullptr;
}

bool UToolMenu::RemoveSection(std::string_view SectionName)
{
	return std::erase_if(Sections, [SectionName](const std::unique_ptr<FToolMenuSection>& Section) { return Section->Name == SectionName; }) > 0;
}

void UToolMenu::RemoveOwnedBy(FToolMenuOwner Owner)
{
	if (!Owner.IsSet())
	{
		return;
	}
	for (const std::unique_ptr<FToolMenuSection>& Section : Sections)
	{
		std::erase_if(Section->Blocks, [Owner](const FToolMenuEntry& Entry) { return Entry.Owner == Owner; });
	}
	std::erase_if(Sections, [Owner](const std::unique_ptr<FToolMenuSection>& Section) { return Section->Owner == Owner && Section->Blocks.empty(); });
}

FMultiBox UToolMenu::MakeMultiBox() const
{
	FMultiBox MultiBox;
	MultiBox.Type = MenuType;
	MultiBox.StyleSetName = FCoreStyle::Get().GetStyleSetName();
	for (const std::unique_ptr<FToolMenuSection>& Section : Sections)
	{
		if (Section->Blocks.empty())
		{
			continue;
		}
		FMultiBoxSection Shown{Section->Name, Section->Label.Get(), {}};
		Shown.Blocks.reserve(Section->Blocks.size());
		for (const FToolMenuEntry& Entry : Section->Blocks)
		{
			Shown.Blocks.push_back(Entry.ToMultiBlock());
		}
		MultiBox.Sections.push_back(std::move(Shown));
	}
	return MultiBox;
}
