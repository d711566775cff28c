#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/PropertyExportText.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	const FProperty& Umg(const char* ClassName, const char* PropertyName)
	{
		const UClass* Class = FClassDatabase::Get().FindClass(std::string("/Script/UMG.") + ClassName);
		EXPECT_NE(Class, nullptr) << ClassName;
		const FProperty* Property = Class != nullptr ? Class->FindPropertyByName(PropertyName) : nullptr;
		EXPECT_NE(Property, nullptr) << ClassName << "." << PropertyName;
		return *Property;
	}

	/** The value the editor holds after pasting Text onto the class default, exported against that default. */
	std::string PastedDelta(const FProperty& Property, const char* Text)
	{
		const std::optional<std::string> Value = ImportPropertyText(Property, Property.GetDefaultValueText(), Text);
		EXPECT_TRUE(Value.has_value()) << Text;
		return Value ? ExportPropertyTextDelta(Property, *Value, Property.GetDefaultValueText()) : std::string();
	}
}

TEST(PropertyExportTextTests, StructureDeltasListTheChangedMembersAndAtomicStructuresWhole)
{
	const char* const Layout = "(Offsets=(Right=0.000000),Anchors=(Minimum=(X=0.000000,Y=0.500000),Maximum=(X=1.000000,Y=0.500000)),Alignment=(X=0.000000,Y=0.500000))";
	EXPECT_EQ(PastedDelta(Umg("CanvasPanelSlot", "LayoutData"), Layout), Layout) << "a margin writes what changed, 2D vectors write both members";
	EXPECT_EQ(PastedDelta(Umg("HorizontalBoxSlot", "Size"), "(SizeRule=Fill)"), "(SizeRule=Fill)");
	EXPECT_EQ(PastedDelta(Umg("HorizontalBoxSlot", "Padding"), "(Left=500.000000)"), "(Left=500.000000)");
	EXPECT_EQ(PastedDelta(Umg("Button", "BackgroundColor"), "(R=0.000000,G=0.384823,B=1.000000,A=1.000000)"), "(R=0.000000,G=0.384823,B=1.000000,A=1.000000)");
	EXPECT_EQ(PastedDelta(Umg("TextBlock", "ColorAndOpacity"), "(SpecifiedColor=(R=0.000000,G=0.000000,B=0.000000,A=1.000000))"),
		"(SpecifiedColor=(R=0.000000,G=0.000000,B=0.000000,A=1.000000))");
	EXPECT_EQ(PastedDelta(Umg("TextBlock", "Font"), "(Size=12)"), "(Size=12.000000)") << "the class default's font object and typeface are unchanged";
	EXPECT_EQ(PastedDelta(Umg("Button", "WidgetStyle"), "(Normal=(TintColor=(SpecifiedColor=(R=1.000000,G=0.000000,B=0.000000,A=1.000000))))"),
		"(Normal=(TintColor=(SpecifiedColor=(R=1.000000,G=0.000000,B=0.000000,A=1.000000))))")
		<< "members three structures deep";

	const FProperty& Size = Umg("HorizontalBoxSlot", "Size");
	EXPECT_EQ(ExportPropertyTextDelta(Size, "(Value=1.0,SizeRule=Automatic)", Size.GetDefaultValueText()), "") << "equal to the delta";
	EXPECT_EQ(ExportPropertyTextDelta(Size, "(SizeRule=Fill)", "(SizeRule=Fill,Value=1)"), "");
	EXPECT_EQ(ExportPropertyTextDelta(Size, "(Value=0.5,SizeRule=Fill)", Size.GetDefaultValueText()), "(Value=0.500000,SizeRule=Fill)");
}

