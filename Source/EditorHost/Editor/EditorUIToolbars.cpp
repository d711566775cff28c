#include "Editor/EditorUIToolbars.h"

#include "Editor/AssetEditorToolkit.h"
#include "Editor/EditorEngine.h"
#include "Editor/TabManager.h"
#include "Editor/ToolMenus.h"
#include "Slate/DockTab.h"

#include <algorithm>

std::string EditorUI::TabId(const SDockTab& Tab)
{
	return "t" + std::to_string(Tab.GetId());
}

std::string EditorUI::EditorId(const FAssetEditorToolkit& Editor)
{
	const std::shared_ptr<FTabManager> TabManager = const_cast<FAssetEditorToolkit&>(Editor).GetAssociatedTabManager();
	const std::shared_ptr<SDockTab> OwnerTab = TabManager != nullptr ? TabManager->GetOwnerTab() : nullptr;
	return OwnerTab != nullptr ? "e" + std::to_string(OwnerTab->GetId()) : std::string();
}

std::vector<FAssetEditorToolkit*> EditorUI::GetOpenEditors()
{
	std::vector<FAssetEditorToolkit*> Editors;
	if (GEditor == nullptr)
	{
		return Editors;
	}
	for (IAssetEditorInstance* Instance : GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetAllOpenEditors())
	{
		if (auto* Toolkit = dynamic_cast<FAssetEditorToolkit*>(Instance))
		{
			Editors.push_back(Toolkit);
		}
	}
	return Editors;
}

FAssetEditorToolkit* EditorUI::FindEditor(std::string_view EditorId)
{
	if (EditorId.empty())
	{
		return nullptr;
	}
	for (FAssetEditorToolkit* Editor : GetOpenEditors())
	{
		if (EditorUI::EditorId(*Editor) == EditorId)
		{
			return Editor;
		}
	}
	return nullptr;
}

FAssetEditorToolkit* EditorUI::FindEditorOfBuilderEntry(std::string_view EntryId)
{
	const std::size_t Dot = EntryId.find('.');
	if (!EntryId.starts_with('e') || Dot == std::string_view::npos)
	{
		return nullptr;
	}
	return FindEditor(EntryId.substr(0, Dot));
}

EditorUI::FToolbar EditorUI::MakeLevelEditorToolbar()
{
	FToolbar Toolbar;
	Toolbar.Id = "level";
	Toolbar.MenuName = UToolMenus::LevelEditorPlayToolBar;
	if (const UToolMenus* Menus = UToolMenus::Get())
	{
		if (const UToolMenu* Menu = Menus->FindMenu(UToolMenus::LevelEditorPlayToolBar))
		{
			Toolbar.Box = Menu->MakeMultiBox();
		}
	}
	return Toolbar;
}

EditorUI::FToolbar EditorUI::MakeEditorToolbar(const FAssetEditorToolkit& Editor)
{
	FToolbar Toolbar;
	Toolbar.Id = EditorId(Editor);
	const std::string MenuName = Editor.GetToolMenuToolbarName();
	const UToolMenus* Menus = UToolMenus::Get();
	if (Menus != nullptr && Menus->IsMenuRegistered(MenuName))
	{
		Toolbar.MenuName = MenuName;
	}
	Toolbar.Box = Editor.GenerateToolbar();
	return Toolbar;
}

std::string EditorUI::EntryId(const FToolbar& Toolbar, std::size_t SectionIndex, std::size_t BlockIndex)
{
	const FMultiBlock* Block = Toolbar.Box.FindBlock(SectionIndex, BlockIndex);
	if (Block != nullptr && Block->ToolMenuEntrySerial != 0)
	{
		return "m" + std::to_string(Block->ToolMenuEntrySerial);
	}
	return Toolbar.Id + "." + std::to_string(SectionIndex) + "." + std::to_string(BlockIndex);
}

