#include "Core/DateTime.h"

#include <gtest/gtest.h>

#include <ctime>

TEST(DateTimeTest, FormatsWithZeroPadding)
{
	const FDateTime Moment(2026, 12, 7, 4, 35, 19, 123);
	EXPECT_EQ(Moment.ToString(), "2026.12.07-04.35.19");
	EXPECT_EQ(Moment.ToIso8601(), "2026-12-07T04:35:19.123Z");
	EXPECT_EQ(FDateTime(999, 1, 2).ToIso8601(), "0999-01-02T00:00:00.000Z");
	EXPECT_EQ(FDateTime(2024, 2, 29, 23, 59, 59, 7).ToString(), "2024.02.29-23.59.59");
}

TEST(DateTimeTest, UtcNowAgreesWithTheSystemCalendar)
{
	// Sample the C library's UTC calendar on both sides, so a minute boundary in between cannot fail the test.
	const auto Calendar = [] {
		const std::time_t Now = std::time(nullptr);
		std::tm Parts{};
		gmtime_r(&Now, &Parts);
		return Parts;
	};
	const std::tm Before = Calendar();
	const FDateTime Now = FDateTime::UtcNow();
	const std::tm After = Calendar();

	const auto Matches = [&Now](const std::tm& Parts) {
		return Now.GetYear() == Parts.tm_year + 1900 && Now.GetMonth() == Parts.tm_mon + 1 && Now.GetDay() == Parts.tm_mday
			&& Now.GetHour() == Parts.tm_hour && Now.GetMinute() == Parts.tm_min;
	};
	EXPECT_TRUE(Matches(Before) || Matches(After)) << Now.ToIso8601();
	EXPECT_GE(Now.GetMillisecond(), 0);
	EXPECT_LT(Now.GetMillisecond(), 1000);
	EXPECT_LT(Now.GetSecond(), 60);
}
