#include "Editor/AssetEditorCommands.h"

#include "Core/LogHost.h"
#include "Editor/AssetEditorSubsystem.h"
#include "Editor/TabManager.h"
#include "Objects/Object.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PackageName.h"
#include "Slate/DockTab.h"

#include <optional>
#include <vector>

namespace
{
	constexpr std::string_view PathUsage = " <object path or package path>";

	/** The one path argument of a command, or nothing after logging how the command is used. */
	std::optional<std::string_view> TakePathArgument(std::string_view CommandName, const std::vector<std::string>& Args)
	{
		if (Args.size() != 1)
		{
			UE_LOG(LogHost, Display, "Usage: %.*s%.*s", static_cast<int>(CommandName.size()), CommandName.data(), static_cast<int>(PathUsage.size()), PathUsage.data());
			return std::nullopt;
		}
		return Args.front();
	}

	/** The asset a console path names, loading it on first use; nullptr after logging that there is none. */
	UObject* FindAsset(std::optional<std::string_view> Path)
	{
		if (!Path)
		{
			return nullptr;
		}
		const std::string ObjectPath = FAssetEditorCommands::CompleteObjectPath(*Path);
		UObject* Asset = ObjectPath.starts_with('/') ? StaticLoadObject(nullptr, ObjectPath) : nullptr;
		if (Asset == nullptr || !Asset->IsAsset())
		{
			UE_LOG(LogHost, Display, "No asset at %.*s", static_cast<int>(Path->size()), Path->data());
			return nullptr;
		}
		return Asset;
	}

	bool IsInFront(IAssetEditorInstance& Editor)
	{
		const std::shared_ptr<SDockTab> Tab = Editor.GetAssociatedTabManager()->GetOwnerTab();
		return Tab != nullptr && Tab->IsForeground();
	}
}

FAssetEditorCommands::FAssetEditorCommands(UAssetEditorSubsystem& InSubsystem)
	: Subsystem(InSubsystem)
	, OpenCommand("AssetEditor.Open", "<path>: opens an editor for the asset in front, or brings its open editor forward (/Game/Foo stands for /Game/Foo.Foo)",
		  [this](const std::vector<std::string>& Args) { Open(Args); })
	, FocusCommand("AssetEditor.Focus", "<path>: brings the asset's open editor to the front", [this](const std::vector<std::string>& Args) { Focus(Args); })
	, CloseCommand("AssetEditor.Close", "<path>: closes the asset's editor", [this](const std::vector<std::string>& Args) { Close(Args); })
	, CloseAllCommand("AssetEditor.CloseAll", "Closes every asset editor", [this]() { CloseAll(); })
	, ListCommand("AssetEditor.List", "Lists the open asset editors in opening order: asset path, editor kind, \"(foreground)\" for the one in front", [this]() { List(); })
{
}

std::string FAssetEditorCommands::CompleteObjectPath(std::string_view Path)
{
	std::string ObjectPath(Path);
	if (ObjectPath.find('.') == std::string::npos)
	{
		ObjectPath += '.';
		ObjectPath += FPackageName::GetShortName(Path);
	}
	return ObjectPath;
}

void FAssetEditorCommands::Open(const std::vector<std::string>& Args)
{
	UObject* Asset = FindAsset(TakePathArgument("AssetEditor.Open", Args));
	if (Asset == nullptr)
	{
		return;
	}
	const bool bWasOpen = Subsystem.FindEditorForAsset(Asset, false) != nullptr;
	IAssetEditorInstance* Editor = Subsystem.OpenEditorForAsset(Asset) ? Subsystem.FindEditorForAsset(Asset, false) : nullptr;
	if (Editor == nullptr)
	{
		UE_LOG(LogHost, Display, "Could not open an editor for %s", Asset->GetPathName().c_str());
		return;
	}
	UE_LOG(LogHost, Display, "%s %s for %s%s", bWasOpen ? "Focused" : "Opened", Editor->GetEditorName().c_str(), Asset->GetPathName().c_str(), bWasOpen ? " (already open)" : "");
}

void FAssetEditorCommands::Focus(const std::vector<std::string>& Args)
{
	UObject* Asset = FindAsset(TakePathArgument("AssetEditor.Focus", Args));
	if (Asset == nullptr)
	{
		return;
	}
	IAssetEditorInstance* Editor = Subsystem.FindEditorForAsset(Asset, true);
	if (Editor == nullptr)
	{
		UE_LOG(LogHost, Display, "No editor is open for %s", Asset->GetPathName().c_str());
		return;
	}
	UE_LOG(LogHost, Display, "Focused %s for %s", Editor->GetEditorName().c_str(), Asset->GetPathName().c_str());
}

void FAssetEditorCommands::Close(const std::vector<std::string>& Args)
{
	UObject* Asset = FindAsset(TakePathArgument("AssetEditor.Close", Args));
	if (Asset == nullptr)
	{
		return;
	}
	IAssetEditorInstance* Editor = Subsystem.FindEditorForAsset(Asset, false);
	if (Editor == nullptr)
	{
		UE_LOG(LogHost, Display, "No editor is open for %s", Asset->GetPathName().c_str());
		return;
	}
	const std::string EditorName = Editor->GetEditorName();
	Subsystem.CloseAllEditorsForAsset(Asset);
	UE_LOG(LogHost, Display, "Closed %s for %s", EditorName.c_str(), Asset->GetPathName().c_str());
}

void FAssetEditorCommands::CloseAll()
{
	const std::size_t Count = Subsystem.GetAllOpenEditors().size();
	Subsystem.CloseAllAssetEditors();
	UE_LOG(LogHost, Display, "Closed %zu asset editor(s)", Count);
}

void FAssetEditorCommands::List()
{
	const std::vector<IAssetEditorInstance*> Editors = Subsystem.GetAllOpenEditors();
	if (Editors.empty())
	{
		UE_LOG(LogHost, Display, "No asset editors are open");
		return;
	}
	for (IAssetEditorInstance* Editor : Editors)
	{
		UE_LOG(LogHost, Display, "%s %s%s", Editor->GetEditingAsset()->GetPathName().c_str(), Editor->GetEditorName().c_str(), IsInFront(*Editor) ? " (foreground)" : "");
	}
}
