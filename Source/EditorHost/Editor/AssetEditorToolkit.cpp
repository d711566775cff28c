#include "Editor/AssetEditorToolkit.h"

#include "Editor/TabManager.h"
#include "Objects/Object.h"
#include "Slate/DockTab.h"

FAssetEditorToolkit::FAssetEditorToolkit(std::string InEditorName, UObject& Asset, SWindow& Window)
	: EditorName(std::move(InEditorName))
	, EditingAsset(&Asset)
{
	auto OwnerTab = std::make_shared<SDockTab>(EditorName, ETabRole::MajorTab, FText::FromString(Asset.GetName()));
	Window.AddTab(OwnerTab);
	TabManager = std::make_shared<FTabManager>(OwnerTab);
}

FAssetEditorToolkit::~FAssetEditorToolkit()
{
	CloseWindow();
}

void FAssetEditorToolkit::FocusWindow(UObject*)
{
	if (const std::shared_ptr<SDockTab> OwnerTab = TabManager->GetOwnerTab())
	{
		OwnerTab->ActivateInParent();
	}
}

bool FAssetEditorToolkit::CloseWindow()
{
	if (const std::shared_ptr<SDockTab> OwnerTab = TabManager->GetOwnerTab())
	{
		OwnerTab->RequestCloseTab();
	}
	return true;
}

bool FAssetEditorToolkit::IsOpen() const
{
	const std::shared_ptr<SDockTab> OwnerTab = TabManager->GetOwnerTab();
	return EditingAsset.IsValid() && OwnerTab != nullptr && OwnerTab->GetParentWindow() != nullptr;
}
