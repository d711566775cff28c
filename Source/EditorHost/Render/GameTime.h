#pragma once

/** Real and world time of a frame, as the editor's FGameTime (seconds since the app started). */
class FGameTime
{
public:
	FGameTime() = default;
	static FGameTime CreateUndilated(double InRealTimeSeconds, float InDeltaRealTimeSeconds);
	/** The time now: the seconds since the application started, with no delta. */
	static FGameTime GetTimeSinceAppStart();

	double GetRealTimeSeconds() const { return RealTimeSeconds; }
	float GetDeltaRealTimeSeconds() const { return DeltaRealTimeSeconds; }
	double GetWorldTimeSeconds() const { return RealTimeSeconds; }
	float GetDeltaWorldTimeSeconds() const { return DeltaRealTimeSeconds; }

private:
	double RealTimeSeconds = 0.0;
	float DeltaRealTimeSeconds = 0.0f;
};
