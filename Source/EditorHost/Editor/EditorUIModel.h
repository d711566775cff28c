#pragma once

#include "Core/JsonObject.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace EditorUI
{
	struct FOpenMenu;
}

/**
 * The editor's UI as one JSON view, and the actions a person can take on it, for a page that
 * shows the editor. Building the view paints every open dock tab, so bound attributes are
 * evaluated then. Ids are strings that name one thing for its whole life and are never given
 * to another: "e<n>" an asset editor, "t<n>" a dock tab, "w<n>" a widget, "m<n>" an entry of a
 * tool menu, "e<n>.<s>.<b>" an entry an editor's toolbar builder added, "u<n>" an open
 * drop-down menu and "u<n>.<i>" its entries, "n<n>" a toast, "l<n>" a launched URL.
 * Game thread only.
 *
 * View (keys in this order; a key in brackets is left out when it does not apply):
 * {
 *   "levelEditor": {"id": "t<n>", "tabId": "LevelEditor", "label", "foreground",
 *                   "toolbar": <toolbar of LevelEditor.LevelEditorToolBar.PlayToolBar>},
 *   "assetEditors": [{"id": "e<n>", "editorName", "assetName", "assetPath", "assetClass", "label",
 *                     "foreground", "toolbar": <toolbar>}],
 *   "tabs": [{"id": "t<n>", "tabId", "role", "label", "foreground", ["content": <widget>]}],
 *   "tabSpawners": [{"tabId", "displayName", "menuType": "Enabled" | "Disabled" | "Hidden"}],
 *   "toasts": [{"id": "n<n>", "text", "expireSeconds", "largeFont"}],
 *   "launchedUrls": [{"id": "l<n>", "url"}],
 *   ["openMenu": <menu>]
 * }
 * <toolbar> = {["menu": tool menu name], "sections": [{"name", "label", "entries": [<entry>]}]}
 * <entry>   = {"id", "name", "kind": "button" | "comboButton" | "separator", "label", "tooltip",
 *              ["icon": <icon>], ["simpleComboBox": bool (combo buttons)], "enabled"}
 * <icon>    = {"styleSet", "brush", "found"} (found: the set is registered and has the brush)
 * <menu>    = {"id": "u<n>", "owner": entry id, ["editor": "e<n>"], "styleSet",
 *              "entries": [{"id": "u<n>.<i>", "kind": "menuEntry" | "separator", "label", "tooltip",
 *                           ["icon": <icon>], "enabled", ["section": name (first entry of a section)]}]}
 * <widget>  = what SWidget::Paint gives: {"id": "w<n>", "type", ["tooltip"], ...the type's keys};
 *             a custom widget (a panel) is painted as {"padding", "hAlign", "vAlign", "content"}.
 *
 * Actions (the key "action" first); each answers {"success": true, ...} or
 * {"success": false, "error": message}:
 *   {"action": "clickEntry", "id", ["editor": "e<n>"]}  a toolbar button, or a split button's main part;
 *        with "editor" the editor comes to the front first
 *   {"action": "openComboMenu", "id", ["editor"]}       builds the drop-down; answers "menu": <menu>
 *   {"action": "clickMenuEntry", "id": "u<n>.<i>"}       runs the entry and closes the menu
 *   {"action": "dismissMenu"}
 *   {"action": "toggleCheckBox", "id": "w<n>"}           as a click on the check box
 *   {"action": "clickHyperlink", "id": "w<n>"}
 *   {"action": "focusTab" | "closeTab", "id": "t<n>"}   (the level editor's tab cannot be closed)
 *   {"action": "focusEditor" | "closeEditor", "id": "e<n>"}
 *   {"action": "invokeTab", "tabId"}                     FGlobalTabmanager::TryInvokeTab
 */
class FEditorUIModel
{
public:
	FEditorUIModel();
	~FEditorUIModel();
	FEditorUIModel(const FEditorUIModel&) = delete;
	FEditorUIModel& operator=(const FEditorUIModel&) = delete;

	std::shared_ptr<FJsonObject> BuildView();
	std::shared_ptr<FJsonObject> RunAction(const FJsonObject& Action);

	/** The PNG file behind an image brush of a registered style set; none for brushes without a file. */
	static std::optional<std::string> FindBrushImageFile(std::string_view StyleSetName, std::string_view BrushName);

private:
	std::shared_ptr<FJsonObject> ClickEntry(const FJsonObject& Action, bool bOpenMenu);
	std::shared_ptr<FJsonObject> ClickMenuEntry(const FJsonObject& Action);
	std::shared_ptr<FJsonObject> ClickWidget(const FJsonObject& Action, bool bCheckBox);
	std::shared_ptr<FJsonObject> FocusOrCloseTab(const FJsonObject& Action, bool bClose);
	std::shared_ptr<FJsonObject> FocusOrCloseEditor(const FJsonObject& Action, bool bClose);
	std::shared_ptr<FJsonObject> InvokeTab(const FJsonObject& Action);
	/** Forgets the open menu when the editor it was opened from has closed. */
	void ForgetStaleMenu();

	std::unique_ptr<EditorUI::FOpenMenu> OpenMenu;
	uint64_t LastMenuSerial = 0;
};
