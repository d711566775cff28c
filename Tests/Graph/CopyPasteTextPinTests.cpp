#include "Graph/CopyPasteTextPin.h"
#include "Graph/CopyPasteTextValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	/** The items of a list text, or nothing when it is not a list. */
	std::optional<std::vector<FCopyPasteListItem>> ListItems(std::string_view Text)
	{
		std::vector<FCopyPasteListItem> Items;
		FCopyPasteListReader Reader(Text);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			Items.push_back(*Item);
		}
		return Reader.IsList() ? std::optional(std::move(Items)) : std::nullopt;
	}

	// From a UE4.27 split struct pin: a text call with nested brackets and quotes, sub-pins, links.
	constexpr std::string_view SplitParent =
		"(PinId=8F1BE1181C70470AB02C3A295CB6892E,PinName=\"DefaultChord\",PinFriendlyName=LOCGEN_FORMAT_NAMED(NSLOCTEXT(\"KismetSchema\", \"SplitPinFriendlyNameFormat\", \"{PinDisplayName} {ProtoPinDisplayName}\"), \"PinDisplayName\", \"Default (Chord)\", \"ProtoPinDisplayName\", \"x, y\"),"
		"PinToolTip=\"Default Chord\\nInput Chord Structure\",PinType.PinCategory=\"struct\",PinType.PinSubCategory=\"\",PinType.PinSubCategoryObject=ScriptStruct'\"/Script/Slate.InputChord\"',"
		"PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),PinType.ContainerType=None,PinType.bIsReference=True,PinType.bIsConst=True,PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,"
		"SubPins=(K2Node_CallFunction_105 D64E0A0A4C1B2A3E9F8E7D6C5B4A3921,K2Node_CallFunction_105 E8A30A0A4C1B2A3E9F8E7D6C5B4A3921,),"
		"PersistentGuid=00000000000000000000000000000000,bHidden=True,bNotConnectable=False,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,bAdvancedView=False,bOrphanedPin=False,bSomethingNew=Maybe,)";
}

TEST(CopyPasteTextPinTest, ReadsTheFieldsAndKeepsTheLine)
{
	const std::optional<FCopyPastePin> Pin = ParseCopyPastePin(SplitParent);
	ASSERT_TRUE(Pin.has_value());
	EXPECT_EQ(Pin->PinId, "8F1BE1181C70470AB02C3A295CB6892E");
	EXPECT_EQ(Pin->PinName, "DefaultChord");
	EXPECT_EQ(Pin->PinFriendlyName,
		"LOCGEN_FORMAT_NAMED(NSLOCTEXT(\"KismetSchema\", \"SplitPinFriendlyNameFormat\", \"{PinDisplayName} {ProtoPinDisplayName}\"), \"PinDisplayName\", \"Default (Chord)\", \"ProtoPinDisplayName\", \"x, y\")");
	EXPECT_EQ(Pin->Direction, "EGPD_Input");
	EXPECT_EQ(Pin->PinType.PinCategory, "struct");
	EXPECT_EQ(Pin->PinType.PinSubCategoryObject, "ScriptStruct'\"/Script/Slate.InputChord\"'");
	EXPECT_TRUE(Pin->PinType.bIsReference);
	EXPECT_TRUE(Pin->PinType.bIsConst);
	ASSERT_EQ(Pin->SubPins.size(), 2u);
	EXPECT_EQ(Pin->SubPins[1].NodeName, "K2Node_CallFunction_105");
	EXPECT_EQ(Pin->SubPins[1].PinId, "E8A30A0A4C1B2A3E9F8E7D6C5B4A3921");
	EXPECT_TRUE(Pin->bHidden);
	EXPECT_FALSE(Pin->DefaultValue.has_value());
}

TEST(CopyPasteTextPinTest, ListItemsAreTheValueParsersItems)
{
	const std::optional<std::vector<FCopyPasteListItem>> Fields = ListItems(SplitParent);
	const FCopyPasteValue Parsed = ParseCopyPasteValue(SplitParent);
	ASSERT_TRUE(Fields.has_value());
	ASSERT_EQ(Fields->size(), Parsed.Items.size());
	for (std::size_t Index = 0; Index < Fields->size(); ++Index)
	{
		EXPECT_EQ((*Fields)[Index].Key, Parsed.Items[Index].Key);
		EXPECT_EQ((*Fields)[Index].Value, WriteCopyPasteValue(Parsed.Items[Index].Value));
	}
	EXPECT_EQ(Fields->back().Key, "bSomethingNew");
	EXPECT_EQ(Fields->back().Value, "Maybe");

	// Spaces before an item are not part of it; a blank after the last comma is no item.
	const std::optional<std::vector<FCopyPasteListItem>> Spaced = ListItems("( A=1, (B=2), \"x,y\" ,  )");
	ASSERT_TRUE(Spaced.has_value());
	ASSERT_EQ(Spaced->size(), 3u);
	EXPECT_EQ((*Spaced)[0].Key, "A");
	EXPECT_EQ((*Spaced)[1].Value, "(B=2)");
	EXPECT_FALSE((*Spaced)[2].Key.has_value());
	EXPECT_EQ((*Spaced)[2].Value, "\"x,y\" ");
	EXPECT_TRUE(ListItems("()")->empty());
	EXPECT_TRUE(ListItems("( )")->empty());
	EXPECT_FALSE(ListItems("(A=\"open)").has_value());
	EXPECT_FALSE(ListItems("(A=1))(").has_value());
	EXPECT_FALSE(ListItems("Call(A=1)").has_value());
}

