#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

/**
 * A program started with its standard output and error captured (input is
 * /dev/null). Waits are bounded so a hung program fails a test instead of
 * hanging it; the destructor kills a program still running.
 */
class FChildProcess
{
public:
	FChildProcess(const std::string& Program, const std::vector<std::string>& Arguments);
	~FChildProcess();
	FChildProcess(const FChildProcess&) = delete;
	FChildProcess& operator=(const FChildProcess&) = delete;

	/** Reads standard output until a line containing Text arrives; that line, or nothing on timeout or exit. */
	std::optional<std::string> WaitForOutputLine(const std::string& Text, std::chrono::milliseconds Timeout);
	void Signal(int SignalNumber);
	/** Waits for the exit and reads the rest of both outputs; the exit code, or nothing on timeout or a signal death. */
	std::optional<int> WaitForExit(std::chrono::milliseconds Timeout);

	const std::string& Output() const { return StandardOutput; }
	const std::string& Errors() const { return StandardError; }

private:
	/** Moves whatever is readable now into the two strings; false once both pipes are closed. */
	bool Drain(std::chrono::milliseconds Wait);

	pid_t Pid = -1;
	int OutputPipe = -1;
	int ErrorPipe = -1;
	std::string StandardOutput;
	std::string StandardError;
	std::size_t OutputScanned = 0;
};

/** Runs a program to its end (30 s at most). */
struct FProgramResult
{
	std::optional<int> ExitCode;
	std::string Output;
	std::string Errors;
};
FProgramResult RunProgram(const std::string& Program, const std::vector<std::string>& Arguments);
