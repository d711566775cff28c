#include "Runtime/Console.h"

#include <algorithm>
#include <cctype>

FConsoleManager& FConsoleManager::Get()
{
	static FConsoleManager Manager;
	return Manager;
}

std::string FConsoleManager::Key(std::string_view Name)
{
	std::string Lower(Name);
	std::transform(Lower.begin(), Lower.end(), Lower.begin(), [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
	return Lower;
}

bool FConsoleManager::RegisterConsoleCommand(std::string_view Name, std::string_view Help, FCommandAction Action)
{
	const std::lock_guard Lock(Mutex);
	return Commands.try_emplace(Key(Name), FCommand{std::string(Name), std::string(Help), std::move(Action)}).second;
}

void FConsoleManager::UnregisterConsoleCommand(std::string_view Name)
{
	const std::lock_guard Lock(Mutex);
	Commands.erase(Key(Name));
}

bool FConsoleManager::ProcessUserConsoleInput(std::string_view Line)
{
	const auto IsSpace = [](char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; };
	const auto First = std::find_if_not(Line.begin(), Line.end(), IsSpace);
	const auto Last = std::find_if(First, Line.end(), IsSpace);
	const std::string_view Name(First, Last);
	if (Name.empty())
	{
		return false;
	}

	FCommandAction Action;
	{
		const std::lock_guard Lock(Mutex);
		const auto Found = Commands.find(Key(Name));
		if (Found == Commands.end())
		{
			return false;
		}
		Action = Found->second.Action;
	}
	// Run outside the lock: the action may register or run other commands.
	Action();
	return true;
}

std::optional<FConsoleManager::FCommandInfo> FConsoleManager::FindCommand(std::string_view Name) const
{
	const std::lock_guard Lock(Mutex);
	const auto Found = Commands.find(Key(Name));
	if (Found == Commands.end())
	{
		return std::nullopt;
	}
	return FCommandInfo{Found->second.Name, Found->second.Help};
}

std::vector<FConsoleManager::FCommandInfo> FConsoleManager::ListCommands() const
{
	const std::lock_guard Lock(Mutex);
	std::vector<FCommandInfo> List;
	for (const auto& [Unused, Command] : Commands)
	{
		List.push_back({Command.Name, Command.Help});
	}
	return List;
}

FAutoConsoleCommand::FAutoConsoleCommand(std::string_view InName, std::string_view Help, FConsoleManager::FCommandAction Action)
	: Name(InName)
{
	FConsoleManager::Get().RegisterConsoleCommand(Name, Help, std::move(Action));
}

FAutoConsoleCommand::~FAutoConsoleCommand()
{
	FConsoleManager::Get().UnregisterConsoleCommand(Name);
}
