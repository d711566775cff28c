#pragma once

#include <memory>
#include <mutex>
#include <string>

class FGameThread;

/**
 * Reads console lines from standard input on a thread of its own and runs each on the game
 * thread. Standard input counts when it is a terminal the program has in the foreground, a
 * pipe, a socket or a file (so a supervisor or a script can type commands); at the end of the
 * input the reader stops and the program goes on serving. Lines still arriving once the reader is
 * destroyed are dropped, never posted to a game thread that is gone.
 */
class FConsoleReader
{
public:
	explicit FConsoleReader(FGameThread& GameThread);
	~FConsoleReader();
	FConsoleReader(const FConsoleReader&) = delete;
	FConsoleReader& operator=(const FConsoleReader&) = delete;

	/** Runs one console line: "help" lists the commands, anything else is a command with its arguments. */
	static void RunConsoleLine(const std::string& Line);

private:
	struct FTarget
	{
		std::mutex Mutex;
		FGameThread* GameThread = nullptr;
	};
	std::shared_ptr<FTarget> Target;
};
