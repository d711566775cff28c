#include "Runtime/GameThread.h"

#include "Core/Log.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <unordered_map>

DECLARE_LOG_CATEGORY_EXTERN(LogGameThread, Log, All);
DEFINE_LOG_CATEGORY(LogGameThread);

namespace
{
	struct FTimer
	{
		FTimer(boost::asio::io_context& IoContext, std::chrono::milliseconds InDelay, bool bInLoop, std::function<void()> InCallback)
			: Timer(IoContext, InDelay), Delay(InDelay), bLoop(bInLoop), Callback(std::move(InCallback))
		{
		}

		boost::asio::steady_timer Timer;
		std::chrono::milliseconds Delay;
		bool bLoop;
		std::function<void()> Callback;
	};
}

struct FGameThread::FImpl
{
	/** Declared first so that it outlives the timers that wait on it. */
	boost::asio::io_context IoContext{1};
	/** Keeps Run blocking while there is nothing to do. */
	boost::asio::executor_work_guard<boost::asio::io_context::executor_type> WorkGuard = boost::asio::make_work_guard(IoContext);
	std::thread::id CreatingThread = std::this_thread::get_id();
	/** The thread inside Run, RunUntilIdle or RunUntil; empty while nobody runs the loop. */
	std::atomic<std::thread::id> LoopThread;
	std::unordered_map<uint64_t, std::unique_ptr<FTimer>> Timers;
	uint64_t NextTimerId = 1;

	void Arm(uint64_t Id, FTimer& Timer)
	{
		Timer.Timer.async_wait([this, Id](const boost::system::error_code& Error) { OnTimer(Id, Error); });
	}

	void OnTimer(uint64_t Id, const boost::system::error_code& Error)
	{
		const auto Found = Timers.find(Id);
		if (Error || Found == Timers.end())
		{
			return;
		}
		FTimer& Timer = *Found->second;
		std::function<void()> Callback;
		if (Timer.bLoop)
		{
			// Re-arm before calling so that a throwing callback keeps its cadence and a
			// callback that clears its own timer cancels the next wait.
			Timer.Timer.expires_at(std::max(Timer.Timer.expiry() + Timer.Delay, boost::asio::steady_timer::clock_type::now()));
			Arm(Id, Timer);
			Callback = Timer.Callback;
		}
		else
		{
			Callback = std::move(Timer.Callback);
			Timers.erase(Found);
		}
		Callback();
	}

	/** Calls one of the loop's run functions; false when a task threw, which is logged. */
	template <typename FRunFunction>
	static bool RunCatching(FRunFunction&& RunFunction)
	{
		try
		{
			RunFunction();
			return true;
		}
		catch (const std::exception& Exception)
		{
			UE_LOG(LogGameThread, Error, "A game thread task threw: %s", Exception.what());
		}
		catch (...)
		{
			UE_LOG(LogGameThread, Error, "A game thread task threw a non-standard exception");
		}
		return false;
	}
};

namespace
{
	/** Makes the calling thread the game thread for its lifetime. */
	class FScopedLoopThread
	{
	public:
		explicit FScopedLoopThread(std::atomic<std::thread::id>& InLoopThread)
			: LoopThread(InLoopThread), Previous(InLoopThread.exchange(std::this_thread::get_id()))
		{
		}
		~FScopedLoopThread() { LoopThread.store(Previous); }
		FScopedLoopThread(const FScopedLoopThread&) = delete;
		FScopedLoopThread& operator=(const FScopedLoopThread&) = delete;

	private:
		std::atomic<std::thread::id>& LoopThread;
		std::thread::id Previous;
	};
}

FGameThread::FGameThread()
	: Impl(std::make_unique<FImpl>())
{
}

FGameThread::~FGameThread() = default;

void FGameThread::Post(std::function<void()> Task)
{
	boost::asio::post(Impl->IoContext, std::move(Task));
}

FTimerHandle FGameThread::SetTimer(std::chrono::milliseconds Delay, bool bLoop, std::function<void()> Callback)
{
	const uint64_t Id = Impl->NextTimerId++;
	auto Timer = std::make_unique<FTimer>(Impl->IoContext, Delay, bLoop, std::move(Callback));
	Impl->Arm(Id, *Timer);
	Impl->Timers.emplace(Id, std::move(Timer));
	return FTimerHandle{Id};
}

void FGameThread::ClearTimer(FTimerHandle& Handle)
{
	// Erasing is enough: a wait that already completed finds no timer and does nothing.
	Impl->Timers.erase(Handle.Id);
	Handle = FTimerHandle{};
}

void FGameThread::Run()
{
	FScopedLoopThread Scope(Impl->LoopThread);
	// A task that throws leaves the loop; the rest of the queue is still there to run.
	while (!FImpl::RunCatching([this] { Impl->IoContext.run(); }))
	{
	}
	// Ready for another Run; a Stop that came before this Run made it return at once.
	Impl->IoContext.restart();
}

void FGameThread::RunUntilIdle()
{
	FScopedLoopThread Scope(Impl->LoopThread);
	if (Impl->IoContext.stopped())
	{
		Impl->IoContext.restart();
	}
	while (!FImpl::RunCatching([this] { Impl->IoContext.poll(); }))
	{
	}
}

bool FGameThread::RunUntil(const std::function<bool()>& IsDone, std::chrono::steady_clock::time_point Deadline)
{
	FScopedLoopThread Scope(Impl->LoopThread);
	while (!IsDone())
	{
		if (Impl->IoContext.stopped() || std::chrono::steady_clock::now() >= Deadline)
		{
			return false;
		}
		FImpl::RunCatching([this, Deadline] { Impl->IoContext.run_one_until(Deadline); });
	}
	return true;
}

void FGameThread::Stop()
{
	Impl->IoContext.stop();
}

bool FGameThread::IsInGameThread() const
{
	const std::thread::id LoopThread = Impl->LoopThread.load();
	const std::thread::id Current = std::this_thread::get_id();
	return LoopThread == std::thread::id{} ? Current == Impl->CreatingThread : Current == LoopThread;
}

boost::asio::io_context& FGameThread::GetIoContext()
{
	return Impl->IoContext;
}
