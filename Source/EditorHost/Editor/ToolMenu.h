#pragma once

#include "Editor/ToolMenuSection.h"
#include "Slate/MultiBox.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

/** A menu or toolbar of the editor, by name ("LevelEditor.LevelEditorToolBar.PlayToolBar"), with its sections in order. */
class UToolMenu
{
public:
	UToolMenu(std::string InMenuName, EMultiBoxType InMenuType);

	const std::string& GetMenuName() const { return MenuName; }
	EMultiBoxType GetMenuType() const { return MenuType; }

	/** The section of that name, added at the end (owned by the current scope's owner) when there is none. */
	FToolMenuSection& FindOrAddSection(std::string_view SectionName);
	FToolMenuSection& AddSection(std::string_view SectionName, const TAttribute<FText>& InLabel = TAttribute<FText>());
	FToolMenuSection* FindSection(std::string_view SectionName);
	bool RemoveSection(std::string_view SectionName);
	const std::vector<std::unique_ptr<FToolMenuSection>>& GetSections() const { return Sections; }

	/** Takes out the owner's entries, then the owner's sections that have no entries left. */
	void RemoveOwnedBy(FToolMenuOwner Owner);
	/** The menu as a toolbar or menu shows it now (sections with no entries are left out). */
	FMultiBox MakeMultiBox() const;

private:
	std::string MenuName;
	EMultiBoxType MenuType;
	std::vector<std::unique_ptr<FToolMenuSection>> Sections;
};
