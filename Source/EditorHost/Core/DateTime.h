#pragma once

#include <cstdint>
#include <string>

/** A moment in UTC with millisecond precision. */
class FDateTime
{
public:
	static FDateTime UtcNow();
	/** The moment that many milliseconds after 1970-01-01 00:00 UTC. */
	static FDateTime FromUnixMilliseconds(int64_t Milliseconds);
	FDateTime(int Year, int Month, int Day, int Hour = 0, int Minute = 0, int Second = 0, int Millisecond = 0);

	int GetYear() const { return Year; }
	int GetMonth() const { return Month; }
	int GetDay() const { return Day; }
	int GetHour() const { return Hour; }
	int GetMinute() const { return Minute; }
	int GetSecond() const { return Second; }
	int GetMillisecond() const { return Millisecond; }

	/** The editor's tick count: 100-nanosecond intervals since 0001-01-01 00:00. */
	int64_t GetTicks() const;
	friend bool operator<(const FDateTime& A, const FDateTime& B) { return A.GetTicks() < B.GetTicks(); }

	/** The editor's default form, year.month.day-hour.minute.second: 2026.12.07-04.35.19. */
	std::string ToString() const;
	/** ISO 8601 with milliseconds and Z: 2026-12-07T04:35:19.123Z. */
	std::string ToIso8601() const;

private:
	int Year, Month, Day, Hour, Minute, Second, Millisecond;
};
