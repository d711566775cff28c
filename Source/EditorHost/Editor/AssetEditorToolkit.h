#pragma once

#include "Editor/AssetEditorSubsystem.h"
#include "Objects/WeakObjectPtr.h"
#include "Slate/MultiBox.h"

#include <memory>
#include <string>

/**
 * An asset editor living in a major tab of a window: the tab is labelled with the asset's
 * name and comes to the front when the editor opens. The editor holds its asset weakly, so it
 * never hands out an asset that is gone, and closes its tab when it is destroyed.
 *
 * Its toolbar is built each time it is shown: the section "Asset" (Save), then the sections of
 * the tool menu "AssetEditor.<EditorName>.ToolBar" when the editor has that menu; the Control
 * Rig editor also runs the extenders of the "RigVMEditor" module's toolbar extensibility
 * manager, hooked on the section "Asset".
 */
class FAssetEditorToolkit final : public IAssetEditorInstance
{
public:
	FAssetEditorToolkit(std::string InEditorName, UObject& Asset, SWindow& Window);
	~FAssetEditorToolkit() override;
	FAssetEditorToolkit(const FAssetEditorToolkit&) = delete;
	FAssetEditorToolkit& operator=(const FAssetEditorToolkit&) = delete;

	std::string GetEditorName() const override { return EditorName; }
	UObject* GetEditingAsset() const override { return EditingAsset.Get(); }
	std::shared_ptr<FTabManager> GetAssociatedTabManager() override { return TabManager; }
	void FocusWindow(UObject* ObjectToFocusOn = nullptr) override;
	bool CloseWindow() override;

	/** Whether the editor still has its asset and its tab (closing either ends the editor). */
	bool IsOpen() const;

	/** The editor's toolbar as it is now. */
	FMultiBox GenerateToolbar() const;
	/** The tool menu the editor's toolbar shows: "AssetEditor." + editor name + ".ToolBar". */
	std::string GetToolMenuToolbarName() const;
	/** Saves the asset to its package's file; false (and a warning) when it cannot. The "Save" button's action. */
	bool SaveAsset() const;

private:
	std::string EditorName;
	TWeakObjectPtr<UObject> EditingAsset;
	std::shared_ptr<FTabManager> TabManager;
};
