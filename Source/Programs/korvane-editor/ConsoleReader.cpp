#include "ConsoleReader.h"

#include "Core/LogHost.h"
#include "Runtime/Console.h"
#include "Runtime/GameThread.h"

#include <iostream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
	/**
	 * A terminal the program has in the foreground, a pipe, a socket (supervisors such as Node's
	 * child processes hand over a socket pair) or a file; not /dev/null or a background job's terminal.
	 */
	bool StandardInputCarriesConsoleLines()
	{
		if (isatty(STDIN_FILENO))
		{
			return tcgetpgrp(STDIN_FILENO) == getpgrp();
		}
		struct stat Status
		{
		};
		return fstat(STDIN_FILENO, &Status) == 0 && (S_ISFIFO(Status.st_mode) || S_ISSOCK(Status.st_mode) || S_ISREG(Status.st_mode));
	}
}

FConsoleReader::FConsoleReader(FGameThread& GameThread)
	: Target(std::make_shared<FTarget>())
{
	if (!StandardInputCarriesConsoleLines())
	{
		return;
	}
	Target->GameThread = &GameThread;
	// Detached: a thread blocked reading a terminal cannot be woken; the shared target outlives it.
	std::thread([Target = Target]() {
		std::string Line;
		while (std::getline(std::cin, Line))
		{
			const std::lock_guard Lock(Target->Mutex);
			if (Target->GameThread == nullptr)
			{
				return;
			}
			Target->GameThread->Post([Line]() { RunConsoleLine(Line); });
		}
		UE_LOG(LogHost, Log, "Console input ended; serving on");
	}).detach();
}

FConsoleReader::~FConsoleReader()
{
	const std::lock_guard Lock(Target->Mutex);
	Target->GameThread = nullptr;
}

void FConsoleReader::RunConsoleLine(const std::string& Line)
{
	const std::size_t First = Line.find_first_not_of(" \t\r");
	if (First == std::string::npos)
	{
		return;
	}
	const std::size_t Last = Line.find_last_not_of(" \t\r");
	const std::string Command = Line.substr(First, Last - First + 1);
	if (Command == "help")
	{
		for (const FConsoleManager::FCommandInfo& Info : FConsoleManager::Get().ListCommands())
		{
			std::cout << "  " << Info.Name << "  " << Info.Help << std::endl;
		}
		return;
	}
	if (!FConsoleManager::Get().ProcessUserConsoleInput(Command))
	{
		std::cout << "Unknown console command: " << Command << " (type \"help\" for the list)" << std::endl;
	}
}
