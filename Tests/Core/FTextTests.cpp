#include "Core/Text.h"

#include <gtest/gtest.h>

#define LOCTEXT_NAMESPACE "FTextTests"

TEST(FTextTests, LocalisedTextsKeepTheirIdentityAndShowTheirSource)
{
	const FText Sent = NSLOCTEXT("KorvaneConnector", "SentToKorvaneMcp", "Sent '{0}' (via MCP)");
	EXPECT_EQ(Sent.GetNamespace(), "KorvaneConnector");
	EXPECT_EQ(Sent.GetKey(), "SentToKorvaneMcp");
	EXPECT_EQ(Sent.GetSourceString(), "Sent '{0}' (via MCP)");
	EXPECT_EQ(Sent.ToString(), "Sent '{0}' (via MCP)");

	const FText Local = LOCTEXT("Greeting", "Hello");
	EXPECT_EQ(Local.GetNamespace(), "FTextTests");
	EXPECT_EQ(Local.GetKey(), "Greeting");

	const FText Plain = FText::FromString("/Game/Foo.Foo");
	EXPECT_EQ(Plain.ToString(), "/Game/Foo.Foo");
	EXPECT_TRUE(Plain.GetNamespace().empty());
	EXPECT_TRUE(Plain.GetKey().empty());
	EXPECT_TRUE(Plain.GetSourceString().empty());
	EXPECT_TRUE(FText().IsEmpty());
	EXPECT_TRUE(Plain.EqualTo(FText::FromString("/Game/Foo.Foo")));
	EXPECT_FALSE(Plain.EqualTo(Local));
}

TEST(FTextTests, FormatPutsEachArgumentWhereItsNumberStands)
{
	const FText Sent = FText::Format(NSLOCTEXT("KorvaneConnector", "SentToKorvaneMcp", "Sent '{0}' (via MCP)"), FText::FromString("BP_Campfire"));
	EXPECT_EQ(Sent.ToString(), "Sent 'BP_Campfire' (via MCP)");
	EXPECT_TRUE(Sent.GetKey().empty()) << "a formatted text is a new text";
	EXPECT_TRUE(Sent.GetSourceString().empty());

	const FText Several = FText::Format(FText::FromString("{1} after {0}, {0} again, {2}{1}"), FText::FromString("a"), FText::FromString("b"), FText::FromString("c"));
	EXPECT_EQ(Several.ToString(), "b after a, a again, cb");
	EXPECT_EQ(FText::Format(FText::FromString("{0}{0}{0}"), std::vector<FText>{FText::FromString("x")}).ToString(), "xxx");
	EXPECT_EQ(FText::Format(FText::FromString("{01}"), FText::FromString("a"), FText::FromString("b")).ToString(), "b");
}

TEST(FTextTests, ReferencesWithoutAnArgumentStayAsWritten)
{
	EXPECT_EQ(FText::Format(FText::FromString("{0} and {2}"), FText::FromString("a"), FText::FromString("b")).ToString(), "a and {2}");
	EXPECT_EQ(FText::Format(FText::FromString("only {0}"), std::vector<FText>{}).ToString(), "only {0}");
	EXPECT_EQ(FText::Format(FText::FromString("{99999999999999999999999}"), FText::FromString("a")).ToString(), "{99999999999999999999999}");
}

TEST(FTextTests, BracesWithoutANumberAreOrdinaryText)
{
	const FText Argument = FText::FromString("A");
	EXPECT_EQ(FText::Format(FText::FromString("{}"), Argument).ToString(), "{}");
	EXPECT_EQ(FText::Format(FText::FromString("{name} {-0} { 0} {0 } {+0}"), Argument).ToString(), "{name} {-0} { 0} {0 } {+0}");
	EXPECT_EQ(FText::Format(FText::FromString("open { and close } {0"), Argument).ToString(), "open { and close } {0");
	EXPECT_EQ(FText::Format(FText::FromString("{{0}}"), Argument).ToString(), "{A}");
	EXPECT_EQ(FText::Format(FText::FromString("trailing {"), Argument).ToString(), "trailing {");
}

TEST(FTextTests, ArgumentsAreNotFormattedAgain)
{
	EXPECT_EQ(FText::Format(FText::FromString("{0}{1}"), FText::FromString("{1}"), FText::FromString("x")).ToString(), "{1}x");
}

TEST(FTextTests, Utf8TextPassesThroughByteForByte)
{
	const FText Pattern = FText::FromString("Gr\xC3\xB6\xC3\x9F" "e {0} \xE2\x80\x93 \xE5\xAE\x8C\xE4\xBA\x86 {1}");
	const FText Formatted = FText::Format(Pattern, FText::FromString("\xF0\x9F\x94\xA5"), FText::FromString("\xC3\xA9t\xC3\xA9"));
	EXPECT_EQ(Formatted.ToString(), "Gr\xC3\xB6\xC3\x9F" "e \xF0\x9F\x94\xA5 \xE2\x80\x93 \xE5\xAE\x8C\xE4\xBA\x86 \xC3\xA9t\xC3\xA9");
}

#undef LOCTEXT_NAMESPACE
