#include "Core/JsonObject.h"
#include "Core/JsonValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
	TEST(JsonValue, TypedAccessorsSucceedOnlyForTheirOwnType)
	{
		const FJsonValue Null;
		const FJsonValue Bool(true);
		const FJsonValue Number(42);
		const FJsonValue NumericText("42");
		const FJsonValue Array(FJsonValueArray{1, 2});
		const FJsonValue Object(std::make_shared<FJsonObject>());

		EXPECT_EQ(Null.Type(), EJson::Null);
		EXPECT_EQ(Bool.TryGetBool(), true);
		EXPECT_FALSE(Bool.TryGetNumber());
		EXPECT_FALSE(Bool.TryGetString());
		EXPECT_EQ(Number.TryGetNumber(), 42.0);
		EXPECT_FALSE(Number.TryGetBool());
		EXPECT_FALSE(Number.TryGetString());
		EXPECT_FALSE(NumericText.TryGetNumber());
		EXPECT_FALSE(NumericText.TryGetInt32());
		EXPECT_EQ(*NumericText.TryGetString(), "42");
		EXPECT_FALSE(Array.TryGetObject());
		EXPECT_EQ(Array.TryGetArray()->size(), 2u);
		EXPECT_FALSE(Object.TryGetArray());
		EXPECT_TRUE(Object.TryGetObject());
		for (const FJsonValue* Value : {&Null, &Bool, &NumericText, &Array, &Object})
		{
			EXPECT_FALSE(Value->TryGetInt64());
		}
	}

	TEST(JsonValue, NullContainerPointersMakeNullValues)
	{
		EXPECT_TRUE(FJsonValue(std::shared_ptr<FJsonObject>()).IsNull());
		EXPECT_TRUE(FJsonValue(std::shared_ptr<FJsonValueArray>()).IsNull());
	}

	TEST(JsonValue, IntegerReadsTruncateTowardZeroAndSaturate)
	{
		constexpr double Infinity = std::numeric_limits<double>::infinity();
		EXPECT_EQ(FJsonValue(2.9).TryGetInt32(), 2);
		EXPECT_EQ(FJsonValue(-2.9).TryGetInt32(), -2);
		EXPECT_EQ(FJsonValue(1e300).TryGetInt32(), INT32_MAX);
		EXPECT_EQ(FJsonValue(-1e300).TryGetInt32(), INT32_MIN);
		EXPECT_EQ(FJsonValue(2147483647.9).TryGetInt32(), INT32_MAX);
		EXPECT_EQ(FJsonValue(2147483648.0).TryGetInt32(), INT32_MAX);
		EXPECT_EQ(FJsonValue(-2147483648.9).TryGetInt32(), INT32_MIN);
		EXPECT_EQ(FJsonValue(Infinity).TryGetInt32(), INT32_MAX);
		EXPECT_EQ(FJsonValue(-Infinity).TryGetInt32(), INT32_MIN);

		EXPECT_EQ(FJsonValue(1e300).TryGetInt64(), INT64_MAX);
		EXPECT_EQ(FJsonValue(-1e300).TryGetInt64(), INT64_MIN);
		// 2^63 is the first double past INT64_MAX; the double just below it still fits.
		EXPECT_EQ(FJsonValue(0x1p63).TryGetInt64(), INT64_MAX);
		EXPECT_EQ(FJsonValue(std::nextafter(0x1p63, 0.0)).TryGetInt64(), INT64_C(9223372036854774784));
		EXPECT_EQ(FJsonValue(-0x1p63).TryGetInt64(), INT64_MIN);
		EXPECT_EQ(FJsonValue(-12345678901.7).TryGetInt64(), INT64_C(-12345678901));

		EXPECT_FALSE(FJsonValue(std::nan("")).TryGetInt32());
		EXPECT_FALSE(FJsonValue(std::nan("")).TryGetInt64());
		EXPECT_EQ(SaturatingDoubleToInt32(std::nan("")), 0);
	}

	TEST(JsonValue, AsTextGivesScalarsTheirTextForm)
	{
		EXPECT_EQ(FJsonValue("as is").AsText(), "as is");
		EXPECT_EQ(FJsonValue(3).AsText(), "3");
		EXPECT_EQ(FJsonValue(-3.0).AsText(), "-3");
		EXPECT_EQ(FJsonValue(1e18).AsText(), "1000000000000000000");
		EXPECT_EQ(FJsonValue(-0x1p63).AsText(), "-9223372036854775808");
		EXPECT_EQ(FJsonValue(0x1p63).AsText(), "9.2233720368547758e+18");
		EXPECT_EQ(FJsonValue(0.5).AsText(), "0.5");
		EXPECT_EQ(FJsonValue(0.1).AsText(), "0.10000000000000001");
		EXPECT_EQ(FJsonValue(true).AsText(), "true");
		EXPECT_EQ(FJsonValue(false).AsText(), "false");
		EXPECT_EQ(FJsonValue().AsText(), "");
		EXPECT_FALSE(FJsonValue(FJsonValueArray{}).AsText());
		EXPECT_FALSE(FJsonValue(std::make_shared<FJsonObject>()).AsText());
	}

	TEST(JsonValue, ContainersAreSharedBetweenHolders)
	{
		auto Payload = std::make_shared<FJsonObject>();
		FJsonObject Outer;
		Outer.SetObjectField("payload", Payload);
		Payload->SetNumberField("added", 1);
		EXPECT_EQ(Outer.TryGetObjectField("payload")->TryGetNumberField("added"), 1.0);

		const FJsonValue First(FJsonValueArray{1});
		const FJsonValue Second = First;
		First.TryGetArray()->emplace_back("two");
		ASSERT_EQ(Second.TryGetArray()->size(), 2u);
		EXPECT_EQ(Second.TryGetArray(), First.TryGetArray());
	}
}
