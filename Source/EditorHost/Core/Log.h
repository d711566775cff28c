#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** How important a log line is; a category writes the lines at or above its level. */
enum class ELogVerbosity : uint8_t
{
	NoLogging,
	Error,
	Warning,
	Display,
	Log,
	Verbose,
	VeryVerbose
};

std::string_view LexToString(ELogVerbosity Verbosity);
/** Parses a verbosity name, ignoring letter case ("warning", "VeryVerbose"). */
std::optional<ELogVerbosity> ParseLogVerbosity(std::string_view Name);

/** A named log category with its current level. Categories register themselves. */
class FLogCategory
{
public:
	FLogCategory(std::string_view Name, ELogVerbosity DefaultVerbosity);
	~FLogCategory();
	FLogCategory(const FLogCategory&) = delete;
	FLogCategory& operator=(const FLogCategory&) = delete;

	std::string_view GetCategoryName() const { return Name; }
	ELogVerbosity GetDefaultVerbosity() const { return DefaultVerbosity; }
	ELogVerbosity GetVerbosity() const { return Verbosity.load(std::memory_order_relaxed); }
	void SetVerbosity(ELogVerbosity NewVerbosity);
	bool IsSuppressed(ELogVerbosity Verbosity) const { return Verbosity == ELogVerbosity::NoLogging || Verbosity > GetVerbosity(); }

private:
	std::string Name;
	ELogVerbosity DefaultVerbosity;
	std::atomic<ELogVerbosity> Verbosity;
};

/** One written line, as the capture keeps it. */
struct FLogLine
{
	std::string Category;
	ELogVerbosity Verbosity = ELogVerbosity::Log;
	std::string Message;
};

/**
 * The process-wide log: lines go to stderr (unless turned off) and to every
 * live capture. Safe to call from any thread.
 */
class FLog
{
public:
	static void Write(const FLogCategory& Category, ELogVerbosity Verbosity, std::string_view Message);
	static void Logf(const FLogCategory& Category, ELogVerbosity Verbosity, const char* Format, ...)
		__attribute__((format(printf, 3, 4)));

	/** Sets the level of every registered category (the program's --log-level). */
	static void SetAllVerbosity(ELogVerbosity Verbosity);
	/** Restores every registered category to its default level. */
	static void ResetAllVerbosity();
	static void SetStderrEnabled(bool bEnabled);
};

/** Collects the lines written while it lives; tests read them. */
class FLogCapture
{
public:
	FLogCapture();
	~FLogCapture();
	FLogCapture(const FLogCapture&) = delete;
	FLogCapture& operator=(const FLogCapture&) = delete;

	std::vector<FLogLine> Lines() const;
	/** The messages of one category, in order. */
	std::vector<std::string> Messages(std::string_view Category) const;
	/** How many lines of any category carry exactly this message. */
	std::size_t Count(std::string_view Message) const;
	bool Contains(std::string_view Message) const { return Count(Message) > 0; }
	void Clear();

private:
	friend class FLog;
	void Append(FLogLine Line);

	mutable std::mutex Mutex;
	std::vector<FLogLine> Captured;
};

#define DECLARE_LOG_CATEGORY_EXTERN(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                       \
	extern struct FLogCategory##CategoryName : public FLogCategory                                             \
	{                                                                                                           \
		FLogCategory##CategoryName() : FLogCategory(#CategoryName, ELogVerbosity::DefaultVerbosity) {}         \
	} CategoryName

#define DEFINE_LOG_CATEGORY(CategoryName) FLogCategory##CategoryName CategoryName

/** printf-style logging: UE_LOG(LogKorvane, Warning, "Missing %s", Path.c_str()). */
#define UE_LOG(CategoryName, Verbosity, Format, ...)                                                              \
	do                                                                                                          \
	{                                                                                                           \
		if (!(CategoryName).IsSuppressed(ELogVerbosity::Verbosity))                                            \
		{                                                                                                       \
			FLog::Logf((CategoryName), ELogVerbosity::Verbosity, Format __VA_OPT__(, ) __VA_ARGS__);           \
		}                                                                                                       \
	} while (false)
