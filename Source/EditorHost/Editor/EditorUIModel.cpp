#include "Editor/EditorUIModel.h"

#include "Editor/AssetEditorToolkit.h"
#include "Editor/EditorEngine.h"
#include "Editor/EditorUIToolbars.h"
#include "Editor/TabManager.h"
#include "Slate/CheckBox.h"
#include "Slate/DockTab.h"
#include "Slate/Hyperlink.h"
#include "Slate/SlateApplication.h"

#include <charconv>

namespace
{
	std::shared_ptr<FJsonObject> Succeeded()
	{
		auto Result = std::make_shared<FJsonObject>();
		Result->SetBoolField("success", true);
		return Result;
	}

	std::shared_ptr<FJsonObject> Failed(std::string_view Error)
	{
		auto Result = std::make_shared<FJsonObject>();
		Result->SetBoolField("success", false);
		Result->SetStringField("error", Error);
		return Result;
	}

	std::shared_ptr<FJsonObject> MissingField(std::string_view Field)
	{
		return Failed("Missing field '" + std::string(Field) + "'.");
	}

	constexpr std::string_view EditorClosed = "That editor has been closed.";

	/** The number after the prefix ("w12" -> 12), or none. */
	std::optional<uint64_t> ParseSerial(std::string_view Id, char Prefix)
	{
		if (Id.size() < 2 || Id.front() != Prefix)
		{
			return std::nullopt;
		}
		uint64_t Value = 0;
		const char* End = Id.data() + Id.size();
		const auto [Ptr, Error] = std::from_chars(Id.data() + 1, End, Value);
		return Error == std::errc() && Ptr == End ? std::optional<uint64_t>(Value) : std::nullopt;
	}

	/** The open dock tab (spawned by the global tab manager) with the id, or nullptr. */
	std::shared_ptr<SDockTab> FindDockTab(std::string_view Id)
	{
		if (!FSlateApplication::IsInitialized())
		{
			return nullptr;
		}
		for (const std::shared_ptr<SDockTab>& Tab : FGlobalTabmanager::Get()->GetLiveTabs())
		{
			if (EditorUI::TabId(*Tab) == Id)
			{
				return Tab;
			}
		}
		return nullptr;
	}

	std::shared_ptr<SDockTab> GetLevelEditorTab()
	{
		return GEditor != nullptr ? GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetLevelEditorTab() : nullptr;
	}

	/** A widget shown in an open dock tab, or nullptr. */
	std::shared_ptr<SWidget> FindShownWidget(uint64_t WidgetId)
	{
		if (!FSlateApplication::IsInitialized())
		{
			return nullptr;
		}
		for (const std::shared_ptr<SDockTab>& Tab : FGlobalTabmanager::Get()->GetLiveTabs())
		{
			if (std::shared_ptr<SWidget> Found = Tab->FindWidget(WidgetId))
			{
				return Found;
			}
		}
		return nullptr;
	}

	/** The toolbar that shows the entry: the editor's when one is named, else the level editor's, else any open editor's. */
	std::optional<EditorUI::FToolbar> FindToolbarOfEntry(std::string_view EntryId, FAssetEditorToolkit* Editor)
	{
		if (Editor != nullptr)
		{
			EditorUI::FToolbar Toolbar = EditorUI::MakeEditorToolbar(*Editor);
			return EditorUI::FindEntry(Toolbar, EntryId) != nullptr ? std::optional(std::move(Toolbar)) : std::nullopt;
		}
		EditorUI::FToolbar Level = EditorUI::MakeLevelEditorToolbar();
		if (EditorUI::FindEntry(Level, EntryId) != nullptr)
		{
			return Level;
		}
		for (FAssetEditorToolkit* OpenEditor : EditorUI::GetOpenEditors())
		{
			EditorUI::FToolbar Toolbar = EditorUI::MakeEditorToolbar(*OpenEditor);
			if (EditorUI::FindEntry(Toolbar, EntryId) != nullptr)
			{
				return Toolbar;
			}
		}
		return std::nullopt;
	}
}

FEditorUIModel::FEditorUIModel() = default;
FEditorUIModel::~FEditorUIModel() = default;

