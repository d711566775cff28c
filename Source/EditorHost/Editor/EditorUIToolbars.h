#pragma once

#include "Core/JsonObject.h"
#include "Editor/EditorUIModel.h"
#include "Slate/MultiBox.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FAssetEditorToolkit;
class SDockTab;

/** The parts of the editor's UI model that the view and the actions share: ids, toolbars, menus. */
namespace EditorUI
{
	std::string TabId(const SDockTab& Tab);
	/** "e" and the widget id of the editor's tab; empty once the tab is gone. */
	std::string EditorId(const FAssetEditorToolkit& Editor);
	/** The open asset editors, in the order they were opened. */
	std::vector<FAssetEditorToolkit*> GetOpenEditors();
	FAssetEditorToolkit* FindEditor(std::string_view EditorId);
	/** The editor that an entry id of an editor's own toolbar builder names ("e<n>.<s>.<b>"), or nullptr. */
	FAssetEditorToolkit* FindEditorOfBuilderEntry(std::string_view EntryId);

	/** A toolbar as shown: its id prefix, the tool menu it shows (if any), its sections. */
	struct FToolbar
	{
		std::string Id;
		std::optional<std::string> MenuName;
		FMultiBox Box;
	};

	FToolbar MakeLevelEditorToolbar();
	FToolbar MakeEditorToolbar(const FAssetEditorToolkit& Editor);
	std::string EntryId(const FToolbar& Toolbar, std::size_t SectionIndex, std::size_t BlockIndex);
	/** The entry of the toolbar with that id, or nullptr. */
	const FMultiBlock* FindEntry(const FToolbar& Toolbar, std::string_view EntryId);
	FJsonObject PaintToolbar(const FToolbar& Toolbar);

	/** A drop-down that a combo button opened. */
	struct FOpenMenu
	{
		uint64_t Serial = 0;
		std::string OwnerEntryId;
		/** The editor whose toolbar the combo button is on; empty for the level editor. */
		std::string EditorId;
		std::shared_ptr<const FMultiBox> Menu;
	};

	std::string MenuEntryId(const FOpenMenu& Menu, std::size_t Index);
	/** The menu's entries in order, across its sections. */
	std::vector<const FMultiBlock*> GetMenuEntries(const FOpenMenu& Menu);
	FJsonObject PaintMenu(const FOpenMenu& Menu);
}
