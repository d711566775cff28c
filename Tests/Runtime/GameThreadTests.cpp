#include "Runtime/GameThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

TEST(GameThreadTest, PostedTasksRunInOrderAndAThrowingTaskDoesNotStopTheRest)
{
	FGameThread GameThread;
	std::string Order;
	GameThread.Post([&] { Order += "a"; });
	GameThread.Post([&] { throw std::runtime_error("task failed"); });
	GameThread.Post([&] { Order += "b"; });
	GameThread.Post([&] { GameThread.Post([&] { Order += "d"; }); Order += "c"; });
	GameThread.RunUntilIdle();
	EXPECT_EQ(Order, "abcd");
}

TEST(GameThreadTest, OneShotTimerFiresOnceAndLoopingTimerUntilCleared)
{
	FGameThread GameThread;
	int OneShot = 0;
	int Looping = 0;
	FTimerHandle LoopHandle;
	GameThread.SetTimer(5ms, false, [&] { ++OneShot; });
	LoopHandle = GameThread.SetTimer(5ms, true, [&]
		{
			if (++Looping == 3)
			{
				GameThread.ClearTimer(LoopHandle);
			}
		});
	GameThread.RunUntil([] { return false; }, std::chrono::steady_clock::now() + 100ms);
	EXPECT_EQ(OneShot, 1);
	EXPECT_EQ(Looping, 3);
	EXPECT_FALSE(LoopHandle.IsValid());
}

TEST(GameThreadTest, ClearedTimerNeverFiresEvenWhenAlreadyDue)
{
	FGameThread GameThread;
	bool bFired = false;
	FTimerHandle Cancelled = GameThread.SetTimer(1ms, false, [&] { bFired = true; });
	FTimerHandle Due;
	// Both are due before the loop runs; the first clears the second.
	GameThread.SetTimer(0ms, false, [&] { GameThread.ClearTimer(Due); });
	Due = GameThread.SetTimer(1ms, false, [&] { bFired = true; });
	EXPECT_NE(Cancelled, Due);
	GameThread.ClearTimer(Cancelled);
	std::this_thread::sleep_for(10ms);
	GameThread.RunUntilIdle();
	EXPECT_FALSE(bFired);
}

TEST(GameThreadTest, ThrowingLoopTimerKeepsFiring)
{
	FGameThread GameThread;
	int Calls = 0;
	GameThread.SetTimer(2ms, true, [&]
		{
			++Calls;
			throw std::runtime_error("timer failed");
		});
	EXPECT_TRUE(GameThread.RunUntil([&] { return Calls >= 3; }, std::chrono::steady_clock::now() + 1s));
}

TEST(GameThreadTest, RunBlocksWhenIdleUntilStoppedFromAnotherThread)
{
	FGameThread GameThread;
	std::atomic<bool> bReturned = false;
	std::thread Loop([&]
		{
			GameThread.Run();
			bReturned = true;
		});
	std::this_thread::sleep_for(30ms);
	EXPECT_FALSE(bReturned);
	GameThread.Stop();
	Loop.join();
	EXPECT_TRUE(bReturned);

	// A Stop that comes before Run still makes it return; Run can then run again.
	GameThread.Stop();
	GameThread.Run();
	std::thread Again([&] { GameThread.Run(); });
	GameThread.Post([&] { GameThread.Stop(); });
	Again.join();
}

TEST(GameThreadTest, GameThreadIsTheRunningThreadOrElseTheCreator)
{
	FGameThread GameThread;
	EXPECT_TRUE(GameThread.IsInGameThread());
	bool bOtherThreadBefore = true;
	std::thread([&] { bOtherThreadBefore = GameThread.IsInGameThread(); }).join();
	EXPECT_FALSE(bOtherThreadBefore);

	std::atomic<bool> bInsideLoop = false;
	std::atomic<bool> bCreatorWhileRunning = true;
	std::thread Loop([&] { GameThread.Run(); });
	GameThread.Post([&] { bInsideLoop = GameThread.IsInGameThread(); });
	std::this_thread::sleep_for(20ms);
	bCreatorWhileRunning = GameThread.IsInGameThread();
	GameThread.Stop();
	Loop.join();
	EXPECT_TRUE(bInsideLoop);
	EXPECT_FALSE(bCreatorWhileRunning);
	EXPECT_TRUE(GameThread.IsInGameThread());
}

TEST(GameThreadTest, RunUntilReturnsWhenDoneOrAtTheDeadline)
{
	FGameThread GameThread;
	bool bDone = false;
	GameThread.SetTimer(10ms, false, [&] { bDone = true; });
	EXPECT_TRUE(GameThread.RunUntil([&] { return bDone; }, std::chrono::steady_clock::now() + 1s));

	const auto Start = std::chrono::steady_clock::now();
	EXPECT_FALSE(GameThread.RunUntil([] { return false; }, Start + 30ms));
	EXPECT_GE(std::chrono::steady_clock::now() - Start, 30ms);
}
