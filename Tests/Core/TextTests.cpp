#include "Core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

TEST(TextTest, CaseFoldingIsAsciiOnly)
{
	EXPECT_EQ(Text::Stricmp("Content", "content"), 0);
	EXPECT_LT(Text::Stricmp("apple", "Banana"), 0);
	EXPECT_GT(Text::Stricmp("b", "A"), 0);
	EXPECT_LT(Text::Stricmp("abc", "ABCD"), 0);
	EXPECT_GT(Text::Stricmp("\xC3\xA4", "z"), 0);

	EXPECT_TRUE(Text::EqualsIgnoreCase("LogKorvane", "LOGKORVANE"));
	EXPECT_FALSE(Text::EqualsIgnoreCase("\xC3\x84", "\xC3\xA4"));
	EXPECT_FALSE(Text::EqualsIgnoreCase("[", "{"));
	EXPECT_FALSE(Text::EqualsIgnoreCase("ab", "abc"));
}

TEST(TextTest, PrefixSuffixAndFind)
{
	EXPECT_TRUE(Text::StartsWithIgnoreCase("/Game/Maps", "/game/"));
	EXPECT_FALSE(Text::StartsWithIgnoreCase("/Ga", "/game/"));
	EXPECT_TRUE(Text::EndsWithIgnoreCase("Script.PY", ".py"));
	EXPECT_FALSE(Text::EndsWithIgnoreCase("py", ".py"));
	EXPECT_TRUE(Text::EndsWithIgnoreCase("anything", ""));

	EXPECT_EQ(Text::FindIgnoreCase("Hello World", "WORLD"), 6u);
	EXPECT_EQ(Text::FindIgnoreCase("Hello", "xyz"), std::nullopt);
	EXPECT_EQ(Text::FindIgnoreCase("Hello", ""), 0u);
	EXPECT_EQ(Text::FindIgnoreCase("", "a"), std::nullopt);
}

TEST(TextTest, Utf16LengthCountsCodeUnits)
{
	EXPECT_EQ(Text::Utf16Length(""), 0u);
	EXPECT_EQ(Text::Utf16Length("abc"), 3u);
	EXPECT_EQ(Text::Utf16Length("\xC3\xA9"), 1u);
	EXPECT_EQ(Text::Utf16Length("\xE2\x82\xAC"), 1u);
	EXPECT_EQ(Text::Utf16Length("\xF0\x9F\x98\x80"), 2u);
	EXPECT_EQ(Text::Utf16Length("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"), 6u);
}

TEST(TextTest, Utf16LengthCountsEachMalformedByteOnce)
{
	EXPECT_EQ(Text::Utf16Length("\xFF"), 1u);
	EXPECT_EQ(Text::Utf16Length("\x80\x80"), 2u);
	EXPECT_EQ(Text::Utf16Length("\xE2\x82"), 2u);
	EXPECT_EQ(Text::Utf16Length("\xF0\x9F\x98" "a"), 4u);
	EXPECT_EQ(Text::Utf16Length("\xED\xA0\x80"), 3u);
}

TEST(TextTest, Utf16LengthCountsSequencesAnywhereInLongAsciiRuns)
{
	struct FSequence
	{
		std::string_view Bytes;
		std::size_t Units;
	};
	// Well-formed sequences, and malformed bytes that count one unit each.
	const FSequence Sequences[] = {{"\xC3\xA9", 1}, {"\xE2\x82\xAC", 1}, {"\xF0\x9F\x98\x80", 2}, {"\xE2\x82", 2}, {"\x80", 1}, {"\xFF", 1}};
	constexpr std::size_t Length = 24;
	for (const FSequence& Sequence : Sequences)
	{
		for (std::size_t Offset = 0; Offset + Sequence.Bytes.size() <= Length; ++Offset)
		{
			std::string Text(Length, 'a');
			Text.replace(Offset, Sequence.Bytes.size(), Sequence.Bytes);
			EXPECT_EQ(Text::Utf16Length(Text), Length - Sequence.Bytes.size() + Sequence.Units) << "at offset " << Offset;
		}
	}
	EXPECT_EQ(Text::Utf16Length("abcdefgh\xF0\x9F\x98"), 11u) << "a sequence cut short after a whole ASCII word";
}

TEST(TextTest, IsValidUtf8RejectsMalformedSequences)
{
	EXPECT_TRUE(Text::IsValidUtf8(""));
	EXPECT_TRUE(Text::IsValidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
	EXPECT_TRUE(Text::IsValidUtf8("\xF4\x8F\xBF\xBF"));
	EXPECT_TRUE(Text::IsValidUtf8("\xEE\x80\x80"));

	EXPECT_FALSE(Text::IsValidUtf8("\xC0\xAF"));
	EXPECT_FALSE(Text::IsValidUtf8("\xE0\x80\xAF"));
	EXPECT_FALSE(Text::IsValidUtf8("\xF0\x80\x80\xAF"));
	EXPECT_FALSE(Text::IsValidUtf8("\xED\xA0\x80"));
	EXPECT_FALSE(Text::IsValidUtf8("\xF4\x90\x80\x80"));
	EXPECT_FALSE(Text::IsValidUtf8("\xF5\x80\x80\x80"));
	EXPECT_FALSE(Text::IsValidUtf8("\x80"));
	EXPECT_FALSE(Text::IsValidUtf8("ok\xE2\x82"));
	EXPECT_FALSE(Text::IsValidUtf8("\xC3" "a"));
}
