#include "Core/Log.h"

#include "Core/DateTime.h"
#include "Core/Text.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

namespace
{
	constexpr std::array<std::string_view, 7> VerbosityNames = {
		"NoLogging", "Error", "Warning", "Display", "Log", "Verbose", "VeryVerbose"};

	/**
	 * The process-wide log state: the registry of live categories and the output
	 * side (stderr switch and capture list, under one mutex). A function-local
	 * static, so it exists before the first category registers and outlives
	 * every category that registered.
	 */
	struct FLogState
	{
		std::mutex RegistryMutex;
		std::vector<FLogCategory*> Categories;

		std::mutex OutputMutex;
		std::vector<FLogCapture*> Captures;
		std::atomic<bool> bStderrEnabled{true};
	};

	FLogState& GetState()
	{
		static FLogState State;
		return State;
	}

	std::string FormatStderrLine(std::string_view Category, ELogVerbosity Verbosity, std::string_view Message)
	{
		const FDateTime Now = FDateTime::UtcNow();
		char Stamp[32];
		std::snprintf(Stamp, sizeof(Stamp), "[%s:%03d]", Now.ToString().c_str(), Now.GetMillisecond());

		std::string Line(Stamp);
		Line.append(Category);
		Line.append(": ");
		if (Verbosity != ELogVerbosity::Log)
		{
			Line.append(LexToString(Verbosity));
			Line.append(": ");
		}
		Line.append(Message);
		Line.push_back('\n');
		return Line;
	}

	std::string FormatV(const char* Format, va_list Args)
	{
		std::array<char, 512> Buffer;
		va_list Copy;
		va_copy(Copy, Args);
		const int Needed = std::vsnprintf(Buffer.data(), Buffer.size(), Format, Copy);
		va_end(Copy);
		if (Needed < 0)
		{
			return {};
		}
		if (static_cast<std::size_t>(Needed) < Buffer.size())
		{
			return std::string(Buffer.data(), static_cast<std::size_t>(Needed));
		}
		std::string Result(static_cast<std::size_t>(Needed), '\0');
		std::vsnprintf(Result.data(), Result.size() + 1, Format, Args);
		return Result;
	}
}

std::string_view LexToString(ELogVerbosity Verbosity)
{
	const auto Index = static_cast<std::size_t>(Verbosity);
	return Index < VerbosityNames.size() ? VerbosityNames[Index] : std::string_view("Unknown");
}

std::optional<ELogVerbosity> ParseLogVerbosity(std::string_view Name)
{
	for (std::size_t Index = 0; Index < VerbosityNames.size(); ++Index)
	{
		if (Text::EqualsIgnoreCase(Name, VerbosityNames[Index]))
		{
			return static_cast<ELogVerbosity>(Index);
		}
	}
	return std::nullopt;
}

FLogCategory::FLogCategory(std::string_view InName, ELogVerbosity InDefaultVerbosity)
	: Name(InName)
	, DefaultVerbosity(InDefaultVerbosity)
	, Verbosity(InDefaultVerbosity)
{
	FLogState& State = GetState();
	std::lock_guard Lock(State.RegistryMutex);
	State.Categories.push_back(this);
}

FLogCategory::~FLogCategory()
{
	FLogState& State = GetState();
	std::lock_guard Lock(State.RegistryMutex);
	std::erase(State.Categories, this);
}

void FLogCategory::SetVerbosity(ELogVerbosity NewVerbosity)
{
	Verbosity.store(NewVerbosity, std::memory_order_relaxed);
}

void FLog::Write(const FLogCategory& Category, ELogVerbosity Verbosity, std::string_view Message)
{
	if (Category.IsSuppressed(Verbosity))
	{
		return;
	}
	FLogState& State = GetState();
	std::lock_guard Lock(State.OutputMutex);
	if (State.bStderrEnabled.load(std::memory_order_relaxed))
	{
		const std::string Line = FormatStderrLine(Category.GetCategoryName(), Verbosity, Message);
		std::fwrite(Line.data(), 1, Line.size(), stderr);
	}
	for (FLogCapture* Capture : State.Captures)
	{
		Capture->Append(FLogLine{std::string(Category.GetCategoryName()), Verbosity, std::string(Message)});
	}
}

void FLog::Logf(const FLogCategory& Category, ELogVerbosity Verbosity, const char* Format, ...)
{
	if (Category.IsSuppressed(Verbosity))
	{
		return;
	}
	va_list Args;
	va_start(Args, Format);
	const std::string Message = FormatV(Format, Args);
	va_end(Args);
	Write(Category, Verbosity, Message);
}

void FLog::SetAllVerbosity(ELogVerbosity Verbosity)
{
	FLogState& State = GetState();
	std::lock_guard Lock(State.RegistryMutex);
	for (FLogCategory* Category : State.Categories)
	{
		Category->SetVerbosity(Verbosity);
	}
}

void FLog::ResetAllVerbosity()
{
	FLogState& State = GetState();
	std::lock_guard Lock(State.RegistryMutex);
	for (FLogCategory* Category : State.Categories)
	{
		Category->SetVerbosity(Category->GetDefaultVerbosity());
	}
}

void FLog::SetStderrEnabled(bool bEnabled)
{
	GetState().bStderrEnabled.store(bEnabled, std::memory_order_relaxed);
}

FLogCapture::FLogCapture()
{
	FLogState& State = GetState();
	std::lock_guard Lock(State.OutputMutex);
	State.Captures.push_back(this);
}

FLogCapture::~FLogCapture()
{
	FLogState& State = GetState();
	std::lock_guard Lock(State.OutputMutex);
	std::erase(State.Captures, this);
}

std::vector<FLogLine> FLogCapture::Lines() const
{
	std::lock_guard Lock(Mutex);
	return Captured;
}

std::vector<std::string> FLogCapture::Messages(std::string_view Category) const
{
	std::lock_guard Lock(Mutex);
	std::vector<std::string> Result;
	for (const FLogLine& Line : Captured)
	{
		if (Line.Category == Category)
		{
			Result.push_back(Line.Message);
		}
	}
	return Result;
}

std::size_t FLogCapture::Count(std::string_view Message) const
{
	std::lock_guard Lock(Mutex);
	return static_cast<std::size_t>(std::count_if(Captured.begin(), Captured.end(), [Message](const FLogLine& Line) { return Line.Message == Message; }));
}

void FLogCapture::Clear()
{
	std::lock_guard Lock(Mutex);
	Captured.clear();
}

void FLogCapture::Append(FLogLine Line)
{
	std::lock_guard Lock(Mutex);
	Captured.push_back(std::move(Line));
}
