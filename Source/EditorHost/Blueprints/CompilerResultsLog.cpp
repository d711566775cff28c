#include "Blueprints/CompilerResultsLog.h"

void FCompilerResultsLog::Error(std::string Text)
{
	Messages.push_back({EMessageSeverity::Error, std::move(Text)});
	++NumErrors;
}

void FCompilerResultsLog::Warning(std::string Text)
{
	Messages.push_back({EMessageSeverity::Warning, std::move(Text)});
	++NumWarnings;
}

void FCompilerResultsLog::Note(std::string Text)
{
	Messages.push_back({EMessageSeverity::Info, std::move(Text)});
}