TEST(CopyPasteTextPinTest, ReadsLinksDefaultsAndOlderTypeFlags)
{
	const std::optional<FCopyPastePin> Pin = ParseCopyPastePin(
		"(PinId=75CAD3B54A11137D26EE219525E20C3D,PinName=\"OutputPin\",Direction=\"EGPD_Output\",PinType.PinCategory=\"wildcard\",PinType.bIsMap=False,PinType.bIsSet=False,PinType.bIsArray=True,"
		"DefaultValue=\"(R=0.000000,G=0.660000,B=1.000000,A=1.000000)\",DefaultObject=\"/Script/Engine.Default__GameplayStatics\","
		"LinkedTo=(MaterialGraphNode_Root_2 F0D892554E1E97F6481FF9A035293903,K2Node_X_0 8A8B0F0D4C1B2A3E9F8E7D6C5B4A3921,broken,),ParentPin=K2Node_CallFunction_105 8F1BE1181C70470AB02C3A295CB6892E,)");
	ASSERT_TRUE(Pin.has_value());
	EXPECT_EQ(Pin->Direction, "EGPD_Output");
	EXPECT_EQ(Pin->PinType.ContainerType, "Array");
	EXPECT_EQ(Pin->DefaultValue, "(R=0.000000,G=0.660000,B=1.000000,A=1.000000)");
	EXPECT_EQ(Pin->DefaultObject, "/Script/Engine.Default__GameplayStatics");
	ASSERT_EQ(Pin->LinkedTo.size(), 2u);
	EXPECT_EQ(Pin->LinkedTo[0].NodeName, "MaterialGraphNode_Root_2");
	EXPECT_EQ(Pin->LinkedTo[1].PinId, "8A8B0F0D4C1B2A3E9F8E7D6C5B4A3921");
	ASSERT_TRUE(Pin->ParentPin.has_value());
	EXPECT_EQ(Pin->ParentPin->NodeName, "K2Node_CallFunction_105");

	EXPECT_FALSE(ParseCopyPastePin("Name=\"Start\" IsArray=0").has_value());
	EXPECT_FALSE(ParseCopyPastePin("(PinId=1,").has_value());
}

TEST(CopyPasteTextPinTest, CommonFieldRunsReadAsTheirFieldsOneByOne)
{
	// Lines holding the editor's usual runs of fields, read once as they are and once with a
	// space after every comma (which no run matches, so each field is read on its own).
	const std::vector<std::string> Lines = {
		"(PinId=A0000000000000000000000000000001,PinName=\"then\",Direction=\"EGPD_Output\",PinType.PinCategory=\"exec\",PinType.PinSubCategory=\"\",PinType.PinSubCategoryObject=None,"
		"PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),PinType.ContainerType=None,PinType.bIsReference=False,PinType.bIsConst=False,PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,"
		"LinkedTo=(K2Node_CallFunction_1 B0000000000000000000000000000001,),"
		"PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=False,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,bAdvancedView=False,bOrphanedPin=False,)",
		// Fields before a run that the run sets again: the later value wins, as read in order.
		"(bHidden=True,PinType.bIsConst=True,PinType.ContainerType=Array,PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),PinType.ContainerType=None,PinType.bIsReference=False,PinType.bIsConst=False,"
		"PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=False,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,"
		"bAdvancedView=False,bOrphanedPin=False,bAdvancedView=True,)",
		// A run that the line does not close as a list.
		"(PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=False,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,bAdvancedView=False,bOrphanedPin=False,\"open)",
	};
	for (const std::string& Line : Lines)
	{
		std::string Spaced;
		for (const char Character : Line)
		{
			Spaced += Character;
			Spaced += Character == ',' ? " " : "";
		}
		const std::optional<FCopyPastePin> Read = ParseCopyPastePin(Line);
		const std::optional<FCopyPastePin> OneByOne = ParseCopyPastePin(Spaced);
		ASSERT_EQ(Read.has_value(), OneByOne.has_value()) << Line;
		if (!Read)
		{
			continue;
		}
		EXPECT_EQ(Read->PinId, OneByOne->PinId);
		EXPECT_EQ(Read->PinName, OneByOne->PinName);
		EXPECT_EQ(Read->Direction, OneByOne->Direction);
		EXPECT_EQ(Read->PinType, OneByOne->PinType) << Line;
		EXPECT_EQ(Read->LinkedTo.size(), OneByOne->LinkedTo.size());
		EXPECT_EQ(Read->bHidden, OneByOne->bHidden) << Line;
		EXPECT_EQ(Read->bNotConnectable, OneByOne->bNotConnectable);
		EXPECT_EQ(Read->bAdvancedView, OneByOne->bAdvancedView) << Line;
		EXPECT_EQ(Read->bOrphanedPin, OneByOne->bOrphanedPin);
	}
	const std::optional<FCopyPastePin> Overridden = ParseCopyPastePin(Lines[1]);
	ASSERT_TRUE(Overridden.has_value());
	EXPECT_FALSE(Overridden->bHidden);
	EXPECT_FALSE(Overridden->PinType.bIsConst);
	EXPECT_EQ(Overridden->PinType.ContainerType, "None");
	EXPECT_TRUE(Overridden->bAdvancedView);
	EXPECT_FALSE(ParseCopyPastePin(Lines[2]).has_value());
}