const FMultiBlock* EditorUI::FindEntry(const FToolbar& Toolbar, std::string_view Id)
{
	for (std::size_t SectionIndex = 0; SectionIndex < Toolbar.Box.Sections.size(); ++SectionIndex)
	{
		for (std::size_t BlockIndex = 0; BlockIndex < Toolbar.Box.Sections[SectionIndex].Blocks.size(); ++BlockIndex)
		{
			if (EntryId(Toolbar, SectionIndex, BlockIndex) == Id)
			{
				return &Toolbar.Box.Sections[SectionIndex].Blocks[BlockIndex];
			}
		}
	}
	return nullptr;
}

FJsonObject EditorUI::PaintToolbar(const FToolbar& Toolbar)
{
	FJsonObject Painted;
	if (Toolbar.MenuName)
	{
		Painted.SetStringField("menu", *Toolbar.MenuName);
	}
	FJsonValueArray Sections;
	for (std::size_t SectionIndex = 0; SectionIndex < Toolbar.Box.Sections.size(); ++SectionIndex)
	{
		const FMultiBoxSection& Section = Toolbar.Box.Sections[SectionIndex];
		auto PaintedSection = std::make_shared<FJsonObject>();
		PaintedSection->SetStringField("name", Section.Name);
		PaintedSection->SetStringField("label", Section.Label.ToString());
		FJsonValueArray Entries;
		for (std::size_t BlockIndex = 0; BlockIndex < Section.Blocks.size(); ++BlockIndex)
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("id", EntryId(Toolbar, SectionIndex, BlockIndex));
			const FJsonObject Block = SlatePaint::Block(Section.Blocks[BlockIndex]);
			for (const FJsonObject::FMember& Member : Block.Values())
			{
				Entry->SetField(Member.first, Member.second);
			}
			Entries.emplace_back(Entry);
		}
		PaintedSection->SetArrayField("entries", std::move(Entries));
		Sections.emplace_back(PaintedSection);
	}
	Painted.SetArrayField("sections", std::move(Sections));
	return Painted;
}

std::string EditorUI::MenuEntryId(const FOpenMenu& Menu, std::size_t Index)
{
	return "u" + std::to_string(Menu.Serial) + "." + std::to_string(Index);
}

std::vector<const FMultiBlock*> EditorUI::GetMenuEntries(const FOpenMenu& Menu)
{
	std::vector<const FMultiBlock*> Entries;
	if (Menu.Menu == nullptr)
	{
		return Entries;
	}
	for (const FMultiBoxSection& Section : Menu.Menu->Sections)
	{
		for (const FMultiBlock& Block : Section.Blocks)
		{
			Entries.push_back(&Block);
		}
	}
	return Entries;
}

FJsonObject EditorUI::PaintMenu(const FOpenMenu& Menu)
{
	FJsonObject Painted;
	Painted.SetStringField("id", "u" + std::to_string(Menu.Serial));
	Painted.SetStringField("owner", Menu.OwnerEntryId);
	if (!Menu.EditorId.empty())
	{
		Painted.SetStringField("editor", Menu.EditorId);
	}
	Painted.SetStringField("styleSet", Menu.Menu != nullptr ? Menu.Menu->StyleSetName : std::string());
	FJsonValueArray Entries;
	std::size_t Index = 0;
	if (Menu.Menu != nullptr)
	{
		for (const FMultiBoxSection& Section : Menu.Menu->Sections)
		{
			for (std::size_t BlockIndex = 0; BlockIndex < Section.Blocks.size(); ++BlockIndex, ++Index)
			{
				auto Entry = std::make_shared<FJsonObject>();
				Entry->SetStringField("id", MenuEntryId(Menu, Index));
				const FJsonObject Block = SlatePaint::Block(Section.Blocks[BlockIndex]);
				for (const FJsonObject::FMember& Member : Block.Values())
				{
					if (Member.first != "name")
					{
						Entry->SetField(Member.first, Member.second);
					}
				}
				if (BlockIndex == 0 && !Section.Name.empty())
				{
					Entry->SetStringField("section", Section.Name);
				}
				Entries.emplace_back(Entry);
			}
		}
	}
	Painted.SetArrayField("entries", std::move(Entries));
	return Painted;
}