TEST(PropertyExportTextTests, SingleValuesExportInTheEditorsSpelling)
{
	EXPECT_EQ(PastedDelta(Umg("Widget", "RenderOpacity"), "0.5"), "0.500000");
	EXPECT_EQ(PastedDelta(Umg("CanvasPanelSlot", "bAutoSize"), "true"), "True");
	EXPECT_EQ(PastedDelta(Umg("CanvasPanelSlot", "ZOrder"), "+3"), "3");
	EXPECT_EQ(PastedDelta(Umg("HorizontalBoxSlot", "HorizontalAlignment"), "EHorizontalAlignment::HAlign_Right"), "HAlign_Right");
	EXPECT_EQ(PastedDelta(Umg("HorizontalBoxSlot", "HorizontalAlignment"), "2"), "HAlign_Center") << "an enumerator by value";
	EXPECT_EQ(PastedDelta(Umg("Widget", "Visibility"), "Collapsed"), "Collapsed");
	EXPECT_EQ(PastedDelta(Umg("TextBlock", "Text"), R"(NSLOCTEXT("[19E0]", "BB71", "Create \"sandbox\""))"), R"(NSLOCTEXT("[19E0]", "BB71", "Create \"sandbox\""))");
	EXPECT_EQ(PastedDelta(Umg("GridPanel", "ColumnFill"), "(1,0.25)"), "(1.000000,0.250000)");

	const FProperty& Label = Umg("Widget", "DisplayLabel");
	EXPECT_EQ(ExportPropertyTextDelta(Label, "\"Mission \\\"Panel\\\"\"", ""), "Mission \"Panel\"") << "a string outside a structure has no quotes";
	EXPECT_EQ(ExportPropertyTextDelta(Label, "\"Mission \\\"Panel\\\"\"", "", EPropertyExportFlags::Delimited), "\"Mission \\\"Panel\\\"\"");
	EXPECT_EQ(ExportPropertyTextDelta(Umg("PanelSlot", "Content"), "/Script/UMG.Button'\"LeftButton\"'", "None"), "/Script/UMG.Button'\"LeftButton\"'");
}

TEST(PropertyExportTextTests, EqualValuesAreIdenticalWhateverTheirSpelling)
{
	const FProperty& Padding = Umg("HorizontalBoxSlot", "Padding");
	EXPECT_TRUE(ArePropertyValuesIdentical(Padding, "(Left=1.0)", "(Bottom=0,Left=1.000000,Top=0.0)"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Padding, "", "(Left=0.000000,Top=0.000000,Right=0.000000,Bottom=0.000000)")) << "missing members are defaults";
	EXPECT_FALSE(ArePropertyValuesIdentical(Padding, "(Left=1.0)", "(Left=1.5)"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Umg("CanvasPanelSlot", "bAutoSize"), "true", "True"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Umg("HorizontalBoxSlot", "VerticalAlignment"), "VAlign_Top", "EVerticalAlignment::VAlign_Top"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Umg("WidgetTree", "RootWidget"), "/Script/UMG.CanvasPanel'\"CanvasPanel_34\"'", "CanvasPanel'\"canvaspanel_34\"'"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Umg("WidgetTree", "RootWidget"), "", "None"));

	const FProperty& Text = Umg("TextBlock", "Text");
	EXPECT_TRUE(ArePropertyValuesIdentical(Text, R"(NSLOCTEXT("A","B","Hi"))", R"(NSLOCTEXT("A", "B", "Hi"))"));
	EXPECT_FALSE(ArePropertyValuesIdentical(Text, R"(NSLOCTEXT("A", "B", "Hi"))", R"(NSLOCTEXT("A", "C", "Hi"))")) << "another key is another text";
	EXPECT_TRUE(ArePropertyValuesIdentical(Text, R"(INVTEXT("Hi"))", R"("Hi")"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Text, R"(NSLOCTEXT("A", "B", ""))", R"("")")) << "empty texts are alike";
	EXPECT_FALSE(ArePropertyValuesIdentical(Text, Text.GetDefaultValueText(), R"("")"));

	const FProperty& Fill = Umg("GridPanel", "ColumnFill");
	EXPECT_TRUE(ArePropertyValuesIdentical(Fill, "(1,2)", "(1.0,2.000000)"));
	EXPECT_FALSE(ArePropertyValuesIdentical(Fill, "(1,2)", "(1,2,3)"));
	EXPECT_TRUE(ArePropertyValuesIdentical(Fill, "", "()"));
}

