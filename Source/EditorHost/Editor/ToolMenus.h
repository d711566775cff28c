#pragma once

#include "Core/Delegate.h"
#include "Core/Delegates.h"
#include "Editor/ToolMenu.h"
#include "Editor/ToolMenuOwner.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

/**
 * The editor's tool menus by name. It exists while the module "ToolMenus" is loaded and has
 * the menus the editor shows: the level editor's play toolbar and the toolbars of the
 * Blueprint, Material and Widget Blueprint editors. Extending a menu the editor does not have
 * yields none. Start-up callbacks run once the menu system is up: at once when it is, else
 * when it comes up; entries they add belong to the callback's object unless an
 * FToolMenuOwnerScoped says otherwise. Game thread only.
 */
class UToolMenus
{
public:
	static constexpr const char* LevelEditorPlayToolBar = "LevelEditor.LevelEditorToolBar.PlayToolBar";
	static constexpr const char* BlueprintEditorToolBar = "AssetEditor.BlueprintEditor.ToolBar";
	static constexpr const char* MaterialEditorToolBar = "AssetEditor.MaterialEditor.ToolBar";
	static constexpr const char* WidgetBlueprintEditorToolBar = "AssetEditor.WidgetBlueprintEditor.ToolBar";

	UToolMenus();
	~UToolMenus();
	UToolMenus(const UToolMenus&) = delete;
	UToolMenus& operator=(const UToolMenus&) = delete;

	/** The tool menus of the running editor, or nullptr when the module "ToolMenus" is not loaded. */
	static UToolMenus* Get();
	static UToolMenus* TryGet() { return Get(); }

	/** Runs the callback once the menu system is up (now, when it is). */
	static FDelegateHandle RegisterStartupCallback(const FSimpleDelegate& Callback);
	/** Forgets the start-up callbacks bound to the object (whether they ran or not). */
	static void UnRegisterStartupCallback(const void* UserPointer);
	static void UnRegisterStartupCallback(FDelegateHandle Handle);
	/** Removes every entry, and every section left empty, that the owner added to any menu. */
	static void UnregisterOwner(FToolMenuOwner Owner);

	/** Adds a menu (or returns the one of that name). */
	UToolMenu* RegisterMenu(std::string_view MenuName, EMultiBoxType MenuType = EMultiBoxType::ToolBar);
	/** The menu to add entries to, or nullptr when the editor has no menu of that name. */
	UToolMenu* ExtendMenu(std::string_view MenuName);
	UToolMenu* FindMenu(std::string_view MenuName) const;
	bool IsMenuRegistered(std::string_view MenuName) const { return FindMenu(MenuName) != nullptr; }
	/** The menus in the order they were registered. */
	std::vector<const UToolMenu*> GetMenus() const;
	/** The toolbar menu of an asset editor kind: "AssetEditor." + EditorName + ".ToolBar". */
	static std::string GetAssetEditorToolBarName(std::string_view EditorName);

	/** Marks the menu system up and runs the start-up callbacks waiting for it. Called by the "ToolMenus" module. */
	void RunStartupCallbacks();
	bool HasRunStartupCallbacks() const { return bStartupCallbacksRun; }

private:
	struct FStartupCallback
	{
		FDelegateHandle Handle;
		FSimpleDelegate Callback;
		bool bRun = false;
	};

	void RunStartupCallback(FStartupCallback& Callback);

	std::vector<std::unique_ptr<UToolMenu>> Menus;
	std::vector<FStartupCallback> StartupCallbacks;
	bool bStartupCallbacksRun = false;
};
