#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

/** What a child reads on standard input. */
enum class EChildInput
{
	/** /dev/null: the input ends at once. */
	Null,
	/** A pipe the test writes with WriteInput and ends with CloseInput. */
	Pipe,
};

/**
 * A program started with its standard output and error captured. Waits are
 * bounded so a hung program fails a test instead of hanging it; the destructor
 * kills a program still running.
 */
class FChildProcess
{
public:
	FChildProcess(const std::string& Program, const std::vector<std::string>& Arguments, EChildInput Input = EChildInput::Null);
	~FChildProcess();
	FChildProcess(const FChildProcess&) = delete;
	FChildProcess& operator=(const FChildProcess&) = delete;

	/** Reads standard output until a line containing Text arrives; that line, or nothing on timeout or exit. */
	std::optional<std::string> WaitForOutputLine(const std::string& Text, std::chrono::milliseconds Timeout);
	/** The same for standard error, where the log goes. */
	std::optional<std::string> WaitForErrorLine(const std::string& Text, std::chrono::milliseconds Timeout);
	/** Writes all of Text to the child's input pipe; false without a pipe or once the child stopped reading. */
	bool WriteInput(std::string_view Text);
	/** Ends the child's input. */
	void CloseInput();
	void Signal(int SignalNumber);
	/** Waits for the exit and reads the rest of both outputs; the exit code, or nothing on timeout or a signal death. */
	std::optional<int> WaitForExit(std::chrono::milliseconds Timeout);

	const std::string& Output() const { return StandardOutput; }
	const std::string& Errors() const { return StandardError; }

private:
	/** Moves whatever is readable now into the two strings; false once both pipes are closed. */
	bool Drain(std::chrono::milliseconds Wait);
	std::optional<std::string> WaitForLine(const std::string& Stream, std::size_t& Scanned, const std::string& Text, std::chrono::milliseconds Timeout);

	pid_t Pid = -1;
	int OutputPipe = -1;
	int ErrorPipe = -1;
	int InputPipe = -1;
	std::string StandardOutput;
	std::string StandardError;
	std::size_t OutputScanned = 0;
	std::size_t ErrorScanned = 0;
};

/** Runs a program to its end (30 s at most). */
struct FProgramResult
{
	std::optional<int> ExitCode;
	std::string Output;
	std::string Errors;
};
FProgramResult RunProgram(const std::string& Program, const std::vector<std::string>& Arguments);
