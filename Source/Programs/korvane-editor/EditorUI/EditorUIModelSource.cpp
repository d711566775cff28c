#include "EditorUI/EditorUIModelSource.h"

#include "Core/JsonObject.h"
#include "Editor/AssetEditorSubsystem.h"
#include "Editor/EditorEngine.h"
#include "Editor/Notifications.h"
#include "Editor/TabManager.h"
#include "Objects/Object.h"
#include "Slate/DockTab.h"

namespace
{
	UAssetEditorSubsystem* GetSubsystem()
	{
		return GEditor != nullptr ? GEditor->GetEditorSubsystem<UAssetEditorSubsystem>() : nullptr;
	}

	std::shared_ptr<FJsonObject> Result(bool bSuccess, std::string_view Error = {})
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetBoolField("success", bSuccess);
		if (!bSuccess)
		{
			Object->SetStringField("error", Error);
		}
		return Object;
	}

	IAssetEditorInstance* FindEditor(UAssetEditorSubsystem& Subsystem, std::string_view Id)
	{
		for (IAssetEditorInstance* Editor : Subsystem.GetAllOpenEditors())
		{
			const UObject* Asset = Editor->GetEditingAsset();
			if (Asset != nullptr && Asset->GetPathName() == Id)
			{
				return Editor;
			}
		}
		return nullptr;
	}
}

std::shared_ptr<FJsonObject> BuildEditorUIView()
{
	auto View = std::make_shared<FJsonObject>();
	UAssetEditorSubsystem* Subsystem = GetSubsystem();
	if (Subsystem == nullptr)
	{
		return View;
	}
	if (const std::shared_ptr<SDockTab> LevelTab = Subsystem->GetLevelEditorTab())
	{
		auto Level = std::make_shared<FJsonObject>();
		Level->SetStringField("tabId", LevelTab->GetLayoutIdentifier());
		Level->SetStringField("label", LevelTab->GetTabLabel().ToString());
		Level->SetBoolField("foreground", LevelTab->IsForeground());
		View->SetObjectField("levelEditor", Level);
	}
	FJsonValueArray Editors;
	for (IAssetEditorInstance* Editor : Subsystem->GetAllOpenEditors())
	{
		const UObject* Asset = Editor->GetEditingAsset();
		const std::shared_ptr<SDockTab> Tab = Editor->GetAssociatedTabManager()->GetOwnerTab();
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("id", Asset->GetPathName());
		Entry->SetStringField("editorName", Editor->GetEditorName());
		Entry->SetStringField("assetName", Asset->GetName());
		Entry->SetStringField("assetPath", Asset->GetPathName());
		Entry->SetStringField("label", Tab ? Tab->GetTabLabel().ToString() : Asset->GetName());
		Entry->SetBoolField("foreground", Tab && Tab->IsForeground());
		Editors.emplace_back(std::move(Entry));
	}
	View->SetArrayField("assetEditors", std::move(Editors));
	FJsonValueArray Toasts;
	for (const FActiveNotification& Notification : FSlateNotificationManager::Get().GetActiveNotifications())
	{
		auto Toast = std::make_shared<FJsonObject>();
		Toast->SetStringField("id", "n" + std::to_string(Notification.Id));
		Toast->SetStringField("text", Notification.Text.ToString());
		Toast->SetNumberField("expireSeconds", Notification.ExpireDuration);
		Toast->SetBoolField("largeFont", Notification.bUseLargeFont);
		Toasts.emplace_back(std::move(Toast));
	}
	View->SetArrayField("toasts", std::move(Toasts));
	return View;
}

std::shared_ptr<FJsonObject> RunEditorUIAction(const FJsonObject& Action)
{
	const std::string Name = Action.TryGetStringField("action").value_or(std::string());
	UAssetEditorSubsystem* Subsystem = GetSubsystem();
	if ((Name == "focusEditor" || Name == "closeEditor") && Subsystem != nullptr)
	{
		IAssetEditorInstance* Editor = FindEditor(*Subsystem, Action.TryGetStringField("id").value_or(std::string()));
		if (Editor == nullptr)
		{
			return Result(false, "That editor has been closed.");
		}
		if (Name == "focusEditor")
		{
			Editor->FocusWindow();
		}
		else
		{
			Editor->CloseWindow();
		}
		return Result(true);
	}
	if (Name == "focusTab" && Subsystem != nullptr && Action.TryGetStringField("id") == UAssetEditorSubsystem::LevelEditorTabId)
	{
		Subsystem->GetLevelEditorTab()->ActivateInParent();
		return Result(true);
	}
	return Result(false, "Unknown action '" + Name + "'.");
}

std::optional<std::string> FindEditorUIBrushImage(std::string_view, std::string_view)
{
	return std::nullopt;
}