TEST(PropertyExportTextTests, ImportsMergeIntoTheCurrentValueAndRefuseWhatIsNoValue)
{
	const FProperty& Layout = Umg("CanvasPanelSlot", "LayoutData");
	const std::optional<std::string> Moved = ImportPropertyText(Layout, Layout.GetDefaultValueText(), "(Offsets=(Right=0.0))");
	ASSERT_TRUE(Moved.has_value());
	EXPECT_EQ(*Moved,
		"(Offsets=(Left=0.000000,Top=0.000000,Right=0.000000,Bottom=30.000000),Anchors=(Minimum=(X=0.000000,Y=0.000000),Maximum=(X=0.000000,Y=0.000000)),"
		"Alignment=(X=0.000000,Y=0.000000))")
		<< "the bottom offset keeps its value";
	const std::optional<std::string> Anchored = ImportPropertyText(Layout, *Moved, "(Anchors=(Maximum=(X=1)))");
	ASSERT_TRUE(Anchored.has_value());
	EXPECT_NE(Anchored->find("Right=0.000000,Bottom=30.000000"), std::string::npos);
	EXPECT_NE(Anchored->find("Maximum=(X=1.000000,Y=0.000000)"), std::string::npos);
	EXPECT_NE(ImportPropertyText(Layout, *Moved, "(offsets=(left=2))")->find("Left=2.000000"), std::string::npos) << "member names ignore case";

	EXPECT_EQ(ImportPropertyText(Layout, *Moved, "(Nowhere=1)"), std::nullopt) << "an unknown member";
	EXPECT_EQ(ImportPropertyText(Layout, *Moved, "(Offsets=(Left=wide))"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Layout, *Moved, "(Offsets=(Left=1)"), std::nullopt) << "unbalanced";
	EXPECT_EQ(ImportPropertyText(Layout, *Moved, "Offsets"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("Widget", "RenderOpacity"), "1.0", "nan"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("Widget", "RenderOpacity"), "1.0", "1e39"), std::nullopt) << "beyond a float";
	EXPECT_EQ(ImportPropertyText(Umg("CanvasPanelSlot", "ZOrder"), "0", "1.5"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("HorizontalBoxSlot", "HorizontalAlignment"), "HAlign_Fill", "HAlign_Sideways"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("CanvasPanelSlot", "bAutoSize"), "False", "maybe"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("TextBlock", "Text"), "", "NSLOCTEXT(\"A\", \"B\")"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("GridPanel", "ColumnFill"), "", "(1,x)"), std::nullopt);
	EXPECT_EQ(ImportPropertyText(Umg("GridPanel", "ColumnFill"), "(5)", "(1,2)"), "(1.000000,2.000000)") << "an array is replaced whole";
}

TEST(PropertyExportTextTests, ObjectReferencesNameTheirPath)
{
	const FProperty& Content = Umg("PanelSlot", "Content");
	EXPECT_TRUE(IsObjectReferenceProperty(Content));
	EXPECT_TRUE(IsObjectReferenceProperty(*FClassDatabase::Get().FindClass("/Script/UMGEditor.WidgetBlueprintFactory")->FindPropertyByName("ParentClass")));
	EXPECT_FALSE(IsObjectReferenceProperty(Umg("Widget", "Visibility")));
	EXPECT_EQ(GetObjectReferencePath(Content, "/Script/UMG.Button'\"LeftButton\"'"), "LeftButton");
	EXPECT_EQ(GetObjectReferencePath(Content, "Texture2D'/Game/UI/T_Icon.T_Icon'"), "/Game/UI/T_Icon.T_Icon");
	EXPECT_EQ(GetObjectReferencePath(Content, "None"), "");
	EXPECT_EQ(GetObjectReferencePath(Umg("Widget", "Visibility"), "Visible"), std::nullopt);
}
