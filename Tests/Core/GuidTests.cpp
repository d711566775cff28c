#include "Core/Guid.h"

#include <gtest/gtest.h>

#include <set>

TEST(GuidTest, NewGuidIsRandomVersionFour)
{
	std::set<std::string> Seen;
	for (int Index = 0; Index < 100; ++Index)
	{
		const FGuid Guid = FGuid::NewGuid();
		EXPECT_TRUE(Guid.IsValid());
		const std::string Text = Guid.ToString(EGuidFormats::DigitsWithHyphensLower);
		EXPECT_EQ(Text[14], '4') << Text;
		EXPECT_NE(std::string_view("89ab").find(Text[19]), std::string_view::npos) << Text;
		Seen.insert(Text);
	}
	EXPECT_EQ(Seen.size(), 100u);
}

TEST(GuidTest, FormatsAndParsesEveryForm)
{
	const FGuid Guid{0x01234567u, 0x89ABCDEFu, 0xFEDCBA98u, 0x7654321Fu};
	EXPECT_EQ(Guid.ToString(), "0123456789ABCDEFFEDCBA987654321F");
	EXPECT_EQ(Guid.ToString(EGuidFormats::DigitsWithHyphens), "01234567-89AB-CDEF-FEDC-BA987654321F");
	EXPECT_EQ(Guid.ToString(EGuidFormats::DigitsWithHyphensLower), "01234567-89ab-cdef-fedc-ba987654321f");
	EXPECT_EQ(FGuid().ToString(), std::string(32, '0'));
	EXPECT_FALSE(FGuid().IsValid());

	for (const EGuidFormats Format : {EGuidFormats::Digits, EGuidFormats::DigitsWithHyphens, EGuidFormats::DigitsWithHyphensLower})
	{
		EXPECT_EQ(FGuid::Parse(Guid.ToString(Format)), Guid);
	}
	EXPECT_EQ(FGuid::Parse("0123456789abcdefFEDCBA987654321f"), Guid);
}

TEST(GuidTest, ParseRefusesOtherShapes)
{
	for (const char* Text : {
			 "",
			 "0123456789ABCDEFFEDCBA987654321",
			 "0123456789ABCDEFFEDCBA987654321F0",
			 "{01234567-89AB-CDEF-FEDC-BA987654321F}",
			 "0123456-789AB-CDEF-FEDC-BA987654321F",
			 "01234567-89AB-CDEF-FEDCBA987654321F",
			 "01234567-89AB-CDEF-FEDC-BA987654321F ",
			 "0123456789ABCDEFFEDCBA987654321G",
			 "01234567-89AB-CDEF-FE-C-BA987654321F",
			 "-1234567-89AB-CDEF-FEDC-BA987654321F",
			 "01234567+89AB+CDEF+FEDC+BA987654321F",
		 })
	{
		EXPECT_EQ(FGuid::Parse(Text), std::nullopt) << Text;
	}
}
