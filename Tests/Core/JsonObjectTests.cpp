#include "Core/JsonObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	std::vector<std::string> KeysOf(const FJsonObject& Object)
	{
		std::vector<std::string> Keys;
		for (const auto& [Key, Value] : Object.Values())
		{
			Keys.push_back(Key);
		}
		return Keys;
	}

	TEST(JsonObject, KeepsInsertionOrderAndReplacesInPlace)
	{
		FJsonObject Object;
		Object.SetStringField("zeta", "z");
		Object.SetNumberField("alpha", 1);
		Object.SetBoolField("mid", true);
		Object.SetStringField("alpha", "now text");
		EXPECT_EQ(KeysOf(Object), (std::vector<std::string>{"zeta", "alpha", "mid"}));
		EXPECT_EQ(Object.TryGetStringField("alpha"), "now text");
		EXPECT_FALSE(Object.TryGetNumberField("alpha"));

		EXPECT_TRUE(Object.RemoveField("zeta"));
		EXPECT_FALSE(Object.RemoveField("zeta"));
		EXPECT_EQ(KeysOf(Object), (std::vector<std::string>{"alpha", "mid"}));
		EXPECT_EQ(Object.Num(), 2u);
	}

	TEST(JsonObject, TypedFieldReadsAreStrict)
	{
		FJsonObject Object;
		Object.SetStringField("text", "7");
		Object.SetNumberField("number", 7.9);
		Object.SetObjectField("nothing", nullptr);
		Object.SetArrayField("list", FJsonValueArray{1});

		EXPECT_FALSE(Object.TryGetNumberField("text"));
		EXPECT_FALSE(Object.TryGetInt32Field("text"));
		EXPECT_FALSE(Object.TryGetStringField("number"));
		EXPECT_EQ(Object.TryGetInt32Field("number"), 7);
		EXPECT_EQ(Object.TryGetInt64Field("number"), 7);
		EXPECT_TRUE(Object.HasField("nothing"));
		EXPECT_TRUE(Object.TryGetField("nothing")->IsNull());
		EXPECT_FALSE(Object.TryGetObjectField("nothing"));
		EXPECT_FALSE(Object.TryGetObjectField("list"));
		EXPECT_FALSE(Object.TryGetBoolField("missing"));
		EXPECT_EQ(Object.TryGetArrayField("list")->size(), 1u);
	}

	TEST(JsonObject, CopyHasItsOwnMembersButSharesNestedContainers)
	{
		FJsonObject Original;
		auto Nested = std::make_shared<FJsonObject>();
		Original.SetObjectField("nested", Nested);
		Original.SetArrayField("list", FJsonValueArray{});

		FJsonObject Copy = Original;
		Copy.SetNumberField("copy only", 1);
		Copy.TryGetObjectField("nested")->SetNumberField("seen by both", 2);
		Copy.TryGetArrayField("list")->emplace_back(3);

		EXPECT_FALSE(Original.HasField("copy only"));
		EXPECT_EQ(Nested->TryGetNumberField("seen by both"), 2.0);
		EXPECT_EQ(Original.TryGetArrayField("list")->size(), 1u);
	}

	TEST(JsonObject, LargeObjectLookupsStayRightThroughReplaceAndRemove)
	{
		constexpr int Count = 10000;
		FJsonObject Object;
		for (int Number = 0; Number < Count; ++Number)
		{
			Object.SetNumberField("key" + std::to_string(Number), Number);
		}
		Object.SetStringField("key5000", "replaced");
		for (int Number = 0; Number < Count; Number += 3)
		{
			ASSERT_TRUE(Object.RemoveField("key" + std::to_string(Number)));
		}
		Object.SetNumberField("appended", -1);

		std::vector<std::string> Expected;
		for (int Number = 0; Number < Count; ++Number)
		{
			if (Number % 3 != 0)
			{
				Expected.push_back("key" + std::to_string(Number));
			}
		}
		Expected.push_back("appended");
		EXPECT_EQ(KeysOf(Object), Expected);
		for (int Number = 0; Number < Count; ++Number)
		{
			const std::string Key = "key" + std::to_string(Number);
			if (Number == 5000)
			{
				EXPECT_EQ(Object.TryGetStringField(Key), "replaced");
			}
			else if (Number % 3 == 0)
			{
				EXPECT_FALSE(Object.HasField(Key)) << Key;
			}
			else
			{
				EXPECT_EQ(Object.TryGetNumberField(Key), Number) << Key;
			}
		}
		EXPECT_EQ(Object.TryGetNumberField("appended"), -1.0);

		FJsonObject Copy = Object;
		Object.SetNumberField("key1", 111);
		EXPECT_EQ(Copy.TryGetNumberField("key1"), 1.0);
		EXPECT_EQ(Copy.TryGetNumberField("appended"), -1.0);
	}

	TEST(JsonObject, ShrinkingBackBelowTheIndexThresholdKeepsLookupsWorking)
	{
		FJsonObject Object;
		for (int Number = 0; Number < 20; ++Number)
		{
			Object.SetNumberField(std::string(1, static_cast<char>('a' + Number)), Number);
		}
		for (const char* Key : {"a", "c", "e", "g", "i", "m", "o", "q", "s"})
		{
			EXPECT_TRUE(Object.RemoveField(Key));
		}
		EXPECT_EQ(KeysOf(Object), (std::vector<std::string>{"b", "d", "f", "h", "j", "k", "l", "n", "p", "r", "t"}));
		EXPECT_EQ(Object.TryGetNumberField("t"), 19.0);
		Object.SetNumberField("b", 100);
		EXPECT_EQ(Object.Values().front().second.TryGetNumber(), 100.0);
	}

	TEST(JsonObject, KeysMayViewTheObjectsOwnMembers)
	{
		for (const int Count : {3, 20})
		{
			FJsonObject Object;
			for (int Number = 0; Number < Count; ++Number)
			{
				Object.SetNumberField("k" + std::to_string(Number), Number);
			}
			const std::string_view OwnKey = Object.Values()[1].first;
			Object.SetBoolField(OwnKey, true);
			EXPECT_EQ(Object.TryGetBoolField("k1"), true);
			EXPECT_TRUE(Object.RemoveField(Object.Values()[1].first));
			EXPECT_FALSE(Object.HasField("k1"));
			EXPECT_EQ(Object.TryGetNumberField("k2"), 2.0);
			EXPECT_EQ(Object.Num(), static_cast<std::size_t>(Count - 1));
		}
	}
}
