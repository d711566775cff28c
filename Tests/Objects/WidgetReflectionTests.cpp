#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"
#include "Objects/Object.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/PropertyValues.h"
#include "Objects/ScriptStruct.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
	std::vector<std::string> OwnPropertyNames(const UClass* Class)
	{
		std::vector<std::string> Result;
		for (const FProperty& Property : Class->GetOwnProperties())
		{
			Result.push_back(Property.GetName());
		}
		return Result;
	}

	const std::string Base = R"({"path":"/Script/CoreUObject.Object"},{"path":"/Script/CoreUObject.Class","super":"/Script/CoreUObject.Object"},)"
							 R"({"path":"/Script/CoreUObject.Package","super":"/Script/CoreUObject.Object"},)"
							 R"({"path":"/Script/CoreUObject.ScriptStruct","super":"/Script/CoreUObject.Object"})";
}

TEST(WidgetReflectionTests, SlotsDeclareTheirLayoutInTheOrderTheEditorExportsIt)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UClass* HorizontalBoxSlot = Database.FindClass("/Script/UMG.HorizontalBoxSlot");
	ASSERT_NE(HorizontalBoxSlot, nullptr);
	EXPECT_EQ(OwnPropertyNames(HorizontalBoxSlot), (std::vector<std::string>{"Size", "Padding", "HorizontalAlignment", "VerticalAlignment"}));
	EXPECT_EQ(HorizontalBoxSlot->FindPropertyByName("Parent")->GetOwnerClass()->GetName(), "PanelSlot");
	EXPECT_EQ(HorizontalBoxSlot->FindPropertyByName("Size")->GetDefaultValueText(), "(Value=1.000000,SizeRule=Automatic)");

	const UClass* CanvasPanelSlot = Database.FindClass("/Script/UMG.CanvasPanelSlot");
	ASSERT_NE(CanvasPanelSlot, nullptr);
	EXPECT_EQ(OwnPropertyNames(CanvasPanelSlot), (std::vector<std::string>{"LayoutData", "bAutoSize", "ZOrder"}));
	EXPECT_NE(CanvasPanelSlot->FindPropertyByName("LayoutData")->GetDefaultValueText().find("Right=100.000000,Bottom=30.000000"), std::string::npos);

	for (const char* Path : {"/Script/UMG.VerticalBoxSlot", "/Script/UMG.OverlaySlot", "/Script/UMG.BorderSlot", "/Script/UMG.ButtonSlot", "/Script/UMG.SizeBoxSlot",
			 "/Script/UMG.ScaleBoxSlot", "/Script/UMG.ScrollBoxSlot", "/Script/UMG.GridSlot", "/Script/UMG.UniformGridSlot", "/Script/UMG.WrapBoxSlot",
			 "/Script/UMG.WidgetSwitcherSlot", "/Script/UMG.BackgroundBlurSlot"})
	{
		const UClass* Slot = Database.FindClass(Path);
		ASSERT_NE(Slot, nullptr) << Path;
		EXPECT_TRUE(Slot->IsChildOf(Database.FindClass("/Script/UMG.PanelSlot"))) << Path;
		EXPECT_NE(Slot->FindPropertyByName("HorizontalAlignment"), nullptr) << Path;
	}
}

