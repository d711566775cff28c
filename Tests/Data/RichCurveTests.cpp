#include "Core/JsonSerializer.h"
#include "Data/RichCurve.h"

#include <gtest/gtest.h>

namespace
{
	std::optional<FRichCurve> ReadCurve(std::string_view Json, std::string& OutError)
	{
		const std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Json);
		return Object ? FRichCurve::FromJson(*Object, OutError) : std::nullopt;
	}

	std::optional<FRichCurve> ReadCurve(std::string_view Json)
	{
		std::string Error;
		return ReadCurve(Json, Error);
	}

	struct FRanges
	{
		float MinTime = -1, MaxTime = -1, MinValue = -1, MaxValue = -1;
	};

	FRanges RangesOf(const FRichCurve& Curve)
	{
		FRanges Ranges;
		Curve.GetTimeRange(Ranges.MinTime, Ranges.MaxTime);
		Curve.GetValueRange(Ranges.MinValue, Ranges.MaxValue);
		return Ranges;
	}
}

TEST(RichCurveTests, AnEmptyCurveHasZeroRangesAndValue)
{
	const FRanges Ranges = RangesOf(FRichCurve());
	EXPECT_EQ(Ranges.MinTime, 0.0f);
	EXPECT_EQ(Ranges.MaxTime, 0.0f);
	EXPECT_EQ(Ranges.MinValue, 0.0f);
	EXPECT_EQ(Ranges.MaxValue, 0.0f);
	EXPECT_EQ(FRichCurve().Eval(3.0f), 0.0f);
}

TEST(RichCurveTests, KeysAreSortedAndEvaluatedByTheirInterpolation)
{
	const std::optional<FRichCurve> Curve = ReadCurve(R"({"keys":[{"time":2,"value":4},{"time":0,"value":1,"interpMode":"RCIM_Constant"},)"
													  R"({"time":1,"value":3}]})");
	ASSERT_TRUE(Curve);
	const FRanges Ranges = RangesOf(*Curve);
	EXPECT_EQ(Ranges.MinTime, 0.0f);
	EXPECT_EQ(Ranges.MaxTime, 2.0f);
	EXPECT_EQ(Ranges.MinValue, 1.0f);
	EXPECT_EQ(Ranges.MaxValue, 4.0f);
	EXPECT_EQ(Curve->Eval(-5.0f), 1.0f) << "constant before the first key";
	EXPECT_EQ(Curve->Eval(0.5f), 1.0f) << "a constant key holds until the next";
	EXPECT_EQ(Curve->Eval(1.5f), 3.5f) << "linear";
	EXPECT_EQ(Curve->Eval(9.0f), 4.0f) << "constant after the last key";
}

TEST(RichCurveTests, CubicSegmentsReachBeyondTheirKeys)
{
	// Tangents 3 and -3 over one second make the segment 3t(1-t): it peaks at 0.75 halfway.
	const std::optional<FRichCurve> Curve = ReadCurve(R"({"keys":[{"time":0,"value":0,"interpMode":"RCIM_Cubic","leaveTangent":3},)"
													  R"({"time":1,"value":0,"arriveTangent":-3}]})");
	ASSERT_TRUE(Curve);
	EXPECT_FLOAT_EQ(Curve->Eval(0.5f), 0.75f);
	const FRanges Ranges = RangesOf(*Curve);
	EXPECT_EQ(Ranges.MinValue, 0.0f);
	EXPECT_NEAR(Ranges.MaxValue, 0.75f, 0.005f);
}

TEST(RichCurveTests, CubicSegmentsFarFromZeroStillEnd)
{
	// Float steps of 1.6 do not move a time of 1e8 (its spacing is 8); the search must not spin there.
	const std::optional<FRichCurve> Curve = ReadCurve(R"({"keys":[{"time":1e8,"value":0,"interpMode":"RCIM_Cubic","leaveTangent":1},{"time":100000008,"value":1}]})");
	ASSERT_TRUE(Curve);
	const FRanges Ranges = RangesOf(*Curve);
	EXPECT_LE(Ranges.MinValue, 0.0f);
	EXPECT_GE(Ranges.MaxValue, 1.0f);
}

TEST(RichCurveTests, KeysThatAreNotKeysAreRefused)
{
	for (const char* Json : {R"({"keys":[{"time":0}]})", R"({"keys":[{"time":"0","value":1}]})", R"({"keys":[{"time":1e300,"value":1}]})",
			 R"({"keys":[{"time":0,"value":1,"interpMode":"RCIM_Bouncy"}]})", R"({"keys":[7]})"})
	{
		std::string Error;
		EXPECT_FALSE(ReadCurve(Json, Error)) << Json;
		EXPECT_FALSE(Error.empty()) << Json;
	}
	const std::optional<FRichCurve> Written = ReadCurve(R"({"keys":[{"time":0.5,"value":2,"interpMode":"RCIM_Cubic","arriveTangent":1,"leaveTangent":-1}]})");
	ASSERT_TRUE(Written);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Written->ToJson()),
		R"({"keys":[{"time":0.5,"value":2,"interpMode":"RCIM_Cubic","arriveTangent":1,"leaveTangent":-1}]})");
}
