#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Assets/AssetToolsModule.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Editor/Factories/WidgetBlueprintFactory.h"
#include "Graph/EdGraph.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectPropertyBase.h"
#include "Objects/Package.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"
#include "Objects/SoftObjectPath.h"
#include "Objects/Vector2DPropertyValue.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/UserWidget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	class WidgetBlueprintAsset : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		static UClass* Class(std::string_view Path) { return FClassDatabase::Get().FindClass(Path); }

		/** A new asset made as the connector makes it: the factory class by path, its ParentClass set when given. */
		UWidgetBlueprint* Create(std::string_view FactoryClassPath, std::string_view Name, UClass* ParentClass = nullptr)
		{
			UClass* const FactoryClass = Cast<UClass>(StaticLoadObject(UClass::StaticClass(), FactoryClassPath));
			EXPECT_NE(FactoryClass, nullptr) << FactoryClassPath;
			UFactory* const Factory = NewObject<UFactory>(GetTransientPackage(), FactoryClass);
			if (ParentClass != nullptr)
			{
				const std::optional<FObjectPropertyBase> Property = FObjectPropertyBase::From(FactoryClass->FindPropertyByName("ParentClass"));
				EXPECT_TRUE(Property && Property->SetObjectPropertyValue_InContainer(Factory, ParentClass));
			}
			return Cast<UWidgetBlueprint>(FAssetToolsModule::GetModule().Get().CreateAsset(Name, "/Game/UI", nullptr, Factory));
		}

		static UObject* Defaults(const UWidgetBlueprint& Blueprint) { return Blueprint.GeneratedClass->GetDefaultObject(); }
	};

	/** The values of the object that differ from its class defaults, as the editor exports them against the defaults. */
	std::string ChangedValues(const UObject& Object)
	{
		std::string Text;
		for (const auto& [Name, Value] : GetChangedPropertyValues(Object))
		{
			const FProperty& Property = *Object.GetClass()->FindPropertyByName(Name);
			Text += " " + Name + "=" + ExportPropertyTextDelta(Property, Value, Object.GetClass()->GetDefaultValueText(Property));
		}
		return Text;
	}

	/** The tree as text lines, one per widget: depth, class, name, variable flag, changed values of the widget and its slot. */
	std::vector<std::string> Describe(const UWidgetBlueprint& Blueprint)
	{
		std::vector<std::string> Lines;
		const auto Visit = [&Lines](const auto& Self, const UWidget* Widget, int Depth) -> void {
			std::string Line = std::string(Depth, ' ') + Widget->GetClass()->GetName() + " " + Widget->GetName() + ChangedValues(*Widget);
			if (const UPanelSlot* const Slot = Widget->Slot)
			{
				Line += " |" + Slot->GetClass()->GetName() + ChangedValues(*Slot);
			}
			Lines.push_back(Line);
			if (const UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
			{
				for (int32_t Index = 0; Index < Panel->GetChildrenCount(); ++Index)
				{
					Self(Self, Panel->GetChildAt(Index), Depth + 1);
				}
			}
		};
		for (const UWidget* Widget : Blueprint.GetTopLevelWidgets())
		{
			Visit(Visit, Widget, 0);
		}
		return Lines;
	}
}

TEST_F(WidgetBlueprintAsset, FactoriesAreFoundByTheirClassPaths)
{
	for (const char* Path : {"/Script/UMGEditor.WidgetBlueprintFactory", "/Script/Blutility.EditorUtilityWidgetBlueprintFactory"})
	{
		UClass* const Found = Cast<UClass>(StaticFindObject(UClass::StaticClass(), nullptr, Path));
		ASSERT_NE(Found, nullptr) << Path;
		EXPECT_EQ(StaticLoadObject(UClass::StaticClass(), Path), Found);
		EXPECT_TRUE(Found->IsChildOf<UFactory>());
		const std::optional<FObjectPropertyBase> ParentClass = FObjectPropertyBase::From(Found->FindPropertyByName("ParentClass"));
		ASSERT_TRUE(ParentClass) << Path;
		EXPECT_TRUE(ParentClass->IsClassReference());
	}
	EXPECT_FALSE(FObjectPropertyBase::From(Class("/Script/UMG.TextBlock")->FindPropertyByName("Text"))) << "a text is no object reference";
}

