#include "Graph/CopyPasteTextValue.h"

#include <gtest/gtest.h>

namespace
{
	using EKind = FCopyPasteValue::EKind;

	std::vector<std::string> Keys(const FCopyPasteValue& Value)
	{
		std::vector<std::string> Result;
		for (const FCopyPasteValueItem& Item : Value.Items)
		{
			Result.push_back(Item.Key.value_or("-"));
		}
		return Result;
	}
}

TEST(CopyPasteTextValueTest, EveryValueWritesBackAsItWasRead)
{
	const std::string_view Values[] = {
		"(Offsets=(Right=0.000000),Anchors=(Minimum=(X=0.000000,Y=0.500000),Maximum=(X=1.000000,Y=0.500000)),Alignment=(X=0.000000,Y=0.500000))",
		"NSLOCTEXT(\"[19E044D9EFAC4C838F84B9E215B59561]\", \"BB7148FF3A9C42B192309F8220906EC9\", \"Create sandbox\")",
		"LOCGEN_FORMAT_NAMED(NSLOCTEXT(\"KismetSchema\", \"SplitPinFriendlyNameFormat\", \"{PinDisplayName} {ProtoPinDisplayName}\"), \"PinDisplayName\", \"Default Chord\")",
		"(LinkedTo=(K2Node_CallFunction_11 8A8B0F0D4C1B2A3E9F8E7D6C5B4A3921,K2Node_CallFunction_12 5A6D0F0D4C1B2A3E9F8E7D6C5B4A3921,),)",
		"(\"a, (b\", c )", "( )", "(,)", "(a, )", "()", "", "None", "\"\"",
		"Class'\"/Script/Engine.Actor\"'", "/Script/CoreUObject.Class'\"/Script/Engine.Actor\"'",
		"\"/Script/CoreUObject.Class'/Script/Engine.Actor'\"", "PreviewMaterial'/Engine/Transient.spriteNew'",
		// Malformed: kept whole.
		"(a,b", "a)b(", "\"open", "(\"x\\\")", ")(", "NSLOCTEXT(\"a\"", "Key = (1, 2)"};
	for (const std::string_view Text : Values)
	{
		EXPECT_EQ(WriteCopyPasteValue(ParseCopyPasteValue(Text)), Text);
	}
}

TEST(CopyPasteTextValueTest, StructsNestAndKeepKeysInOrder)
{
	const FCopyPasteValue Value = ParseCopyPasteValue(
		"(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.KismetSystemLibrary\"',MemberName=\"Delay\",Pins(1)=(X=1,Y=(Z=\"a)b\")),bSelfContext=True)");
	ASSERT_EQ(Value.Kind, EKind::List);
	EXPECT_EQ(Keys(Value), (std::vector<std::string>{"MemberParent", "MemberName", "Pins(1)", "bSelfContext"}));
	EXPECT_EQ(Value.Find("MemberParent")->Kind, EKind::Token);
	EXPECT_EQ(Value.Find("MemberName")->AsPlainText(), "Delay");
	const FCopyPasteValue* Inner = Value.Find("Pins(1)")->Find("Y")->Find("Z");
	ASSERT_NE(Inner, nullptr);
	EXPECT_EQ(Inner->AsPlainText(), "a)b");
	EXPECT_EQ(Value.Find("Missing"), nullptr);
}

TEST(CopyPasteTextValueTest, TextCallsKeepTheirArguments)
{
	const FCopyPasteValue Text = ParseCopyPasteValue("NSLOCTEXT(\"K2Node\", \"Target\", \"Say \\\"hi\\\", then, (go)\")");
	ASSERT_EQ(Text.Kind, EKind::Call);
	EXPECT_EQ(Text.Text, "NSLOCTEXT");
	ASSERT_EQ(Text.Items.size(), 3u);
	EXPECT_EQ(Text.Items[1].Space, " ");
	EXPECT_EQ(Text.Items[2].Value.AsPlainText(), "Say \"hi\", then, (go)");

	const FCopyPasteValue Format = ParseCopyPasteValue("LOCGEN_FORMAT_NAMED(NSLOCTEXT(\"KismetSchema\", \"F\", \"{A} {B}\"), \"A\", INVTEXT(\"x\"))");
	ASSERT_EQ(Format.Kind, EKind::Call);
	ASSERT_EQ(Format.Items.size(), 3u);
	EXPECT_EQ(Format.Items[0].Value.Kind, EKind::Call);
	EXPECT_EQ(Format.Items[2].Value.Text, "INVTEXT");
}

