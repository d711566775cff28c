#include "Core/DateTime.h"

#include <chrono>
#include <cstdio>

namespace
{
	struct FCivilDate
	{
		int Year;
		int Month;
		int Day;
	};

	/** The proleptic Gregorian date of a day count since 1970-01-01 (Howard Hinnant's civil_from_days). */
	FCivilDate CivilFromDays(int64_t Days)
	{
		Days += 719468;
		const int64_t Era = (Days >= 0 ? Days : Days - 146096) / 146097;
		const int64_t DayOfEra = Days - Era * 146097;
		const int64_t YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
		const int64_t DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
		const int64_t MonthIndex = (5 * DayOfYear + 2) / 153;
		const int Day = static_cast<int>(DayOfYear - (153 * MonthIndex + 2) / 5 + 1);
		const int Month = static_cast<int>(MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9);
		const int Year = static_cast<int>(YearOfEra + Era * 400 + (Month <= 2 ? 1 : 0));
		return {Year, Month, Day};
	}

	int64_t FloorDiv(int64_t Value, int64_t Divisor)
	{
		const int64_t Quotient = Value / Divisor;
		return (Value % Divisor != 0 && Value < 0) ? Quotient - 1 : Quotient;
	}

	/** Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil). */
	int64_t DaysFromCivil(int64_t Year, int64_t Month, int64_t Day)
	{
		Year -= Month <= 2 ? 1 : 0;
		const int64_t Era = (Year >= 0 ? Year : Year - 399) / 400;
		const int64_t YearOfEra = Year - Era * 400;
		const int64_t DayOfYear = (153 * (Month > 2 ? Month - 3 : Month + 9) + 2) / 5 + Day - 1;
		const int64_t DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
		return Era * 146097 + DayOfEra - 719468;
	}

	/** Ticks from 0001-01-01 to 1970-01-01. */
	constexpr int64_t UnixEpochTicks = 621'355'968'000'000'000;
}

FDateTime FDateTime::UtcNow()
{
	const auto SinceEpoch = std::chrono::system_clock::now().time_since_epoch();
	return FromUnixMilliseconds(std::chrono::duration_cast<std::chrono::milliseconds>(SinceEpoch).count());
}

int64_t FDateTime::GetTicks() const
{
	const int64_t Milliseconds = ((DaysFromCivil(Year, Month, Day) * 24 + Hour) * 60 + Minute) * 60'000 + Second * 1000 + Millisecond;
	return UnixEpochTicks + Milliseconds * 10'000;
}

FDateTime FDateTime::FromUnixMilliseconds(int64_t Milliseconds)
{
	const int64_t Days = FloorDiv(Milliseconds, 86'400'000);
	const int64_t MillisecondOfDay = Milliseconds - Days * 86'400'000;
	const FCivilDate Date = CivilFromDays(Days);
	const int SecondOfDay = static_cast<int>(MillisecondOfDay / 1000);
	return FDateTime(Date.Year, Date.Month, Date.Day, SecondOfDay / 3600, SecondOfDay / 60 % 60, SecondOfDay % 60,
		static_cast<int>(MillisecondOfDay % 1000));
}

FDateTime::FDateTime(int InYear, int InMonth, int InDay, int InHour, int InMinute, int InSecond, int InMillisecond)
	: Year(InYear)
	, Month(InMonth)
	, Day(InDay)
	, Hour(InHour)
	, Minute(InMinute)
	, Second(InSecond)
	, Millisecond(InMillisecond)
{
}

std::string FDateTime::ToString() const
{
	char Buffer[64];
	const int Length = std::snprintf(Buffer, sizeof(Buffer), "%04d.%02d.%02d-%02d.%02d.%02d", Year, Month, Day, Hour, Minute, Second);
	return std::string(Buffer, static_cast<std::size_t>(Length));
}

std::string FDateTime::ToIso8601() const
{
	char Buffer[64];
	const int Length = std::snprintf(Buffer, sizeof(Buffer), "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", Year, Month, Day, Hour, Minute, Second, Millisecond);
	return std::string(Buffer, static_cast<std::size_t>(Length));
}
