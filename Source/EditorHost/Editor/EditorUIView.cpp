#include "Core/Paths.h"
#include "Core/TextHelpers.h"
#include "Editor/AssetEditorToolkit.h"
#include "Editor/EditorUIModel.h"
#include "Editor/EditorUIToolbars.h"
#include "Editor/TabManager.h"
#include "Objects/Class.h"
#include "Objects/Object.h"
#include "Runtime/EditorHost.h"
#include "Runtime/PlatformProcess.h"
#include "Slate/DockTab.h"
#include "Slate/SlateApplication.h"
#include "Slate/SlateStyle.h"
#include "Slate/SlateStyleRegistry.h"

#include "Editor/EditorEngine.h"

namespace
{
	std::shared_ptr<FJsonObject> PaintLevelEditor()
	{
		auto LevelEditor = std::make_shared<FJsonObject>();
		const std::shared_ptr<SDockTab> Tab = GEditor != nullptr ? GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetLevelEditorTab() : nullptr;
		if (Tab != nullptr)
		{
			LevelEditor->SetStringField("id", EditorUI::TabId(*Tab));
			LevelEditor->SetStringField("tabId", Tab->GetLayoutIdentifier());
			LevelEditor->SetStringField("label", Tab->GetTabLabel().ToString());
			LevelEditor->SetBoolField("foreground", Tab->IsForeground());
		}
		LevelEditor->SetObjectField("toolbar", std::make_shared<FJsonObject>(EditorUI::PaintToolbar(EditorUI::MakeLevelEditorToolbar())));
		return LevelEditor;
	}

	FJsonValueArray PaintAssetEditors()
	{
		FJsonValueArray Editors;
		for (FAssetEditorToolkit* Editor : EditorUI::GetOpenEditors())
		{
			const std::shared_ptr<SDockTab> Tab = Editor->GetAssociatedTabManager()->GetOwnerTab();
			const UObject* Asset = Editor->GetEditingAsset();
			if (Tab == nullptr || Asset == nullptr)
			{
				continue;
			}
			auto Painted = std::make_shared<FJsonObject>();
			Painted->SetStringField("id", EditorUI::EditorId(*Editor));
			Painted->SetStringField("editorName", Editor->GetEditorName());
			Painted->SetStringField("assetName", Asset->GetName());
			Painted->SetStringField("assetPath", Asset->GetPathName());
			Painted->SetStringField("assetClass", Asset->GetClass() != nullptr ? Asset->GetClass()->GetName() : std::string());
			Painted->SetStringField("label", Tab->GetTabLabel().ToString());
			Painted->SetBoolField("foreground", Tab->IsForeground());
			Painted->SetObjectField("toolbar", std::make_shared<FJsonObject>(EditorUI::PaintToolbar(EditorUI::MakeEditorToolbar(*Editor))));
			Editors.emplace_back(Painted);
		}
		return Editors;
	}

	FJsonValueArray PaintDockTabs()
	{
		FJsonValueArray Tabs;
		if (!FSlateApplication::IsInitialized())
		{
			return Tabs;
		}
		const std::shared_ptr<FGlobalTabmanager>& TabManager = FGlobalTabmanager::Get();
		const std::shared_ptr<SDockTab> Active = TabManager->GetActiveTab();
		for (const std::shared_ptr<SDockTab>& Tab : TabManager->GetLiveTabs())
		{
			auto Painted = std::make_shared<FJsonObject>();
			Painted->SetStringField("id", EditorUI::TabId(*Tab));
			Painted->SetStringField("tabId", Tab->GetLayoutIdentifier());
			Painted->SetStringField("role", LexToString(Tab->GetTabRole()));
			Painted->SetStringField("label", Tab->GetTabLabel().ToString());
			Painted->SetBoolField("foreground", Tab == Active);
			if (const std::shared_ptr<SWidget>& Content = Tab->GetContent())
			{
				Painted->SetObjectField("content", std::make_shared<FJsonObject>(Content->Paint()));
			}
			Tabs.emplace_back(Painted);
		}
		return Tabs;
	}

	FJsonValueArray PaintTabSpawners()
	{
		FJsonValueArray Spawners;
		if (!FSlateApplication::IsInitialized())
		{
			return Spawners;
		}
		for (const FTabSpawnerEntry* Spawner : FGlobalTabmanager::Get()->GetTabSpawners())
		{
			auto Painted = std::make_shared<FJsonObject>();
			Painted->SetStringField("tabId", Spawner->GetTabType());
			Painted->SetStringField("displayName", Spawner->GetDisplayName().ToString());
			Painted->SetStringField("menuType", LexToString(Spawner->GetMenuType()));
			Spawners.emplace_back(Painted);
		}
		return Spawners;
	}

	FJsonValueArray PaintToasts()
	{
		FJsonValueArray Toasts;
		FEditorHost* Host = FEditorHost::Get();
		if (Host == nullptr)
		{
			return Toasts;
		}
		for (const FActiveNotification& Toast : Host->GetNotifications().GetActiveNotifications())
		{
			auto Painted = std::make_shared<FJsonObject>();
			Painted->SetStringField("id", "n" + std::to_string(Toast.Id));
			Painted->SetStringField("text", Toast.Text.ToString());
			Painted->SetNumberField("expireSeconds", Toast.ExpireDuration);
			Painted->SetBoolField("largeFont", Toast.bUseLargeFont);
			Toasts.emplace_back(Painted);
		}
		return Toasts;
	}

	FJsonValueArray PaintLaunchedUrls()
	{
		FJsonValueArray Urls;
		for (const FLaunchedURL& Launched : FPlatformProcess::GetLaunchedURLs())
		{
			auto Painted = std::make_shared<FJsonObject>();
			Painted->SetStringField("id", "l" + std::to_string(Launched.Id));
			Painted->SetStringField("url", Launched.URL);
			Urls.emplace_back(Painted);
		}
		return Urls;
	}
}

std::shared_ptr<FJsonObject> FEditorUIModel::BuildView()
{
	ForgetStaleMenu();
	auto View = std::make_shared<FJsonObject>();
	View->SetObjectField("levelEditor", PaintLevelEditor());
	View->SetArrayField("assetEditors", PaintAssetEditors());
	View->SetArrayField("tabs", PaintDockTabs());
	View->SetArrayField("tabSpawners", PaintTabSpawners());
	View->SetArrayField("toasts", PaintToasts());
	View->SetArrayField("launchedUrls", PaintLaunchedUrls());
	if (OpenMenu != nullptr)
	{
		View->SetObjectField("openMenu", std::make_shared<FJsonObject>(EditorUI::PaintMenu(*OpenMenu)));
	}
	return View;
}

std::optional<std::string> FEditorUIModel::FindBrushImageFile(std::string_view StyleSetName, std::string_view BrushName)
{
	const ISlateStyle* Style = FSlateStyleRegistry::FindSlateStyle(StyleSetName);
	const FSlateBrush* Brush = Style != nullptr ? Style->FindBrush(BrushName) : nullptr;
	// Only PNG images that exist are handed out, so a brush cannot name any other file.
	if (Brush == nullptr || !Brush->HasImageFile() || !Text::EndsWithIgnoreCase(Brush->GetResourceName(), ".png") || !FPaths::FileExists(Brush->GetResourceName()))
	{
		return std::nullopt;
	}
	return Brush->GetResourceName();
}
