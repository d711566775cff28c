#include "Render/GameTime.h"

#include <chrono>

namespace
{
	/** When the application started, as far as frame times go: the first time anything asks. */
	const std::chrono::steady_clock::time_point AppStartTime = std::chrono::steady_clock::now();
}

FGameTime FGameTime::CreateUndilated(double InRealTimeSeconds, float InDeltaRealTimeSeconds)
{
	FGameTime Time;
	Time.RealTimeSeconds = InRealTimeSeconds;
	Time.DeltaRealTimeSeconds = InDeltaRealTimeSeconds;
	return Time;
}

FGameTime FGameTime::GetTimeSinceAppStart()
{
	const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - AppStartTime;
	return CreateUndilated(Elapsed.count(), 0.0f);
}
