#include "Editor/ToolMenus.h"

#include <gtest/gtest.h>

namespace
{
	/** A module-like owner whose start-up callback adds one button to the play toolbar. */
	struct FMenuOwner
	{
		void RegisterMenus()
		{
			++Runs;
			UToolMenu* Menu = UToolMenus::Get()->ExtendMenu(UToolMenus::LevelEditorPlayToolBar);
			Menu->FindOrAddSection("Owned").AddEntry(FToolMenuEntry::InitToolBarButton("Button", FUIAction(FExecuteAction::CreateRaw(this, &FMenuOwner::Click))));
		}
		void Click() { ++Clicks; }

		int Runs = 0;
		int Clicks = 0;
	};

	FToolMenuEntry Button(std::string Name, std::string Label)
	{
		return FToolMenuEntry::InitToolBarButton(std::move(Name), FUIAction(), FText::FromString(std::move(Label)));
	}
}

TEST(ToolMenusTests, TheEditorHasItsMenusAndNoOthers)
{
	UToolMenus Menus;
	for (const char* Name : {"LevelEditor.LevelEditorToolBar.PlayToolBar", "AssetEditor.BlueprintEditor.ToolBar", "AssetEditor.MaterialEditor.ToolBar",
			 "AssetEditor.WidgetBlueprintEditor.ToolBar"})
	{
		EXPECT_NE(Menus.ExtendMenu(Name), nullptr) << Name;
	}
	EXPECT_EQ(Menus.ExtendMenu("AssetEditor.ControlRigEditor.ToolBar"), nullptr) << "the Control Rig editor is extended through RigVMEditor";
	EXPECT_EQ(Menus.ExtendMenu("LevelEditor.Nonexistent"), nullptr);
	EXPECT_EQ(UToolMenus::Get(), &Menus);
	EXPECT_EQ(UToolMenus::GetAssetEditorToolBarName("MaterialEditor"), "AssetEditor.MaterialEditor.ToolBar");
}

TEST(ToolMenusTests, SectionsAreFoundByNameAndEntriesReplacedByName)
{
	UToolMenus Menus;
	UToolMenu* Menu = Menus.ExtendMenu(UToolMenus::BlueprintEditorToolBar);
	FToolMenuSection& Section = Menu->FindOrAddSection("Korvane");
	EXPECT_EQ(&Menu->FindOrAddSection("Korvane"), &Section);
	Section.AddEntry(Button("Send", "First"));
	Section.AddEntry(Button("Other", "Other"));
	const uint64_t FirstSerial = Section.FindEntry("Send")->Serial;
	Section.AddEntry(Button("Send", "Second"));
	ASSERT_EQ(Section.Blocks.size(), 2u) << "the same name twice keeps one entry";
	EXPECT_EQ(Section.Blocks[0].Label.Get().ToString(), "Second") << "replaced where it stood";
	EXPECT_NE(Section.Blocks[0].Serial, FirstSerial) << "the replacement is a new entry";

	Menu->FindOrAddSection("Empty");
	const FMultiBox Shown = Menu->MakeMultiBox();
	ASSERT_EQ(Shown.Sections.size(), 1u) << "sections without entries are not shown";
	EXPECT_EQ(Shown.Sections[0].Blocks[0].ToolMenuEntrySerial, Section.Blocks[0].Serial);
}

TEST(ToolMenusTests, StartupCallbacksRunOnceTheMenusAreUp)
{
	FMenuOwner Early;
	FMenuOwner Late;
	UToolMenus::RegisterStartupCallback(FSimpleDelegate::CreateRaw(&Early, &FMenuOwner::RegisterMenus));
	EXPECT_EQ(Early.Runs, 0) << "no menu system yet";
	{
		UToolMenus Menus;
		EXPECT_EQ(Early.Runs, 0) << "the system is not up before its module says so";
		Menus.RunStartupCallbacks();
		EXPECT_EQ(Early.Runs, 1);
		UToolMenus::RegisterStartupCallback(FSimpleDelegate::CreateRaw(&Late, &FMenuOwner::RegisterMenus));
		EXPECT_EQ(Late.Runs, 1) << "registered after the menus are up: runs at once";
		Menus.RunStartupCallbacks();
		EXPECT_EQ(Early.Runs + Late.Runs, 2) << "each callback runs once";
	}
	UToolMenus::UnRegisterStartupCallback(&Early);
	UToolMenus::UnRegisterStartupCallback(&Late);
}

TEST(ToolMenusTests, AnOwnersEntriesAndEmptiedSectionsGoTogether)
{
	UToolMenus Menus;
	Menus.RunStartupCallbacks();
	FMenuOwner Owner;
	UToolMenus::RegisterStartupCallback(FSimpleDelegate::CreateRaw(&Owner, &FMenuOwner::RegisterMenus));
	UToolMenu* Menu = Menus.ExtendMenu(UToolMenus::LevelEditorPlayToolBar);
	{
		const FToolMenuOwnerScoped Scope(&Menus);
		Menu->FindOrAddSection("Owned").AddEntry(Button("Foreign", "Someone else's"));
		Menu->FindOrAddSection("Other").AddEntry(Button("Foreign", "Someone else's"));
	}
	ASSERT_EQ(Menu->FindSection("Owned")->Blocks.size(), 2u);
	EXPECT_EQ(Menu->FindSection("Owned")->Blocks[0].Owner, FToolMenuOwner(&Owner)) << "a start-up callback's entries belong to its object";
	Menu->FindSection("Owned")->Blocks[0].Action.Execute();
	EXPECT_EQ(Owner.Clicks, 1);

	UToolMenus::UnregisterOwner(&Owner);
	ASSERT_NE(Menu->FindSection("Owned"), nullptr) << "the section still holds another owner's entry";
	EXPECT_EQ(Menu->FindSection("Owned")->Blocks.size(), 1u);
	UToolMenus::UnregisterOwner(&Menus);
	EXPECT_EQ(Menu->FindSection("Other"), nullptr);
	EXPECT_NE(Menu->FindSection("Owned"), nullptr) << "a section another owner added stays";
	UToolMenus::UnRegisterStartupCallback(&Owner);
}
