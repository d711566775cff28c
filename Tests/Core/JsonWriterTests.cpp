#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>

namespace
{
	std::string Condensed(const FJsonValue& Value)
	{
		std::string Out;
		FJsonSerializer::AppendCondensed(Out, Value);
		return Out;
	}

	std::string Printf17g(double Number)
	{
		char Buffer[64];
		std::snprintf(Buffer, sizeof(Buffer), "%.17g", Number);
		return Buffer;
	}

	TEST(JsonWriter, EscapesEveryControlCharacterClass)
	{
		EXPECT_EQ(Condensed("quote\" backslash\\"), R"("quote\" backslash\\")");
		EXPECT_EQ(Condensed("\b\t\n\f\r"), R"("\b\t\n\f\r")");
		EXPECT_EQ(Condensed(std::string_view("\0\x01\x0b\x0e\x1f", 5)), R"("\u0000\u0001\u000b\u000e\u001f")");
		// The slash, DEL and UTF-8 are written as they are.
		EXPECT_EQ(Condensed("a/b\x7f \xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"), "\"a/b\x7f \xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"");
		EXPECT_EQ(Condensed(""), R"("")");
	}

	TEST(JsonWriter, EveryByteBelowSpaceIsEscaped)
	{
		for (int Byte = 0; Byte < 0x20; ++Byte)
		{
			char Expected[16];
			std::snprintf(Expected, sizeof(Expected), "\"\\u%04x\"", Byte);
			const std::string_view Short[] = {"\"\\b\"", "\"\\t\"", "\"\\n\"", "\"\\u000b\"", "\"\\f\"", "\"\\r\""};
			const std::string_view Want = Byte >= '\b' && Byte <= '\r' ? Short[Byte - '\b'] : std::string_view(Expected);
			EXPECT_EQ(Condensed(std::string(1, static_cast<char>(Byte))), Want) << Byte;
		}
	}

	TEST(JsonWriter, NumbersPrintAsPercent17g)
	{
		EXPECT_EQ(Condensed(30010), "30010");
		EXPECT_EQ(Condensed(0.5), "0.5");
		EXPECT_EQ(Condensed(0.1), "0.10000000000000001");
		EXPECT_EQ(Condensed(1e21), "1e+21");
		EXPECT_EQ(Condensed(-0.0), "-0");
		EXPECT_EQ(Condensed(0.0), "0");
		EXPECT_EQ(Condensed(1e-7), "9.9999999999999995e-08");
		EXPECT_EQ(Condensed(9007199254740992.0), "9007199254740992");
		EXPECT_EQ(Condensed(1e17), "1e+17");
		EXPECT_EQ(Condensed(std::numeric_limits<double>::quiet_NaN()), "null");
		EXPECT_EQ(Condensed(std::numeric_limits<double>::infinity()), "null");
		EXPECT_EQ(Condensed(-std::numeric_limits<double>::infinity()), "null");
	}

	TEST(JsonWriter, NumbersMatchSnprintfAcrossTheRange)
	{
		std::vector<double> Numbers = {
			std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
			std::numeric_limits<double>::lowest(), 0x1p53, 0x1p53 + 2, -0x1p53, 0x1p53 - 1, 0x1p63, 123456789012345678.0,
			1e16, 1e-5, 1e-4, 0.0001234, 99999999999999999.0, 1.5, -2.25, 1.0 / 3.0};
		std::mt19937_64 Random(20240611);
		std::uniform_int_distribution<int64_t> SmallIntegers(-1000000, 1000000);
		std::uniform_real_distribution<double> Reals(-1e6, 1e6);
		for (int Index = 0; Index < 20000; ++Index)
		{
			const double FromBits = std::bit_cast<double>(Random());
			if (std::isfinite(FromBits))
			{
				Numbers.push_back(FromBits);
			}
			Numbers.push_back(static_cast<double>(SmallIntegers(Random)));
			Numbers.push_back(Reals(Random));
			Numbers.push_back(std::ldexp(static_cast<double>(Random() >> 11), static_cast<int>(Random() % 40)));
		}
		for (const double Number : Numbers)
		{
			ASSERT_EQ(Condensed(Number), Printf17g(Number)) << std::hexfloat << Number;
		}
	}

	TEST(JsonWriter, CondensedHasNoWhitespace)
	{
		FJsonObject Object;
		Object.SetNumberField("a", 1);
		Object.SetArrayField("b", FJsonValueArray{true, nullptr});
		Object.SetObjectField("c", std::make_shared<FJsonObject>());
		Object.SetArrayField("d", FJsonValueArray{FJsonValueArray{}, "x y"});
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(Object), R"({"a":1,"b":[true,null],"c":{},"d":[[],"x y"]})");
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(FJsonObject()), "{}");
		EXPECT_EQ(Condensed(FJsonValue("k\"")), R"("k\"")");

