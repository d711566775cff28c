#include "Editor/AssetEditorToolkit.h"

#include "Core/LogHost.h"
#include "Editor/ExtensibilityManager.h"
#include "Editor/RigVMEditorModule.h"
#include "Editor/TabManager.h"
#include "Editor/ToolMenus.h"
#include "Objects/Object.h"
#include "Python/EditorAssetLibrary.h"
#include "Slate/AppStyle.h"
#include "Slate/DockTab.h"
#include "Slate/MultiBoxBuilder.h"

#define LOCTEXT_NAMESPACE "AssetEditorToolkit"

namespace
{
	constexpr const char* ControlRigEditorName = "ControlRigEditor";

	/** The extenders others added to the editor kind's toolbar (the RigVM editors' manager, for the Control Rig editor). */
	std::shared_ptr<FExtender> GetToolbarExtender(const std::string& EditorName)
	{
		if (EditorName != ControlRigEditorName)
		{
			return nullptr;
		}
		IRigVMEditorModule* RigVMEditor = IRigVMEditorModule::Get();
		const std::shared_ptr<FExtensibilityManager> Manager = RigVMEditor != nullptr ? RigVMEditor->GetToolBarExtensibilityManager() : nullptr;
		return Manager != nullptr ? Manager->GetAllExtenders() : nullptr;
	}
}

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

FMultiBox FAssetEditorToolkit::GenerateToolbar() const
{
	FToolBarBuilder Builder(nullptr, FMultiBoxCustomization::None, GetToolbarExtender(EditorName));
	Builder.BeginSection("Asset");
	Builder.AddToolBarButton(FUIAction(FExecuteAction::CreateLambda([this]() { SaveAsset(); })), "SaveAsset", LOCTEXT("SaveAsset", "Save"),
		LOCTEXT("SaveAssetTooltip", "Save this asset"), FSlateIcon(FAppStyle::GetAppStyleSetName(), "Icons.Save"));
	Builder.EndSection();
	FMultiBox Toolbar = *Builder.GetMultiBox();

	if (const UToolMenus* Menus = UToolMenus::Get())
	{
		if (const UToolMenu* Menu = Menus->FindMenu(GetToolMenuToolbarName()))
		{
			FMultiBox FromMenu = Menu->MakeMultiBox();
			for (FMultiBoxSection& Section : FromMenu.Sections)
			{
				Toolbar.Sections.push_back(std::move(Section));
			}
		}
	}
	return Toolbar;
}

std::string FAssetEditorToolkit::GetToolMenuToolbarName() const
{
	return UToolMenus::GetAssetEditorToolBarName(EditorName);
}

bool FAssetEditorToolkit::SaveAsset() const
{
	UObject* Asset = EditingAsset.Get();
	if (Asset == nullptr)
	{
		UE_LOG(LogHost, Warning, "The asset of the %s is gone; nothing was saved.", EditorName.c_str());
		return false;
	}
	if (!EditorAssetLibrary::SaveLoadedAsset(Asset))
	{
		UE_LOG(LogHost, Warning, "Could not save %s.", Asset->GetPathName().c_str());
		return false;
	}
	UE_LOG(LogHost, Display, "Saved %s.", Asset->GetPathName().c_str());
	return true;
}

#undef LOCTEXT_NAMESPACE
