#include "EditorUI/EditorUIPageActions.h"

#include "Core/JsonObject.h"
#include "Editor/AssetEditorCommands.h"
#include "Editor/AssetEditorSubsystem.h"
#include "Editor/EditorEngine.h"
#include "Editor/EditorUIModel.h"
#include "EditorUI/EditorUILog.h"
#include "Objects/Object.h"
#include "Objects/ObjectGlobals.h"
#include "Runtime/Console.h"

#include <algorithm>
#include <string>

namespace
{
	/** Longer lines are refused: no console command of the editor takes that much. */
	constexpr std::size_t MaxConsoleLineBytes = 4096;

	std::shared_ptr<FJsonObject> Succeeded()
	{
		auto Result = std::make_shared<FJsonObject>();
		Result->SetBoolField("success", true);
		return Result;
	}

	std::shared_ptr<FJsonObject> Failed(std::string_view Message)
	{
		auto Result = std::make_shared<FJsonObject>();
		Result->SetBoolField("success", false);
		Result->SetStringField("error", Message);
		return Result;
	}

	std::string Trimmed(std::string_view Text)
	{
		const std::size_t First = Text.find_first_not_of(" \t");
		if (First == std::string_view::npos)
		{
			return {};
		}
		return std::string(Text.substr(First, Text.find_last_not_of(" \t") - First + 1));
	}

	std::shared_ptr<FJsonObject> RunConsoleLine(const FJsonObject& Action)
	{
		const std::optional<std::string> Line = Action.TryGetStringField("command");
		if (!Line)
		{
			return Failed("Missing field 'command'.");
		}
		if (Line->size() > MaxConsoleLineBytes)
		{
			return Failed("That command is too long (at most 4096 bytes).");
		}
		if (std::any_of(Line->begin(), Line->end(), [](char Character) { return static_cast<unsigned char>(Character) < 0x20 && Character != '\t'; }))
		{
			return Failed("A console command is one line of text, without control characters.");
		}
		const std::string Command = Trimmed(*Line);
		if (Command.empty())
		{
			return Failed("Type a console command (\"help\" lists them).");
		}
		UE_LOG(LogEditorUI, Display, "Cmd: %s", Command.c_str());
		if (Command == "help")
		{
			for (const FConsoleManager::FCommandInfo& Info : FConsoleManager::Get().ListCommands())
			{
				UE_LOG(LogEditorUI, Display, "  %s  %s", Info.Name.c_str(), Info.Help.c_str());
			}
			return Succeeded();
		}
		if (!FConsoleManager::Get().ProcessUserConsoleInput(Command))
		{
			UE_LOG(LogEditorUI, Warning, "Command not recognized: %s", Command.c_str());
			return Failed("Command not recognized: " + Command);
		}
		return Succeeded();
	}

	std::shared_ptr<FJsonObject> OpenAsset(const FJsonObject& Action)
	{
		const std::optional<std::string> Path = Action.TryGetStringField("path");
		if (!Path)
		{
			return Failed("Missing field 'path'.");
		}
		const std::string ObjectPath = FAssetEditorCommands::CompleteObjectPath(*Path);
		UObject* Asset = ObjectPath.starts_with('/') ? StaticLoadObject(nullptr, ObjectPath) : nullptr;
		if (Asset == nullptr || !Asset->IsAsset())
		{
			return Failed("No asset at " + *Path + ".");
		}
		UAssetEditorSubsystem* Subsystem = GEditor != nullptr ? GEditor->GetEditorSubsystem<UAssetEditorSubsystem>() : nullptr;
		if (Subsystem == nullptr || !Subsystem->OpenEditorForAsset(Asset))
		{
			return Failed("Could not open an editor for " + ObjectPath + ".");
		}
		return Succeeded();
	}
}

std::shared_ptr<FJsonObject> RunEditorUIPageAction(const FJsonObject& Action, FEditorUIModel& Model)
{
	const std::optional<std::string> Name = Action.TryGetStringField("action");
	if (!Name)
	{
		return Failed("Missing field 'action'.");
	}
	if (*Name == "console")
	{
		return RunConsoleLine(Action);
	}
	if (*Name == "openAsset")
	{
		return OpenAsset(Action);
	}
	return Model.RunAction(Action);
}
