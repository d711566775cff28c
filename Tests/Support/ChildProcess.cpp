#include "Support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

FChildProcess::FChildProcess(const std::string& Program, const std::vector<std::string>& Arguments, EChildInput Input)
{
	int Output[2];
	int Error[2];
	// Close-on-exec, so no other child inherits these ends (an inherited input end would keep the input from ending).
	int InputEnds[2] = {-1, -1};
	if (pipe2(Output, O_CLOEXEC) != 0 || pipe2(Error, O_CLOEXEC) != 0 || (Input == EChildInput::Pipe && pipe2(InputEnds, O_CLOEXEC) != 0))
	{
		throw std::runtime_error("pipe failed");
	}
	// A write to a child that has gone fails with EPIPE instead of ending the test program.
	std::signal(SIGPIPE, SIG_IGN);
	Pid = fork();
	if (Pid == 0)
	{
		const int InputEnd = Input == EChildInput::Pipe ? InputEnds[0] : open("/dev/null", O_RDONLY);
		dup2(InputEnd, STDIN_FILENO);
		dup2(Output[1], STDOUT_FILENO);
		dup2(Error[1], STDERR_FILENO);
		close(Output[0]);
		close(Error[0]);
		std::vector<char*> Argv;
		Argv.push_back(const_cast<char*>(Program.c_str()));
		for (const std::string& Argument : Arguments)
		{
			Argv.push_back(const_cast<char*>(Argument.c_str()));
		}
		Argv.push_back(nullptr);
		execv(Program.c_str(), Argv.data());
		_exit(127);
	}
	close(Output[1]);
	close(Error[1]);
	OutputPipe = Output[0];
	ErrorPipe = Error[0];
	if (Input == EChildInput::Pipe)
	{
		close(InputEnds[0]);
		InputPipe = InputEnds[1];
	}
}

FChildProcess::~FChildProcess()
{
	if (Pid > 0)
	{
		kill(Pid, SIGKILL);
		waitpid(Pid, nullptr, 0);
	}
	if (OutputPipe >= 0)
	{
		close(OutputPipe);
	}
	if (ErrorPipe >= 0)
	{
		close(ErrorPipe);
	}
	CloseInput();
}

bool FChildProcess::Drain(std::chrono::milliseconds Wait)
{
	pollfd Descriptors[2] = {{OutputPipe, POLLIN, 0}, {ErrorPipe, POLLIN, 0}};
	if (OutputPipe < 0 && ErrorPipe < 0)
	{
		return false;
	}
	if (poll(Descriptors, 2, static_cast<int>(Wait.count())) <= 0)
	{
		return true;
	}
	const auto ReadInto = [](int& Pipe, short Events, std::string& Into) {
		if (Pipe < 0 || (Events & (POLLIN | POLLHUP)) == 0)
		{
			return;
		}
		char Buffer[4096];
		const ssize_t Count = read(Pipe, Buffer, sizeof(Buffer));
		if (Count > 0)
		{
			Into.append(Buffer, static_cast<std::size_t>(Count));
		}
		else
		{
			close(Pipe);
			Pipe = -1;
		}
	};
	ReadInto(OutputPipe, Descriptors[0].revents, StandardOutput);
	ReadInto(ErrorPipe, Descriptors[1].revents, StandardError);
	return OutputPipe >= 0 || ErrorPipe >= 0;
}

std::optional<std::string> FChildProcess::WaitForOutputLine(const std::string& Text, std::chrono::milliseconds Timeout)
{
	return WaitForLine(StandardOutput, OutputScanned, Text, Timeout);
}

std::optional<std::string> FChildProcess::WaitForErrorLine(const std::string& Text, std::chrono::milliseconds Timeout)
{
	return WaitForLine(StandardError, ErrorScanned, Text, Timeout);
}

std::optional<std::string> FChildProcess::WaitForLine(const std::string& Stream, std::size_t& Scanned, const std::string& Text, std::chrono::milliseconds Timeout)
{
	const auto Deadline = std::chrono::steady_clock::now() + Timeout;
	for (;;)
	{
		std::size_t LineEnd;
		while ((LineEnd = Stream.find('\n', Scanned)) != std::string::npos)
		{
			const std::string Line = Stream.substr(Scanned, LineEnd - Scanned);
			Scanned = LineEnd + 1;
			if (Line.find(Text) != std::string::npos)
			{
				return Line;
			}
		}
		if (std::chrono::steady_clock::now() >= Deadline || !Drain(std::chrono::milliseconds(50)))
		{
			return std::nullopt;
		}
	}
}

bool FChildProcess::WriteInput(std::string_view Text)
{
	while (InputPipe >= 0 && !Text.empty())
	{
		const ssize_t Written = write(InputPipe, Text.data(), Text.size());
		if (Written < 0 && errno == EINTR)
		{
			continue;
		}
		if (Written <= 0)
		{
			return false;
		}
		Text.remove_prefix(static_cast<std::size_t>(Written));
	}
	return InputPipe >= 0;
}

void FChildProcess::CloseInput()
{
	if (InputPipe >= 0)
	{
		close(InputPipe);
		InputPipe = -1;
	}
}

void FChildProcess::Signal(int SignalNumber)
{
	if (Pid > 0)
	{
		kill(Pid, SignalNumber);
	}
}

std::optional<int> FChildProcess::WaitForExit(std::chrono::milliseconds Timeout)
{
	const auto Deadline = std::chrono::steady_clock::now() + Timeout;
	while (Drain(std::chrono::milliseconds(50)))
	{
		if (std::chrono::steady_clock::now() >= Deadline)
		{
			return std::nullopt;
		}
	}
	int Status = 0;
	while (waitpid(Pid, &Status, WNOHANG) == 0)
	{
		if (std::chrono::steady_clock::now() >= Deadline)
		{
			return std::nullopt;
		}
		usleep(10'000);
	}
	Pid = -1;
	return WIFEXITED(Status) ? std::optional<int>(WEXITSTATUS(Status)) : std::nullopt;
}

FProgramResult RunProgram(const std::string& Program, const std::vector<std::string>& Arguments)
{
	FChildProcess Process(Program, Arguments);
	FProgramResult Result;
	Result.ExitCode = Process.WaitForExit(std::chrono::seconds(30));
	Result.Output = Process.Output();
	Result.Errors = Process.Errors();
	return Result;
}
