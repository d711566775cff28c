#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
	TEST(JsonReader, RefusesAnythingButExactlyOneValue)
	{
		for (const std::string_view Text : {"", "   \r\n\t", "[1] 2", "{} x", "1 2", "{\"a\":1}}", "nul", "[1,]", "{\"a\":}", "'a'", "\"open"})
		{
			EXPECT_FALSE(FJsonSerializer::Deserialize(Text)) << Text;
			EXPECT_FALSE(FJsonSerializer::DeserializeObject(Text)) << Text;
		}
		EXPECT_TRUE(FJsonSerializer::DeserializeObject(" \r\n\t{\"a\":1}\n "));
	}

	TEST(JsonReader, RefusesInvalidUtf8)
	{
		for (const std::string_view Text : {"\"\xff\"", "\"\xc3\"", "\"\xed\xa0\x80\"", "\"\xc0\xaf\"", "{\"k\xfe\":1}"})
		{
			EXPECT_FALSE(FJsonSerializer::Deserialize(Text)) << Text;
		}
		EXPECT_EQ(*FJsonSerializer::Deserialize("\"\xc3\xa9\xf0\x9f\x98\x80\"")->TryGetString(), "\xc3\xa9\xf0\x9f\x98\x80");
	}

	TEST(JsonReader, TopLevelValuesOfAnyTypeButObjectOnlyForDeserializeObject)
	{
		const std::optional<FJsonValue> Array = FJsonSerializer::Deserialize("[1,\"two\",null]");
		ASSERT_TRUE(Array);
		EXPECT_EQ(Array->TryGetArray()->size(), 3u);
		EXPECT_EQ(FJsonSerializer::DeserializeObject("[1,\"two\",null]"), nullptr);
		EXPECT_EQ(FJsonSerializer::DeserializeObject("\"text\""), nullptr);
		EXPECT_EQ(FJsonSerializer::Deserialize("true")->TryGetBool(), true);
		EXPECT_TRUE(FJsonSerializer::Deserialize("null")->IsNull());
		EXPECT_EQ(FJsonSerializer::Deserialize("-12.5e1")->TryGetNumber(), -125.0);
	}

	TEST(JsonReader, NumbersBecomeDoubles)
	{
		EXPECT_EQ(FJsonSerializer::Deserialize("18446744073709551615")->TryGetNumber(), 18446744073709551615.0);
		EXPECT_EQ(FJsonSerializer::Deserialize("-9223372036854775808")->TryGetNumber(), -0x1p63);
		EXPECT_EQ(FJsonSerializer::Deserialize("1e-400")->TryGetNumber(), 0.0);
		// simdjson refuses integers beyond 64 bits and numbers beyond the double range.
		EXPECT_FALSE(FJsonSerializer::Deserialize("18446744073709551616"));
		EXPECT_FALSE(FJsonSerializer::Deserialize("-9223372036854775809"));
		EXPECT_FALSE(FJsonSerializer::Deserialize("1e400"));
	}

	TEST(JsonReader, NegativeZeroKeepsItsSign)
	{
		// The "-0" inside the string must not be counted as a number.
		const std::shared_ptr<FJsonObject> Valid = FJsonSerializer::DeserializeObject(R"({"date":"2024-01-02 \"-0\\","a":-0,"b":[0,-0,-0.0,-0e1,-10,0,-0],"c":-0})");
		ASSERT_TRUE(Valid);
		EXPECT_TRUE(std::signbit(*Valid->TryGetNumberField("a")));
		EXPECT_TRUE(std::signbit(*Valid->TryGetNumberField("c")));
		const FJsonValueArray& Numbers = *Valid->TryGetArrayField("b");
		const bool Expected[] = {false, true, true, true, true, false, true};
		for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
		{
			EXPECT_EQ(std::signbit(*Numbers[Index].TryGetNumber()), Expected[Index]) << Index;
		}
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Valid), R"({"date":"2024-01-02 \"-0\\","a":-0,"b":[0,-0,-0,-0,-10,0,-0],"c":-0})");
	}

	TEST(JsonReader, StringsKeepEmbeddedNulAndRefuseLoneSurrogates)
	{
		const std::optional<FJsonValue> Text = FJsonSerializer::Deserialize(R"("a\u0000b\/\u00e9\ud83d\ude00")");
		ASSERT_TRUE(Text);
		EXPECT_EQ(*Text->TryGetString(), std::string("a\0b/\xc3\xa9\xf0\x9f\x98\x80", 10));
		EXPECT_FALSE(FJsonSerializer::Deserialize(R"("\ud800")"));
		EXPECT_FALSE(FJsonSerializer::Deserialize(R"("\udc00x")"));
		EXPECT_FALSE(FJsonSerializer::Deserialize("\"raw\ttab\""));
	}

	TEST(JsonReader, DuplicateKeysKeepTheLastValueAtTheFirstPosition)
	{
		const std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(R"({"a":1,"b":2,"a":{"x":3}})");
		ASSERT_TRUE(Object);
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Object), R"({"a":{"x":3},"b":2})");
	}

	TEST(JsonReader, DeepNestingUpToTheParserLimit)
	{
		constexpr int Limit = 1024;
		const std::string Deepest = std::string(Limit, '[') + std::string(Limit, ']');
		const std::optional<FJsonValue> Value = FJsonSerializer::Deserialize(Deepest);
		ASSERT_TRUE(Value);
		std::string Written;
		FJsonSerializer::AppendCondensed(Written, *Value);
		EXPECT_EQ(Written, Deepest);
		EXPECT_FALSE(FJsonSerializer::Deserialize(std::string(Limit + 1, '[') + std::string(Limit + 1, ']')));
		EXPECT_FALSE(FJsonSerializer::Deserialize(std::string(100000, '[') + std::string(100000, ']')));
	}

	TEST(JsonReader, ParseThenSerializeRoundTrips)
	{
		const std::string Text =
			R"({"name":"Node \"A\"\\\n\t\u0001/é","id":12345678901,"ratio":0.10000000000000001,"big":1.0000000000000001e+300,"neg":-42,)"
			R"("flags":[true,false,null],"nested":{"empty":{},"list":[[],[{}],{"k":"v"}]},"tiny":4.9406564584124654e-324})";
		const std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Text);
		ASSERT_TRUE(Object);
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Object), Text);

		const std::string Pretty = FJsonSerializer::SerializePretty(*Object);
		const std::shared_ptr<FJsonObject> Reread = FJsonSerializer::DeserializeObject(Pretty);
		ASSERT_TRUE(Reread);
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Reread), Text);
	}

	TEST(JsonReader, ParsedContainersAreIndependentAcrossCalls)
	{
		const std::shared_ptr<FJsonObject> First = FJsonSerializer::DeserializeObject(R"({"list":[1,2,3],"s":"first"})");
		const std::shared_ptr<FJsonObject> Second = FJsonSerializer::DeserializeObject(R"({"other":"second value that is longer"})");
		ASSERT_TRUE(First && Second);
		EXPECT_EQ(First->TryGetStringField("s"), "first");
		EXPECT_EQ(First->TryGetArrayField("list")->size(), 3u);
	}
}
