#pragma once

#include "Editor/AssetEditorSubsystem.h"
#include "Objects/WeakObjectPtr.h"

#include <memory>
#include <string>

/**
 * An asset editor living in a major tab of a window: the tab is labelled with the asset's
 * name and comes to the front when the editor opens. The editor holds its asset weakly, so it
 * never hands out an asset that is gone, and closes its tab when it is destroyed.
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

private:
	std::string EditorName;
	TWeakObjectPtr<UObject> EditingAsset;
	std::shared_ptr<FTabManager> TabManager;
};