TEST(CopyPasteTextValueTest, StringsUseTheEditorEscapes)
{
	EXPECT_EQ(UnquoteCopyPasteString("\"ZOrder\\nInteger \\'owns\\' \\\"q\\\" \\\\ \\t\""), "ZOrder\nInteger 'owns' \"q\" \\ \t");
	EXPECT_EQ(UnquoteCopyPasteString("\"unterminated"), std::nullopt);
	EXPECT_EQ(UnquoteCopyPasteString("\"a\"b"), std::nullopt);
	const std::string Content = "line\r\nwith \"quotes\", 'apostrophes' and \\";
	EXPECT_EQ(QuoteCopyPasteString(Content), "\"line\\r\\nwith \\\"quotes\\\", \\'apostrophes\\' and \\\\\"");
	EXPECT_EQ(UnquoteCopyPasteString(QuoteCopyPasteString(Content)), Content);
}

TEST(CopyPasteTextValueTest, DeepNestingStopsAtTheLimitWithoutLoss)
{
	const std::string Deep = std::string(5000, '(') + "x" + std::string(5000, ')');
	const FCopyPasteValue Value = ParseCopyPasteValue(Deep);
	EXPECT_EQ(Value.Kind, EKind::List);
	EXPECT_EQ(WriteCopyPasteValue(Value), Deep);
}

TEST(CopyPasteTextValueTest, ListTestAgreesWithTheParser)
{
	for (const std::string_view Text : {"()", "(A=1,B=\"x)\",)", "(A=(B=(C=1)))", "(", ")", "(A=1))", "(A=1)(B=2)", "((A=\"unterminated)", "(A=')',)", "NSLOCTEXT(\"a\", \"b\", \"c\")", "\"(x)\"", "", " (A=1)", "(A=1) ", "(A=\"\\\")\")", "(\")", "(\"x)", "((a)", "(a)(b)", "(()", "(a))"})
	{
		EXPECT_EQ(IsCopyPasteList(Text), ParseCopyPasteValue(Text).Kind == FCopyPasteValue::EKind::List) << Text;
	}
}

TEST(CopyPasteTextValueTest, ScanFindsQuotesEscapesAndCommasWhereverTheyFall)
{
	// The scan reads many bytes at a time: escapes, quotes, brackets and commas must be found at
	// every offset, including across a block's end.
	for (std::size_t Pad = 0; Pad < 40; ++Pad)
	{
		const std::string Padding(Pad, 'x');
		const std::string Text = "(A=\"" + Padding + "\\\"q,(\\\\\",B=" + Padding + "(C=\")\",D=1),E=" + Padding + ")";
		std::vector<std::pair<std::string, std::string>> Items;
		FCopyPasteListReader Reader(Text);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			Items.emplace_back(Item->Key.value_or(""), Item->Value);
		}
		ASSERT_TRUE(Reader.IsList()) << Text;
		ASSERT_EQ(Items.size(), 3u) << Text;
		EXPECT_EQ(UnquoteCopyPasteString(Items[0].second), Padding + "\"q,(\\") << Text;
		EXPECT_EQ(Items[1].second, Padding + "(C=\")\",D=1)") << Text;
		EXPECT_EQ(Items[2].first, "E");
		EXPECT_EQ(Items[2].second, Padding) << Text;
		EXPECT_TRUE(IsCopyPasteList(Text));
		EXPECT_EQ(WriteCopyPasteValue(ParseCopyPasteValue(Text)), Text);

		const std::string Unclosed = "(A=\"" + Padding + "\\\",B=1)";
		FCopyPasteListReader UnclosedReader(Unclosed);
		while (UnclosedReader.Next())
		{
		}
		EXPECT_FALSE(UnclosedReader.IsList()) << Unclosed;
		EXPECT_FALSE(IsCopyPasteList(Unclosed));
	}
}

TEST(CopyPasteTextValueTest, KeysOfAnyLengthEndAtTheFirstCharacterNoNameHas)
{
	// Keys are read many bytes at a time: every length, and the characters on either side of
	// each range of name characters, must end a key (or make the item keyless) exactly.
	constexpr std::string_view NameCharacters = "aZ09_.zA9m";
	const auto FirstItem = [](const std::string& Text) {
		return FCopyPasteListReader(Text).Next();
	};
	for (std::size_t Length = 1; Length < 40; ++Length)
	{
		std::string Key = "k";
		while (Key.size() < Length)
		{
			Key += NameCharacters[Key.size() % NameCharacters.size()];
		}
		const std::string Keyed = "(" + Key + "=1)";
		const std::optional<FCopyPasteListItem> Item = FirstItem(Keyed);
		ASSERT_TRUE(Item.has_value()) << Keyed;
		EXPECT_EQ(Item->Key, Key) << Keyed;
		EXPECT_EQ(Item->Value, "1") << Keyed;
		for (const char Outside : std::string_view("@[`{/:-\xC3 "))
		{
			const std::string Keyless = "(" + Key + Outside + "x=1)";
			const std::optional<FCopyPasteListItem> Plain = FirstItem(Keyless);
			ASSERT_TRUE(Plain.has_value()) << Keyless;
			EXPECT_FALSE(Plain->Key.has_value()) << Keyless;
			EXPECT_EQ(Plain->Value, Keyless.substr(1, Keyless.size() - 2)) << Keyless;
		}
	}
}