std::shared_ptr<FJsonObject> FEditorUIModel::RunAction(const FJsonObject& Action)
{
	const std::optional<std::string> Name = Action.TryGetStringField("action");
	if (!Name)
	{
		return MissingField("action");
	}
	if (*Name == "clickEntry" || *Name == "openComboMenu")
	{
		return ClickEntry(Action, *Name == "openComboMenu");
	}
	if (*Name == "clickMenuEntry")
	{
		return ClickMenuEntry(Action);
	}
	if (*Name == "dismissMenu")
	{
		OpenMenu.reset();
		return Succeeded();
	}
	if (*Name == "toggleCheckBox" || *Name == "clickHyperlink")
	{
		return ClickWidget(Action, *Name == "toggleCheckBox");
	}
	if (*Name == "focusTab" || *Name == "closeTab")
	{
		return FocusOrCloseTab(Action, *Name == "closeTab");
	}
	if (*Name == "focusEditor" || *Name == "closeEditor")
	{
		return FocusOrCloseEditor(Action, *Name == "closeEditor");
	}
	if (*Name == "invokeTab")
	{
		return InvokeTab(Action);
	}
	return Failed("Unknown action '" + *Name + "'.");
}

std::shared_ptr<FJsonObject> FEditorUIModel::ClickEntry(const FJsonObject& Action, bool bOpenMenu)
{
	const std::optional<std::string> Id = Action.TryGetStringField("id");
	if (!Id)
	{
		return MissingField("id");
	}
	FAssetEditorToolkit* Editor = nullptr;
	if (const std::optional<std::string> EditorId = Action.TryGetStringField("editor"))
	{
		Editor = EditorUI::FindEditor(*EditorId);
		if (Editor == nullptr)
		{
			return Failed(EditorClosed);
		}
	}
	else if (Id->starts_with('e'))
	{
		Editor = EditorUI::FindEditorOfBuilderEntry(*Id);
		if (Editor == nullptr)
		{
			return Failed(EditorClosed);
		}
	}

	const std::optional<EditorUI::FToolbar> Toolbar = FindToolbarOfEntry(*Id, Editor);
	const FMultiBlock* Entry = Toolbar ? EditorUI::FindEntry(*Toolbar, *Id) : nullptr;
	if (Entry == nullptr)
	{
		return Failed("That toolbar entry is no longer there.");
	}
	if (Entry->Type == EMultiBlockType::Separator)
	{
		return Failed("A separator cannot be clicked.");
	}
	if (!Entry->Action.CanExecute())
	{
		return Failed("That toolbar entry is disabled.");
	}
	// A click in an editor's toolbar is a click in that editor: it comes to the front first.
	if (Editor != nullptr)
	{
		Editor->FocusWindow();
	}

	if (!bOpenMenu)
	{
		if (Entry->Type == EMultiBlockType::ToolBarComboButton && Entry->bSimpleComboBox)
		{
			return Failed("That entry only opens a menu.");
		}
		OpenMenu.reset();
		Entry->Action.Execute();
		return Succeeded();
	}

	if (Entry->Type != EMultiBlockType::ToolBarComboButton)
	{
		return Failed("That entry has no menu.");
	}
	const std::shared_ptr<SWidget> Content = Entry->MenuContentGenerator.Execute();
	const auto* MenuWidget = dynamic_cast<const SMultiBoxWidget*>(Content.get());
	if (MenuWidget == nullptr || MenuWidget->GetMultiBox() == nullptr)
	{
		return Failed("That entry's menu has no entries.");
	}
	OpenMenu = std::make_unique<EditorUI::FOpenMenu>(EditorUI::FOpenMenu{++LastMenuSerial, *Id, Editor != nullptr ? EditorUI::EditorId(*Editor) : std::string(), MenuWidget->GetMultiBox()});
	std::shared_ptr<FJsonObject> Result = Succeeded();
	Result->SetObjectField("menu", std::make_shared<FJsonObject>(EditorUI::PaintMenu(*OpenMenu)));
	return Result;
}

std::shared_ptr<FJsonObject> FEditorUIModel::ClickMenuEntry(const FJsonObject& Action)
{
	const std::optional<std::string> Id = Action.TryGetStringField("id");
	if (!Id)
	{
		return MissingField("id");
	}
	ForgetStaleMenu();
	if (OpenMenu == nullptr)
	{
		return Failed("That menu has been closed.");
	}
	const std::vector<const FMultiBlock*> Entries = EditorUI::GetMenuEntries(*OpenMenu);
	std::size_t Index = 0;
	while (Index < Entries.size() && EditorUI::MenuEntryId(*OpenMenu, Index) != *Id)
	{
		++Index;
	}
	if (Index == Entries.size())
	{
		return Failed(Id->starts_with("u" + std::to_string(OpenMenu->Serial) + ".") ? "That menu has no such entry." : "That menu has been closed.");
	}

	// The menu's actions belong to its button: the button must still be there (its module may have gone).
	FAssetEditorToolkit* Editor = OpenMenu->EditorId.empty() ? nullptr : EditorUI::FindEditor(OpenMenu->EditorId);
	if (!OpenMenu->EditorId.empty() && Editor == nullptr)
	{
		OpenMenu.reset();
		return Failed(EditorClosed);
	}
	if (!FindToolbarOfEntry(OpenMenu->OwnerEntryId, Editor))
	{
		OpenMenu.reset();
		return Failed("That menu's button is no longer there.");
	}
	// The menu closes before its entry runs, and the entry is kept alive by this copy.
	const std::unique_ptr<EditorUI::FOpenMenu> Menu = std::move(OpenMenu);
	const FMultiBlock& Entry = *Entries[Index];
	if (Entry.Type == EMultiBlockType::Separator)
	{
		return Failed("A separator cannot be clicked.");
	}
	if (!Entry.Action.CanExecute())
	{
		return Failed("That menu entry is disabled.");
	}
	if (Editor != nullptr)
	{
		Editor->FocusWindow();
	}
	Entry.Action.Execute();
	return Succeeded();
}