		std::string Appended = "prefix ";
		FJsonSerializer::AppendCondensed(Appended, FJsonValueArray{1, false});
		EXPECT_EQ(Appended, "prefix [1,false]");
	}

	TEST(JsonWriter, PrettyMatchesTheEditorByteForByte)
	{
		auto Inner = std::make_shared<FJsonObject>();
		Inner->SetStringField("c", "x");
		FJsonObject Object;
		Object.SetNumberField("a", 1);
		Object.SetObjectField("b", Inner);
		Object.SetArrayField("d", FJsonValueArray{1, std::make_shared<FJsonObject>()});
		Object.SetArrayField("e", FJsonValueArray{});
		EXPECT_EQ(FJsonSerializer::SerializePretty(Object),
			"{\r\n\t\"a\": 1,\r\n\t\"b\":\r\n\t{\r\n\t\t\"c\": \"x\"\r\n\t},\r\n\t\"d\": [\r\n\t\t1,\r\n\t\t{\r\n\t\t}\r\n\t],\r\n\t\"e\": []\r\n}");
	}

	TEST(JsonWriter, PrettyEmptyAndNestedContainers)
	{
		EXPECT_EQ(FJsonSerializer::SerializePretty(FJsonObject()), "{\r\n}");

		FJsonObject EmptyMember;
		EmptyMember.SetObjectField("k", std::make_shared<FJsonObject>());
		EXPECT_EQ(FJsonSerializer::SerializePretty(EmptyMember), "{\r\n\t\"k\":\r\n\t{\r\n\t}\r\n}");

		auto Leaf = std::make_shared<FJsonObject>();
		Leaf->SetBoolField("t", true);
		Leaf->SetField("n", nullptr);
		FJsonObject Nested;
		Nested.SetArrayField("m", FJsonValueArray{FJsonValueArray{}, FJsonValueArray{"s", FJsonValueArray{2}}, Leaf});
		Nested.SetStringField("after", "tab\there");
		EXPECT_EQ(FJsonSerializer::SerializePretty(Nested),
			"{\r\n"
			"\t\"m\": [\r\n"
			"\t\t[],\r\n"
			"\t\t[\r\n"
			"\t\t\t\"s\",\r\n"
			"\t\t\t[\r\n"
			"\t\t\t\t2\r\n"
			"\t\t\t]\r\n"
			"\t\t],\r\n"
			"\t\t{\r\n"
			"\t\t\t\"t\": true,\r\n"
			"\t\t\t\"n\": null\r\n"
			"\t\t}\r\n"
			"\t],\r\n"
			"\t\"after\": \"tab\\there\"\r\n"
			"}");

		auto Deeper = std::make_shared<FJsonObject>();
		Deeper->SetArrayField("x", FJsonValueArray{});
		auto Middle = std::make_shared<FJsonObject>();
		Middle->SetObjectField("deeper", Deeper);
		FJsonObject Root;
		Root.SetObjectField("middle", Middle);
		EXPECT_EQ(FJsonSerializer::SerializePretty(Root),
			"{\r\n\t\"middle\":\r\n\t{\r\n\t\t\"deeper\":\r\n\t\t{\r\n\t\t\t\"x\": []\r\n\t\t}\r\n\t}\r\n}");
	}
}
