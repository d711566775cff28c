#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace boost::asio
{
	class io_context;
}

/** A timer scheduled on the game thread; an empty handle refers to nothing. */
struct FTimerHandle
{
	uint64_t Id = 0;
	bool IsValid() const { return Id != 0; }
	friend bool operator==(const FTimerHandle&, const FTimerHandle&) = default;
};

/**
 * The game thread: one event loop that owns all editor state. Tasks and timers
 * run on it in order; the HTTP server reads and writes on it, so route handlers
 * run on it too. Whichever thread calls Run becomes the game thread.
 */
class FGameThread
{
public:
	FGameThread();
	~FGameThread();
	FGameThread(const FGameThread&) = delete;
	FGameThread& operator=(const FGameThread&) = delete;

	/** Queues a task to run later on the game thread. Callable from any thread. */
	void Post(std::function<void()> Task);

	/** Runs Callback after Delay (and every Delay again when bLoop) until cleared. Game thread only. */
	FTimerHandle SetTimer(std::chrono::milliseconds Delay, bool bLoop, std::function<void()> Callback);
	void ClearTimer(FTimerHandle& Handle);

	/** Runs the loop on the calling thread until Stop; that thread is the game thread meanwhile. */
	void Run();
	/** Runs every task that is ready now, then returns. */
	void RunUntilIdle();
	/**
	 * Runs tasks one at a time on the calling thread until IsDone returns true or the
	 * deadline passes; returns IsDone(). For callers that need a result the loop
	 * produces later while nobody else runs the loop.
	 */
	bool RunUntil(const std::function<bool()>& IsDone, std::chrono::steady_clock::time_point Deadline);
	/** Makes Run return. Callable from any thread. */
	void Stop();

	/** True on the thread that runs the loop, and on the creating thread while nobody runs it. */
	bool IsInGameThread() const;

	/** The underlying loop, for the host's network code. */
	boost::asio::io_context& GetIoContext();

private:
	struct FImpl;
	std::unique_ptr<FImpl> Impl;
};
