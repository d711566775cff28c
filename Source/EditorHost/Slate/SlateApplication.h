#pragma once

#include <chrono>
#include <memory>

class FGameThread;
class FGlobalTabmanager;

/**
 * The editor's UI application: it exists while the editor host does, and owns what every
 * window shares, the global tab manager among them. Widget timers run on its game thread's
 * timers. Game thread only.
 */
class FSlateApplication
{
public:
	explicit FSlateApplication(FGameThread& InGameThread);
	~FSlateApplication();
	FSlateApplication(const FSlateApplication&) = delete;
	FSlateApplication& operator=(const FSlateApplication&) = delete;

	/** Whether a UI application runs (there is none outside an editor host). */
	static bool IsInitialized();
	static FSlateApplication& Get();

	FGameThread& GetGameThread() const { return GameThread; }
	/** Seconds since the application started. */
	double GetCurrentTime() const;
	const std::shared_ptr<FGlobalTabmanager>& GetGlobalTabManager() const { return GlobalTabManager; }

private:
	FGameThread& GameThread;
	std::chrono::steady_clock::time_point StartTime;
	std::shared_ptr<FGlobalTabmanager> GlobalTabManager;
};
