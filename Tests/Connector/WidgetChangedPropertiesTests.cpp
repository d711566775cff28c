#include "Assets/AssetFiles.h"

#include "Endpoints/WidgetChangedProperties.h"

#include "Core/JsonSerializer.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PropertyValues.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetTree.h"

#include <gtest/gtest.h>

namespace
{
	class WidgetChangedProperties : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UWidgetTree* Tree = NewObject<UWidgetTree>(GetTransientPackage(), "Tree");

		UWidget* Make(std::string_view ClassPath, std::string_view Name)
		{
			return Tree->ConstructWidget(FClassDatabase::Get().FindClass(ClassPath), Name);
		}
	};
}

TEST_F(WidgetChangedProperties, SizeTextsShortenOnlyWhenTheySayNoMore)
{
	EXPECT_EQ(NormalizeSlotSizeText("(SizeRule=Auto)"), "Auto");
	EXPECT_EQ(NormalizeSlotSizeText("(Value=0.500000,SizeRule=Automatic)"), "Auto") << "Automatic holds Auto";
	EXPECT_EQ(NormalizeSlotSizeText("(sizerule=auto,Value=3.0)"), "Auto") << "any letter case";
	EXPECT_EQ(NormalizeSlotSizeText("(SizeRule=Fill)"), "Fill");
	EXPECT_EQ(NormalizeSlotSizeText("(Value=1.000000,SizeRule=Fill)"), "Fill");
	EXPECT_EQ(NormalizeSlotSizeText("(SizeRule=Fill,Value=1)"), "Fill");
	EXPECT_EQ(NormalizeSlotSizeText("(SizeRule=Fill,Value=1,X=2)"), "Fill");
	EXPECT_EQ(NormalizeSlotSizeText("(Value=0.500000,SizeRule=Fill)"), "(Value=0.500000,SizeRule=Fill)");
	EXPECT_EQ(NormalizeSlotSizeText("(SizeRule=Fill,Value=10.0)"), "(SizeRule=Fill,Value=10.0)");
	EXPECT_EQ(NormalizeSlotSizeText("(Value=0.500000)"), "(Value=0.500000)");
}

TEST_F(WidgetChangedProperties, OnlyVisibleChangedPropertiesAreListedAndSizeOnlyInSlotMode)
{
	UWidget* const Text = Make("/Script/UMG.TextBlock", "Label");
	EXPECT_TRUE(CollectChangedProperties(*Text, false)->IsEmpty()) << "a widget at its defaults";
	ASSERT_TRUE(SetPropertyValueText(*Text, "RenderOpacity", "0.500000"));
	ASSERT_TRUE(SetPropertyValueText(*Text, "ToolTipText", "NSLOCTEXT(\"\", \"k\", \"Hint\")"));
	ASSERT_TRUE(SetPropertyValueText(*Text, "bExpandedInDesigner", "True"));
	const std::shared_ptr<FJsonObject> Changed = CollectChangedProperties(*Text, false);
	EXPECT_EQ(Changed->TryGetStringField("ToolTipText"), "Hint") << "a text property gives its display string";
	EXPECT_EQ(Changed->TryGetStringField("RenderOpacity"), "0.500000");
	EXPECT_EQ(Changed->TryGetField("bExpandedInDesigner"), nullptr) << "editor-only";

	UPanelWidget* const Row = Cast<UPanelWidget>(Make("/Script/UMG.HorizontalBox", "Row"));
	UPanelSlot* const Slot = Row->AddChild(Text);
	ASSERT_NE(Slot, nullptr);
	ASSERT_TRUE(SetPropertyValueText(*Slot, "Size", "(SizeRule=Fill)"));
	EXPECT_EQ(CollectChangedProperties(*Slot, true)->TryGetStringField("Size"), "Fill");
	EXPECT_EQ(CollectChangedProperties(*Slot, false)->TryGetStringField("Size"), "(SizeRule=Fill)");
	EXPECT_EQ(CollectChangedProperties(*Slot, true)->TryGetField("Parent"), nullptr);
	EXPECT_EQ(CollectChangedProperties(*Slot, true)->TryGetField("Content"), nullptr);
}

TEST_F(WidgetChangedProperties, DeepTreesExportWithoutRunningOutOfStack)
{
	UWidget* const Root = Make("/Script/UMG.SizeBox", "Level_0");
	UWidget* Parent = Root;
	for (int Level = 1; Level <= 2000; ++Level)
	{
		UWidget* const Child = Make("/Script/UMG.SizeBox", "Level_" + std::to_string(Level));
		ASSERT_NE(Cast<UPanelWidget>(Parent)->AddChild(Child), nullptr);
		Parent = Child;
	}
	const std::shared_ptr<FJsonObject> Node = ExportWidgetNode(*Root);
	int Depth = 0;
	for (std::shared_ptr<FJsonObject> At = Node; At->TryGetArrayField("children"); At = At->TryGetArrayField("children")->front().TryGetObject())
	{
		++Depth;
	}
	EXPECT_EQ(Depth, 512) << "children past the depth limit are left out";
	EXPECT_FALSE(FJsonSerializer::SerializeCondensed(*Node).empty());
}