TEST_F(WidgetBlueprintAsset, TheWidgetBlueprintFactoryMakesTreeGraphClassAndDefaultObject)
{
	UWidgetBlueprint* const Blueprint = Create("/Script/UMGEditor.WidgetBlueprintFactory", "WBP_Menu");
	ASSERT_NE(Blueprint, nullptr);
	EXPECT_EQ(Blueprint->GetClass()->GetName(), "WidgetBlueprint");
	EXPECT_EQ(Blueprint->GetPathName(), "/Game/UI/WBP_Menu.WBP_Menu");
	EXPECT_EQ(Blueprint->ParentClass, UUserWidget::StaticClass());
	ASSERT_NE(Blueprint->WidgetTree.Get(), nullptr);
	EXPECT_EQ(Blueprint->WidgetTree->GetPathName(), "/Game/UI/WBP_Menu.WBP_Menu:WidgetTree");
	EXPECT_EQ(Blueprint->WidgetTree->RootWidget.Get(), nullptr);
	ASSERT_EQ(Blueprint->UbergraphPages.size(), 1u);
	EXPECT_EQ(Blueprint->UbergraphPages[0]->GetName(), "EventGraph");
	EXPECT_EQ(Blueprint->SimpleConstructionScript, nullptr) << "widgets have no components";

	ASSERT_NE(Blueprint->GeneratedClass, nullptr);
	EXPECT_EQ(Blueprint->GeneratedClass->GetName(), "WBP_Menu_C");
	EXPECT_EQ(Blueprint->GeneratedClass->GetClass()->GetName(), "WidgetBlueprintGeneratedClass");
	EXPECT_EQ(Blueprint->GeneratedClass->GetSuperClass(), UUserWidget::StaticClass());
	UObject* const Default = Defaults(*Blueprint);
	ASSERT_NE(Cast<UUserWidget>(Default), nullptr);
	EXPECT_NE(Blueprint->GeneratedClass->FindPropertyByName("DesignTimeSize"), nullptr);
	EXPECT_NE(Blueprint->GeneratedClass->FindPropertyByName("DesignSizeMode"), nullptr);
	EXPECT_TRUE(IAssetRegistry::Get()->GetAssetByObjectPath(FSoftObjectPath("/Game/UI/WBP_Menu.WBP_Menu")).IsValid());
	EXPECT_TRUE(Blueprint->GetPackage()->IsDirty());
}

TEST_F(WidgetBlueprintAsset, TheEditorUtilityFactoryDerivesFromEditorUtilityWidgetAndHonoursParentClass)
{
	UWidgetBlueprint* const Tool = Create("/Script/Blutility.EditorUtilityWidgetBlueprintFactory", "EUW_Tool", UEditorUtilityWidget::StaticClass());
	ASSERT_NE(Cast<UEditorUtilityWidgetBlueprint>(Tool), nullptr);
	EXPECT_EQ(Tool->GetClass()->GetName(), "EditorUtilityWidgetBlueprint");
	EXPECT_EQ(Tool->GeneratedClass->GetSuperClass(), UEditorUtilityWidget::StaticClass());
	EXPECT_NE(Cast<UEditorUtilityWidget>(Defaults(*Tool)), nullptr);

	// A Widget Blueprint may derive from another one's class.
	UWidgetBlueprint* const Base = Create("/Script/UMGEditor.WidgetBlueprintFactory", "WBP_Base");
	UWidgetBlueprint* const Child = Create("/Script/UMGEditor.WidgetBlueprintFactory", "WBP_Child", Base->GeneratedClass);
	ASSERT_NE(Child, nullptr);
	EXPECT_EQ(Child->ParentClass, Base->GeneratedClass);

	// An editor utility cannot derive from a plain user widget, nor a widget from an actor.
	EXPECT_EQ(Create("/Script/Blutility.EditorUtilityWidgetBlueprintFactory", "EUW_Plain", UUserWidget::StaticClass()), nullptr);
	EXPECT_EQ(Create("/Script/UMGEditor.WidgetBlueprintFactory", "WBP_Actor", Class("/Script/Engine.Actor")), nullptr);
	EXPECT_FALSE(IAssetRegistry::Get()->GetAssetByObjectPath(FSoftObjectPath("/Game/UI/WBP_Actor.WBP_Actor")).IsValid()) << "no asset is left behind";
}