TEST(WidgetReflectionTests, WidgetPropertiesCarryTheFlagsTheReadRouteFiltersOn)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UClass* TextBlock = Database.FindClass("/Script/UMG.TextBlock");
	ASSERT_NE(TextBlock, nullptr);
	EXPECT_TRUE(TextBlock->IsChildOf(Database.FindClass("/Script/UMG.Widget")));
	const FProperty* Text = TextBlock->FindPropertyByName("Text");
	ASSERT_NE(Text, nullptr);
	EXPECT_TRUE(Text->HasAllPropertyFlags(CPF_Edit | CPF_BlueprintVisible));
	EXPECT_EQ(Text->GetCPPType(), "FText");

	const FProperty* Label = TextBlock->FindPropertyByName("DisplayLabel");
	ASSERT_NE(Label, nullptr);
	EXPECT_TRUE(Label->HasAnyPropertyFlags(CPF_EditorOnly));
	EXPECT_TRUE(TextBlock->FindPropertyByName("bCreatedByConstructionScript")->HasAnyPropertyFlags(CPF_Transient));
	EXPECT_TRUE(TextBlock->FindPropertyByName("Slot")->HasAnyPropertyFlags(CPF_TextExportTransient));

	const UClass* UserWidget = Database.FindClass("/Script/UMG.UserWidget");
	ASSERT_NE(UserWidget, nullptr);
	const FProperty* DesignTimeSize = UserWidget->FindPropertyByName("DesignTimeSize");
	ASSERT_NE(DesignTimeSize, nullptr);
	EXPECT_EQ(DesignTimeSize->GetCPPType(), "FVector2D");
	EXPECT_EQ(UserWidget->FindPropertyByName("DesignSizeMode")->GetDefaultValueText(), "FillScreen");
	EXPECT_TRUE(Database.FindClass("/Script/Blutility.EditorUtilityWidget")->IsChildOf(UserWidget));

	const FProperty* OnClicked = Database.FindClass("/Script/UMG.Button")->FindPropertyByName("OnClicked");
	ASSERT_NE(OnClicked, nullptr);
	EXPECT_TRUE(OnClicked->HasAnyPropertyFlags(CPF_BlueprintAssignable));
	EXPECT_FALSE(OnClicked->HasAnyPropertyFlags(CPF_Edit | CPF_BlueprintVisible));

	const UClass* Factory = Database.FindClass("/Script/UMGEditor.WidgetBlueprintFactory");
	ASSERT_NE(Factory, nullptr);
	EXPECT_EQ(Factory->FindPropertyByName("ParentClass")->GetCPPType(), "TSubclassOf<UUserWidget>");
	EXPECT_EQ(Database.FindClass("/Script/Blutility.EditorUtilityWidgetBlueprintFactory")->FindPropertyByName("ParentClass")->GetCPPType(),
		"TSubclassOf<UEditorUtilityWidget>");
	EXPECT_EQ(Database.FindClass("/Script/UMGEditor.WidgetSlotPair")->FindPropertyByName("WidgetName")->GetCPPType(), "FName");
}

TEST(WidgetReflectionTests, SubclassesChangeInheritedDefaultsAndObjectsSeeThem)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UClass* Widget = Database.FindClass("/Script/UMG.Widget");
	const UClass* TextBlock = Database.FindClass("/Script/UMG.TextBlock");
	const UClass* Button = Database.FindClass("/Script/UMG.Button");
	const FProperty* IsVariable = Widget->FindPropertyByName("bIsVariable");
	ASSERT_NE(IsVariable, nullptr);
	EXPECT_EQ(Widget->GetDefaultValueText(*IsVariable), "True");
	EXPECT_EQ(Button->GetDefaultValueText(*IsVariable), "True");
	EXPECT_EQ(TextBlock->GetDefaultValueText(*IsVariable), "False");
	EXPECT_EQ(Database.FindClass("/Script/UMG.ScrollBox")->GetDefaultValueText(*Widget->FindPropertyByName("Clipping")), "ClipToBounds");
	EXPECT_EQ(Database.FindClass("/Script/Blutility.EditorUtilityWidget")->GetDefaultValueText(*Widget->FindPropertyByName("Visibility")), "SelfHitTestInvisible")
		<< "inherited from UserWidget";

	FObjectStore Store;
	UObject* Text = NewObject<UObject>(nullptr, const_cast<UClass*>(TextBlock));
	ASSERT_NE(Text, nullptr);
	EXPECT_EQ(GetPropertyValueText(*Text, "bIsVariable"), "False");
	ASSERT_TRUE(SetPropertyValueText(*Text, "bIsVariable", "False"));
	EXPECT_TRUE(GetChangedPropertyValues(*Text).empty()) << "the class default is no change";
	ASSERT_TRUE(SetPropertyValueText(*Text, "bIsVariable", "True"));
	EXPECT_EQ(GetChangedPropertyValues(*Text).size(), 1u);
}

