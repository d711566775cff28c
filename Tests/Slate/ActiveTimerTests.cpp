#include "Runtime/GameThread.h"
#include "Slate/SlateApplication.h"
#include "Slate/TextBlock.h"

#include <gtest/gtest.h>

namespace
{
	using namespace std::chrono_literals;

	class ActiveTimers : public ::testing::Test
	{
	protected:
		FGameThread GameThread;
		FSlateApplication Application{GameThread};

		/** Runs the game thread until the condition holds, for at most two seconds. */
		bool RunUntil(const std::function<bool()>& Condition)
		{
			return GameThread.RunUntil(Condition, std::chrono::steady_clock::now() + 2s);
		}

		/** Runs the game thread for a while. */
		void RunFor(std::chrono::milliseconds Duration)
		{
			GameThread.RunUntil([]() { return false; }, std::chrono::steady_clock::now() + Duration);
		}
	};
}

TEST_F(ActiveTimers, ATimerRunsEveryPeriodUntilItAsksToStop)
{
	const auto Widget = SNew(STextBlock);
	int Calls = 0;
	float LastDelta = 0.0f;
	const std::shared_ptr<FActiveTimerHandle> Handle = Widget->RegisterActiveTimer(0.02f, FWidgetActiveTimerDelegate::CreateLambda([&](double, float DeltaTime) {
		LastDelta = DeltaTime;
		return ++Calls < 3 ? EActiveTimerReturnType::Continue : EActiveTimerReturnType::Stop;
	}));
	EXPECT_EQ(Calls, 0) << "the first call comes one period later";
	EXPECT_TRUE(Handle->IsActive());

	ASSERT_TRUE(RunUntil([&Calls]() { return Calls == 3; }));
	EXPECT_GT(LastDelta, 0.0f);
	EXPECT_FALSE(Handle->IsActive());
	EXPECT_EQ(Widget->GetNumActiveTimers(), 0u);
	RunFor(80ms);
	EXPECT_EQ(Calls, 3) << "a stopped timer is not called again";
}

TEST_F(ActiveTimers, ATimerEndsWithItsWidgetAndWhenUnregistered)
{
	int DeadCalls = 0;
	{
		const auto Widget = SNew(STextBlock);
		Widget->RegisterActiveTimer(0.02f, FWidgetActiveTimerDelegate::CreateLambda([&DeadCalls](double, float) {
			++DeadCalls;
			return EActiveTimerReturnType::Continue;
		}));
	}
	const auto Kept = SNew(STextBlock);
	int KeptCalls = 0;
	const auto Handle = Kept->RegisterActiveTimer(0.02f, FWidgetActiveTimerDelegate::CreateLambda([&KeptCalls](double, float) {
		++KeptCalls;
		return EActiveTimerReturnType::Continue;
	}));
	ASSERT_TRUE(RunUntil([&KeptCalls]() { return KeptCalls >= 2; }));
	EXPECT_EQ(DeadCalls, 0) << "the widget died before its first tick";

	Kept->UnRegisterActiveTimer(Handle);
	const int CallsWhenUnregistered = KeptCalls;
	RunFor(80ms);
	EXPECT_EQ(KeptCalls, CallsWhenUnregistered);
}

TEST_F(ActiveTimers, APeriodBelowOneFrameCountsAsOneFrame)
{
	const auto Widget = SNew(STextBlock);
	int Calls = 0;
	Widget->RegisterActiveTimer(std::numeric_limits<float>::quiet_NaN(), FWidgetActiveTimerDelegate::CreateLambda([&Calls](double, float) {
		++Calls;
		return EActiveTimerReturnType::Continue;
	}));
	Widget->RegisterActiveTimer(-1.0f, FWidgetActiveTimerDelegate::CreateLambda([&Calls](double, float) {
		++Calls;
		return EActiveTimerReturnType::Continue;
	}));
	RunFor(100ms);
	// Two timers of one frame each tick about 12 times in 100 ms; an unclamped period would tick thousands of times.
	EXPECT_GE(Calls, 2);
	EXPECT_LE(Calls, 20);
}

TEST(ActiveTimersWithoutApplication, NeverRun)
{
	FGameThread GameThread;
	const auto Widget = SNew(STextBlock);
	int Calls = 0;
	const auto Handle = Widget->RegisterActiveTimer(0.01f, FWidgetActiveTimerDelegate::CreateLambda([&Calls](double, float) {
		++Calls;
		return EActiveTimerReturnType::Continue;
	}));
	GameThread.RunUntil([]() { return false; }, std::chrono::steady_clock::now() + std::chrono::milliseconds(50));
	EXPECT_EQ(Calls, 0);
	EXPECT_FALSE(Handle->IsActive());
}
