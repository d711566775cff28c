#pragma once

#include <memory>
#include <string>
#include <vector>

class FAssetEditorToolkit;
class FTabManager;
class SDockTab;
class SWindow;
class UObject;

/** One open asset editor, as the editor's subsystem hands it out. */
class IAssetEditorInstance
{
public:
	virtual ~IAssetEditorInstance() = default;

	/** "BlueprintEditor", "MaterialEditor", "WidgetBlueprintEditor", "ControlRigEditor" or "GenericAssetEditor". */
	virtual std::string GetEditorName() const = 0;
	/** The asset the editor was opened for. */
	virtual UObject* GetEditingAsset() const = 0;
	virtual std::shared_ptr<FTabManager> GetAssociatedTabManager() = 0;
	/** Brings the editor's tab to the front of its window. */
	virtual void FocusWindow(UObject* ObjectToFocusOn = nullptr) = 0;
	/** Closes the editor and its tab; true when it closed. */
	virtual bool CloseWindow() = 0;
};

/**
 * The editor's asset editors: at most one per asset, each in a major tab of the main editor
 * window. The kind of editor follows the asset's class (a Blueprint editor for Blueprints, a
 * Material editor for materials and material instances, the Widget Blueprint and Control Rig
 * editors for those Blueprint kinds, a generic editor otherwise). Game thread only.
 */
class UAssetEditorSubsystem
{
public:
	UAssetEditorSubsystem();
	~UAssetEditorSubsystem();
	UAssetEditorSubsystem(const UAssetEditorSubsystem&) = delete;
	UAssetEditorSubsystem& operator=(const UAssetEditorSubsystem&) = delete;

	/** Opens an editor for the asset, or focuses the one already open; false for no asset. */
	bool OpenEditorForAsset(UObject* Asset);
	/** The asset's open editor, brought to the front when bFocusIfOpen; nullptr when none is open. */
	IAssetEditorInstance* FindEditorForAsset(UObject* Asset, bool bFocusIfOpen);
	/**
	 * Every asset that has an open editor, in the order the editors were opened. Editors whose
	 * asset is gone or whose tab was closed are closed first, so no entry is ever dangling.
	 */
	std::vector<UObject*> GetAllEditedAssets();
	/** The open editors, in the order they were opened (after the same clean-up). */
	std::vector<IAssetEditorInstance*> GetAllOpenEditors();
	void CloseAllEditorsForAsset(UObject* Asset);
	void CloseAllAssetEditors();

	/** The main editor window, whose major tabs are the level editor's and the asset editors'. */
	std::shared_ptr<SWindow> GetMainWindow() const { return MainWindow; }

	/** The level editor's major tab, the main window's first tab. */
	std::shared_ptr<SDockTab> GetLevelEditorTab() const { return LevelEditorTab; }

	static constexpr const char* LevelEditorTabId = "LevelEditor";

private:
	/** Closes the editors whose asset is gone and forgets those whose tab was closed. */
	void RemoveClosedEditors();
	FAssetEditorToolkit* FindOpenEditor(const UObject* Asset);

	std::shared_ptr<SWindow> MainWindow;
	std::shared_ptr<SDockTab> LevelEditorTab;
	/** In the order they were opened. */
	std::vector<std::unique_ptr<FAssetEditorToolkit>> OpenEditors;
};