TEST_F(WidgetBlueprintAsset, DesignSizeStaysOnTheDefaultObjectThroughCompiles)
{
	UWidgetBlueprint* const Blueprint = Create("/Script/Blutility.EditorUtilityWidgetBlueprintFactory", "EUW_Sized");
	UObject* const Default = Defaults(*Blueprint);
	const FProperty* const Size = Default->GetClass()->FindPropertyByName("DesignTimeSize");
	ASSERT_NE(Size, nullptr);
	ASSERT_TRUE(SetVector2DPropertyValue(*Default, *Size, FVector2D{800.0, 600.0}));
	ASSERT_TRUE(SetPropertyValueText(*Default, "DesignSizeMode", "Custom"));
	EXPECT_EQ(GetPropertyValueText(*Default, "DesignTimeSize"), "(X=800.000000,Y=600.000000)");

	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	UObject* const Compiled = Defaults(*Blueprint);
	EXPECT_NE(Compiled, Default) << "the compile makes a new default object";
	EXPECT_EQ(GetVector2DPropertyValue(*Compiled, *Size), (FVector2D{800.0, 600.0}));
	EXPECT_EQ(GetPropertyValueText(*Compiled, "DesignSizeMode"), "Custom");
}

TEST_F(WidgetBlueprintAsset, SaveAndLoadGiveAnEqualTree)
{
	UWidgetBlueprint* const Blueprint = Create("/Script/UMGEditor.WidgetBlueprintFactory", "WBP_Saved");
	UWidgetTree& Tree = *Blueprint->WidgetTree;
	UPanelWidget* const Canvas = Cast<UPanelWidget>(Tree.ConstructWidget(Class("/Script/UMG.CanvasPanel"), "Canvas"));
	UPanelWidget* const Box = Cast<UPanelWidget>(Tree.ConstructWidget(Class("/Script/UMG.VerticalBox"), "Entries"));
	UPanelWidget* const Button = Cast<UPanelWidget>(Tree.ConstructWidget(Class("/Script/UMG.Button"), "StartButton"));
	UWidget* const Caption = Tree.ConstructWidget(Class("/Script/UMG.TextBlock"), "Caption");
	UWidget* const Loose = Tree.ConstructWidget(Class("/Script/UMG.Image"), "Loose");
	Tree.RootWidget = Canvas;
	ASSERT_TRUE(SetPropertyValueText(*Canvas->AddChild(Box), "LayoutData", "(Offsets=(Left=20.000000,Top=40.000000,Right=300.000000,Bottom=200.000000))"));
	ASSERT_TRUE(SetPropertyValueText(*Box->AddChild(Button), "Padding", "(Left=4.000000,Top=4.000000,Right=4.000000,Bottom=4.000000)"));
	Button->AddChild(Caption);
	Button->SetIsVariable(true);
	ASSERT_TRUE(SetPropertyValueText(*Caption, "Text", "NSLOCTEXT(\"HUD\", \"Start\", \"Start\")"));
	ASSERT_TRUE(SetPropertyValueText(*Button, "BackgroundColor", "(R=0.000000,G=0.384823,B=1.000000,A=1.000000)"));
	ASSERT_NE(Loose, nullptr);
	ASSERT_NE(Blueprint->AddAnimation("FadeIn", 0.0, 1.5), nullptr);
	EXPECT_EQ(Blueprint->AddAnimation("FadeIn", 0.0, 1.0), nullptr) << "a taken name";
	UObject* const Default = Defaults(*Blueprint);
	SetVector2DPropertyValue(*Default, *Default->GetClass()->FindPropertyByName("DesignTimeSize"), FVector2D{1920.0, 1080.0});
	SetPropertyValueText(*Default, "DesignSizeMode", "CustomOnScreen");
	const std::vector<std::string> Before = Describe(*Blueprint);
	ASSERT_EQ(Before.size(), 5u);

	const std::string File = Editor.Project().PathOf("Content/UI/WBP_Saved.asset.json");
	ASSERT_TRUE(UPackage::SavePackage(Blueprint->GetPackage(), Blueprint, File));
	const std::string Saved = Editor.Project().ReadFile("Content/UI/WBP_Saved.asset.json");
	EXPECT_NE(Saved.find("\"widgetTree\""), std::string::npos);
	EXPECT_NE(Saved.find("\"NativeParentClass\": \"/Script/CoreUObject.Class'/Script/UMG.UserWidget'\""), std::string::npos);

	// The same file under another name loads as a second asset (the file names no object of its own asset).
	Editor.Project().WriteFile("Content/UI/WBP_Copy.asset.json", Saved);
	UWidgetBlueprint* const Loaded = LoadObject<UWidgetBlueprint>("/Game/UI/WBP_Copy.WBP_Copy");
	ASSERT_NE(Loaded, nullptr);
	EXPECT_EQ(Describe(*Loaded), Before);
	ASSERT_NE(Loaded->WidgetTree->RootWidget.Get(), nullptr);
	EXPECT_EQ(Loaded->WidgetTree->RootWidget->GetName(), "Canvas");
	ASSERT_EQ(Loaded->Animations.size(), 1u);
	EXPECT_EQ(Loaded->Animations[0]->GetName(), "FadeIn_INST");
	EXPECT_EQ(Loaded->Animations[0]->EndTime, 1.5);
	UObject* const LoadedDefault = Defaults(*Loaded);
	EXPECT_EQ(GetPropertyValueText(*LoadedDefault, "DesignTimeSize"), "(X=1920.000000,Y=1080.000000)");
	EXPECT_EQ(GetPropertyValueText(*LoadedDefault, "DesignSizeMode"), "CustomOnScreen");

	// Saving the loaded asset writes the same file.
	ASSERT_TRUE(UPackage::SavePackage(Loaded->GetPackage(), Loaded, Editor.Project().PathOf("Content/UI/WBP_Copy.asset.json")));
	EXPECT_EQ(Editor.Project().ReadFile("Content/UI/WBP_Copy.asset.json"), Saved);
}

TEST_F(WidgetBlueprintAsset, BadWidgetFieldsAreSkippedAndTheRestLoads)
{
	WriteAsset(Editor.Project(), "UI/WBP_Bad", "/Script/UMGEditor.WidgetBlueprint", {},
		R"("parentClass": "/Script/UMG.UserWidget", "widgetTree": "not lines", "animations": [{"name": "NoSuffix"}, 3, {"name": "Pulse_INST", "endTime": 2}],)"
		R"("designTimeSize": {"x": "wide"}, "designSizeMode": "Custom")");
	UWidgetBlueprint* const Blueprint = LoadObject<UWidgetBlueprint>("/Game/UI/WBP_Bad.WBP_Bad");
	ASSERT_NE(Blueprint, nullptr);
	ASSERT_NE(Blueprint->WidgetTree.Get(), nullptr);
	EXPECT_EQ(Blueprint->WidgetTree->RootWidget.Get(), nullptr);
	ASSERT_EQ(Blueprint->Animations.size(), 1u);
	EXPECT_EQ(Blueprint->Animations[0]->GetName(), "Pulse_INST");
	EXPECT_EQ(GetPropertyValueText(*Defaults(*Blueprint), "DesignSizeMode"), "Custom");
}
