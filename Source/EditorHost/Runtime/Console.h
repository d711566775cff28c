#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The editor's console command registry. It is process-wide, like the editor's:
 * a module's commands exist from the moment its code is loaded, before its
 * start-up. Names compare without regard to case.
 */
class FConsoleManager
{
public:
	using FCommandAction = std::function<void()>;
	/** A command that takes the words after its name (split at blanks and tabs). */
	using FCommandWithArgsAction = std::function<void(const std::vector<std::string>& Args)>;

	struct FCommandInfo
	{
		std::string Name;
		std::string Help;
	};

	static FConsoleManager& Get();

	/** False when a command of that name exists already. */
	bool RegisterConsoleCommand(std::string_view Name, std::string_view Help, FCommandAction Action);
	bool RegisterConsoleCommand(std::string_view Name, std::string_view Help, FCommandWithArgsAction Action);
	void UnregisterConsoleCommand(std::string_view Name);

	/**
	 * Runs the command named by the first word of the line with the words after it; commands
	 * without arguments ignore them. False when no command has that name.
	 */
	bool ProcessUserConsoleInput(std::string_view Line);

	std::optional<FCommandInfo> FindCommand(std::string_view Name) const;
	/** Every command, sorted by name. */
	std::vector<FCommandInfo> ListCommands() const;

private:
	struct FCommand
	{
		std::string Name;
		std::string Help;
		FCommandWithArgsAction Action;
	};

	static std::string Key(std::string_view Name);

	mutable std::mutex Mutex;
	std::map<std::string, FCommand, std::less<>> Commands;
};

/** Registers a console command for as long as it lives (a static object of a module, or a member of its owner). */
class FAutoConsoleCommand
{
public:
	FAutoConsoleCommand(std::string_view Name, std::string_view Help, FConsoleManager::FCommandAction Action);
	FAutoConsoleCommand(std::string_view Name, std::string_view Help, FConsoleManager::FCommandWithArgsAction Action);
	~FAutoConsoleCommand();
	FAutoConsoleCommand(const FAutoConsoleCommand&) = delete;
	FAutoConsoleCommand& operator=(const FAutoConsoleCommand&) = delete;

private:
	std::string Name;
	/** False when the name was taken: the destructor then leaves the other command alone. */
	bool bRegistered = false;
};