TEST(WidgetReflectionTests, StructuresAndEnumerationsOfTheWidgetProperties)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UScriptStruct* LinearColor = Database.FindStruct("/Script/CoreUObject.LinearColor");
	ASSERT_NE(LinearColor, nullptr);
	EXPECT_TRUE(LinearColor->IsAtomic()) << "a colour exports whole";
	EXPECT_EQ(LinearColor->GetAllProperties().size(), 4u);
	const UScriptStruct* Margin = Database.FindStruct("/Script/SlateCore.Margin");
	ASSERT_NE(Margin, nullptr);
	EXPECT_FALSE(Margin->IsAtomic()) << "a margin exports the members that differ";
	const UScriptStruct* ButtonStyle = Database.FindStruct("/Script/SlateCore.ButtonStyle");
	ASSERT_NE(ButtonStyle, nullptr);
	EXPECT_EQ(ButtonStyle->GetSuperStruct(), Database.FindStruct("/Script/SlateCore.SlateWidgetStyle"));
	for (const char* Path : {"/Script/CoreUObject.Vector2D", "/Script/Slate.Anchors", "/Script/UMG.AnchorData", "/Script/UMG.SlateChildSize", "/Script/SlateCore.SlateColor",
			 "/Script/SlateCore.SlateBrush", "/Script/SlateCore.SlateFontInfo", "/Script/SlateCore.TextBlockStyle", "/Script/SlateCore.WidgetTransform"})
	{
		EXPECT_NE(Database.FindStruct(Path), nullptr) << Path;
	}

	const UEnum* SizeRule = Database.FindEnum("/Script/SlateCore.ESlateSizeRule");
	ASSERT_NE(SizeRule, nullptr);
	EXPECT_EQ(SizeRule->GetValueByNameString("ESlateSizeRule::Fill"), 1);
	const UEnum* Mode = Database.FindEnum("/Script/UMG.EDesignPreviewSizeMode");
	ASSERT_NE(Mode, nullptr);
	EXPECT_EQ(Mode->GetNameStringByValue(4), "DesiredOnScreen");
	EXPECT_EQ(Database.FindEnum("/Script/SlateCore.EHorizontalAlignment")->GetValueByNameString("HAlign_Right"), 3);
}

TEST(WidgetReflectionTests, DefaultsAndStructureFlagsThatAreNotSoAreRefused)
{
	const auto Refusal = [](const std::string& Text) {
		std::string Error;
		EXPECT_EQ(FClassDatabase::Load(Text, Error), nullptr) << Text;
		return Error;
	};
	const std::string Declared = R"(,{"path":"/Script/E.A","super":"/Script/CoreUObject.Object","properties":[{"name":"X","type":"int32","default":"0"}]})";
	std::string Error;
	const std::unique_ptr<FClassDatabase> Loaded = FClassDatabase::Load(
		"{\"classes\":[" + Base + Declared + R"(,{"path":"/Script/E.B","super":"/Script/E.A","defaults":{"X":"7"}}],)" +
			R"("structs":[{"path":"/Script/E.S","flags":["Atomic"]}]})",
		Error);
	ASSERT_NE(Loaded, nullptr) << Error;
	const UClass* B = Loaded->FindClass("/Script/E.B");
	EXPECT_EQ(B->GetDefaultValueText(*B->FindPropertyByName("X")), "7");
	EXPECT_EQ(B->GetOwnDefaultOverrides().size(), 1u);
	EXPECT_TRUE(Loaded->FindStruct("/Script/E.S")->IsAtomic());

	EXPECT_NE(Refusal("{\"classes\":[" + Base + Declared + R"(,{"path":"/Script/E.B","super":"/Script/E.A","defaults":{"Y":"7"}}]})").find("Y"), std::string::npos);
	EXPECT_NE(Refusal("{\"classes\":[" + Base + R"(,{"path":"/Script/E.A","super":"/Script/CoreUObject.Object","properties":[{"name":"X","type":"int32"}],"defaults":{"X":"1"}}]})")
				  .find("no super class"),
		std::string::npos)
		<< "a class sets its own properties' defaults in their entries";
	EXPECT_NE(Refusal("{\"classes\":[" + Base + Declared + R"(,{"path":"/Script/E.B","super":"/Script/E.A","defaults":{"X":7}}]})").find("not text"), std::string::npos);
	EXPECT_NE(Refusal("{\"classes\":[" + Base + R"(],"structs":[{"path":"/Script/E.S","flags":["Sideways"]}]})").find("Sideways"), std::string::npos);
}
