#include "Editor/AssetEditorSubsystem.h"

#include "Editor/AssetEditorKinds.h"
#include "Editor/AssetEditorToolkit.h"
#include "Objects/Object.h"
#include "Runtime/App.h"
#include "Slate/DockTab.h"

#include <algorithm>

UAssetEditorSubsystem::UAssetEditorSubsystem()
	: MainWindow(std::make_shared<SWindow>(FText::FromString(FApp::GetProjectName())))
	, LevelEditorTab(std::make_shared<SDockTab>(LevelEditorTabId, ETabRole::MajorTab, FText::FromString(FApp::GetProjectName())))
{
	MainWindow->AddTab(LevelEditorTab);
}

UAssetEditorSubsystem::~UAssetEditorSubsystem()
{
	CloseAllAssetEditors();
}

bool UAssetEditorSubsystem::OpenEditorForAsset(UObject* Asset)
{
	if (!IsValid(Asset))
	{
		return false;
	}
	RemoveClosedEditors();
	if (FAssetEditorToolkit* Existing = FindOpenEditor(Asset))
	{
		Existing->FocusWindow();
		return true;
	}
	OpenEditors.push_back(std::make_unique<FAssetEditorToolkit>(std::string(ChooseAssetEditorName(Asset->GetClass())), *Asset, *MainWindow));
	return true;
}

IAssetEditorInstance* UAssetEditorSubsystem::FindEditorForAsset(UObject* Asset, bool bFocusIfOpen)
{
	RemoveClosedEditors();
	FAssetEditorToolkit* Editor = FindOpenEditor(Asset);
	if (Editor != nullptr && bFocusIfOpen)
	{
		Editor->FocusWindow();
	}
	return Editor;
}

std::vector<UObject*> UAssetEditorSubsystem::GetAllEditedAssets()
{
	RemoveClosedEditors();
	std::vector<UObject*> Assets;
	Assets.reserve(OpenEditors.size());
	for (const std::unique_ptr<FAssetEditorToolkit>& Editor : OpenEditors)
	{
		Assets.push_back(Editor->GetEditingAsset());
	}
	return Assets;
}

std::vector<IAssetEditorInstance*> UAssetEditorSubsystem::GetAllOpenEditors()
{
	RemoveClosedEditors();
	std::vector<IAssetEditorInstance*> Editors;
	Editors.reserve(OpenEditors.size());
	for (const std::unique_ptr<FAssetEditorToolkit>& Editor : OpenEditors)
	{
		Editors.push_back(Editor.get());
	}
	return Editors;
}

void UAssetEditorSubsystem::CloseAllEditorsForAsset(UObject* Asset)
{
	RemoveClosedEditors();
	std::erase_if(OpenEditors, [Asset](const std::unique_ptr<FAssetEditorToolkit>& Editor) { return Asset != nullptr && Editor->GetEditingAsset() == Asset; });
}

void UAssetEditorSubsystem::CloseAllAssetEditors()
{
	// The most recently opened first, as each closing tab hands the front back to an older one.
	while (!OpenEditors.empty())
	{
		OpenEditors.pop_back();
	}
}

void UAssetEditorSubsystem::RemoveClosedEditors()
{
	std::erase_if(OpenEditors, [](const std::unique_ptr<FAssetEditorToolkit>& Editor) { return !Editor->IsOpen(); });
}

FAssetEditorToolkit* UAssetEditorSubsystem::FindOpenEditor(const UObject* Asset)
{
	if (Asset == nullptr)
	{
		return nullptr;
	}
	const auto Found = std::find_if(OpenEditors.begin(), OpenEditors.end(), [Asset](const std::unique_ptr<FAssetEditorToolkit>& Editor) { return Editor->GetEditingAsset() == Asset; });
	return Found != OpenEditors.end() ? Found->get() : nullptr;
}
