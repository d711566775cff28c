#pragma once

#include <cstdint>
#include <string>
#include <vector>

/** How serious a compiler message is, with the editor's values. */
enum class EMessageSeverity : uint8_t
{
	Error = 1,
	PerformanceWarning = 2,
	Warning = 3,
	Info = 4,
};

struct FCompilerResultsMessage
{
	EMessageSeverity Severity;
	std::string Text;
};

/** The messages of one compile, in the order they were found, and how many were errors and warnings. */
struct FCompilerResultsLog
{
	std::vector<FCompilerResultsMessage> Messages;
	int32_t NumErrors = 0;
	int32_t NumWarnings = 0;

	void Error(std::string Text);
	void Warning(std::string Text);
	void Note(std::string Text);
};