std::shared_ptr<FJsonObject> FEditorUIModel::ClickWidget(const FJsonObject& Action, bool bCheckBox)
{
	const std::optional<std::string> Id = Action.TryGetStringField("id");
	if (!Id)
	{
		return MissingField("id");
	}
	const std::optional<uint64_t> WidgetId = ParseSerial(*Id, 'w');
	const std::shared_ptr<SWidget> Widget = WidgetId ? FindShownWidget(*WidgetId) : nullptr;
	if (Widget == nullptr)
	{
		return Failed("That widget is no longer shown.");
	}
	if (bCheckBox)
	{
		const auto CheckBox = std::dynamic_pointer_cast<SCheckBox>(Widget);
		if (CheckBox == nullptr)
		{
			return Failed("That widget is not a check box.");
		}
		CheckBox->ToggleCheckedState();
		return Succeeded();
	}
	const auto Hyperlink = std::dynamic_pointer_cast<SHyperlink>(Widget);
	if (Hyperlink == nullptr)
	{
		return Failed("That widget is not a hyperlink.");
	}
	Hyperlink->Navigate();
	return Succeeded();
}

std::shared_ptr<FJsonObject> FEditorUIModel::FocusOrCloseTab(const FJsonObject& Action, bool bClose)
{
	const std::optional<std::string> Id = Action.TryGetStringField("id");
	if (!Id)
	{
		return MissingField("id");
	}
	if (const std::shared_ptr<SDockTab> Level = GetLevelEditorTab(); Level != nullptr && EditorUI::TabId(*Level) == *Id)
	{
		if (bClose)
		{
			return Failed("The level editor cannot be closed.");
		}
		Level->ActivateInParent();
		return Succeeded();
	}
	const std::shared_ptr<SDockTab> Tab = FindDockTab(*Id);
	if (Tab == nullptr)
	{
		return Failed("That tab has been closed.");
	}
	if (bClose)
	{
		Tab->RequestCloseTab();
	}
	else
	{
		FGlobalTabmanager::Get()->DrawAttention(Tab);
	}
	return Succeeded();
}

std::shared_ptr<FJsonObject> FEditorUIModel::FocusOrCloseEditor(const FJsonObject& Action, bool bClose)
{
	const std::optional<std::string> Id = Action.TryGetStringField("id");
	if (!Id)
	{
		return MissingField("id");
	}
	FAssetEditorToolkit* Editor = EditorUI::FindEditor(*Id);
	if (Editor == nullptr)
	{
		return Failed(EditorClosed);
	}
	if (bClose)
	{
		Editor->CloseWindow();
		ForgetStaleMenu();
	}
	else
	{
		Editor->FocusWindow();
	}
	return Succeeded();
}

std::shared_ptr<FJsonObject> FEditorUIModel::InvokeTab(const FJsonObject& Action)
{
	const std::optional<std::string> TabId = Action.TryGetStringField("tabId");
	if (!TabId)
	{
		return MissingField("tabId");
	}
	const std::shared_ptr<SDockTab> Tab = FSlateApplication::IsInitialized() ? FGlobalTabmanager::Get()->TryInvokeTab(FTabId(*TabId)) : nullptr;
	if (Tab == nullptr)
	{
		return Failed("No tab could be opened for '" + *TabId + "'.");
	}
	std::shared_ptr<FJsonObject> Result = Succeeded();
	Result->SetStringField("tab", EditorUI::TabId(*Tab));
	return Result;
}

void FEditorUIModel::ForgetStaleMenu()
{
	if (OpenMenu != nullptr && !OpenMenu->EditorId.empty() && EditorUI::FindEditor(OpenMenu->EditorId) == nullptr)
	{
		OpenMenu.reset();
	}
}
