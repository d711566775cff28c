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

namespace
{
	bool IsBlank(char Character)
	{
		return Character == ' ' || Character == '\t' || Character == '\r' || Character == '\n';
	}

	/** The words of the line, in order, without the blanks between them. */
	std::vector<std::string_view> SplitWords(std::string_view Line)
	{
		std::vector<std::string_view> Words;
		auto Cursor = Line.begin();
		while (true)
		{
			const auto First = std::find_if_not(Cursor, Line.end(), IsBlank);
			if (First == Line.end())
			{
				return Words;
			}
			Cursor = std::find_if(First, Line.end(), IsBlank);
			Words.emplace_back(First, Cursor);
		}
	}
}

bool FConsoleManager::RegisterConsoleCommand(std::string_view Name, std::string_view Help, FCommandAction Action)
{
	if (!Action)
	{
		return false;
	}
	return RegisterConsoleCommand(Name, Help, [Action = std::move(Action)](const std::vector<std::string>&) { Action(); });
}

bool FConsoleManager::RegisterConsoleCommand(std::string_view Name, std::string_view Help, FCommandWithArgsAction Action)
{
	// A name holding blanks could never be typed as one word.
	const std::vector<std::string_view> NameWords = SplitWords(Name);
	if (!Action || NameWords.size() != 1 || NameWords.front().size() != Name.size())
	{
		return false;
	}
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
	const std::vector<std::string_view> Words = SplitWords(Line);
	if (Words.empty())
	{
		return false;
	}

	FCommandWithArgsAction Action;
	{
		const std::lock_guard Lock(Mutex);
		const auto Found = Commands.find(Key(Words.front()));
		if (Found == Commands.end())
		{
			return false;
		}
		Action = Found->second.Action;
	}
	// Run outside the lock: the action may register or run other commands.
	Action(std::vector<std::string>(Words.begin() + 1, Words.end()));
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
	bRegistered = FConsoleManager::Get().RegisterConsoleCommand(Name, Help, std::move(Action));
}

FAutoConsoleCommand::FAutoConsoleCommand(std::string_view InName, std::string_view Help, FConsoleManager::FCommandWithArgsAction Action)
	: Name(InName)
{
	bRegistered = FConsoleManager::Get().RegisterConsoleCommand(Name, Help, std::move(Action));
}

FAutoConsoleCommand::~FAutoConsoleCommand()
{
	if (bRegistered)
	{
		FConsoleManager::Get().UnregisterConsoleCommand(Name);
	}
}
