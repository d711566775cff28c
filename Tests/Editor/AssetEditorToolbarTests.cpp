#include "Editor/AssetEditorToolkit.h"
#include "Editor/EditorUITestAssets.h"
#include "Editor/ExtensibilityManager.h"
#include "Editor/RigVMEditorModule.h"
#include "Editor/ToolMenus.h"
#include "Slate/MultiBoxBuilder.h"

#include <gtest/gtest.h>

namespace
{
	class AssetEditorToolbars : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		FAssetEditorToolkit& Open(UObject* Asset)
		{
			AssetEditors().OpenEditorForAsset(Asset);
			return *dynamic_cast<FAssetEditorToolkit*>(AssetEditors().FindEditorForAsset(Asset, false));
		}

		static std::vector<std::string> SectionNames(const FMultiBox& Box)
		{
			std::vector<std::string> Names;
			for (const FMultiBoxSection& Section : Box.Sections)
			{
				Names.push_back(Section.Name);
			}
			return Names;
		}

		static void AddSendButton(std::string_view MenuName, int& Clicks)
		{
			UToolMenus::Get()->ExtendMenu(MenuName)->FindOrAddSection("Korvane").AddEntry(
				FToolMenuEntry::InitToolBarButton("Send", FUIAction(FExecuteAction::CreateLambda([&Clicks]() { ++Clicks; })), FText::FromString("Send")));
		}
	};
}

TEST_F(AssetEditorToolbars, EachEditorShowsItsKindsToolMenu)
{
	int BlueprintClicks = 0;
	int MaterialClicks = 0;
	AddSendButton(UToolMenus::BlueprintEditorToolBar, BlueprintClicks);
	AddSendButton(UToolMenus::MaterialEditorToolBar, MaterialClicks);

	FAssetEditorToolkit& Blueprint = Open(MakeEditedAsset("BP_Tool", "/Script/Engine.Blueprint"));
	FAssetEditorToolkit& Material = Open(MakeEditedAsset("M_Tool", "/Script/Engine.Material"));
	FAssetEditorToolkit& Table = Open(MakeEditedAsset("DT_Tool", "/Script/Engine.DataTable"));

	EXPECT_EQ(Blueprint.GetToolMenuToolbarName(), "AssetEditor.BlueprintEditor.ToolBar");
	const FMultiBox BlueprintToolbar = Blueprint.GenerateToolbar();
	EXPECT_EQ(SectionNames(BlueprintToolbar), (std::vector<std::string>{"Asset", "Korvane"}));
	EXPECT_EQ(BlueprintToolbar.Sections[0].Blocks[0].Name, "SaveAsset");
	BlueprintToolbar.Sections[1].Blocks[0].Action.Execute();
	EXPECT_EQ(BlueprintClicks, 1);
	EXPECT_EQ(MaterialClicks, 0) << "each kind has its own menu";

	EXPECT_EQ(SectionNames(Material.GenerateToolbar()), (std::vector<std::string>{"Asset", "Korvane"}));
	EXPECT_EQ(SectionNames(Table.GenerateToolbar()), std::vector<std::string>{"Asset"}) << "an editor without a tool menu shows its own section only";
}

TEST_F(AssetEditorToolbars, TheControlRigEditorRunsTheRigVMEditorsExtenders)
{
	IRigVMEditorModule* RigVMEditor = IRigVMEditorModule::Get();
	ASSERT_NE(RigVMEditor, nullptr) << "the editor loads RigVMEditor at start-up";
	const std::shared_ptr<FExtensibilityManager> Manager = RigVMEditor->GetToolBarExtensibilityManager();
	ASSERT_NE(Manager, nullptr);

	FAssetEditorToolkit& Rig = Open(MakeEditedAsset("CR_Tool", "/Script/ControlRigDeveloper.ControlRigBlueprint"));
	EXPECT_EQ(SectionNames(Rig.GenerateToolbar()), std::vector<std::string>{"Asset"});

	int Clicks = 0;
	auto Extender = std::make_shared<FExtender>();
	Extender->AddToolBarExtension("Asset", EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateLambda([&Clicks](FToolBarBuilder& Builder) {
		Builder.BeginSection("Korvane");
		Builder.AddComboButton(FUIAction(FExecuteAction::CreateLambda([&Clicks]() { ++Clicks; })), FOnGetContent(), FText::FromString("Send"));
		Builder.EndSection();
	}));
	Manager->AddExtender(Extender);
	Manager->AddExtender(Extender);

	const FMultiBox Toolbar = Rig.GenerateToolbar();
	ASSERT_EQ(SectionNames(Toolbar), (std::vector<std::string>{"Asset", "Korvane"})) << "an open editor shows the extender when its toolbar is built again";
	ASSERT_EQ(Toolbar.Sections[1].Blocks.size(), 1u) << "an extender added twice counts once";
	Toolbar.Sections[1].Blocks[0].Action.Execute();
	EXPECT_EQ(Clicks, 1);

	FAssetEditorToolkit& Blueprint = Open(MakeEditedAsset("BP_NotRig", "/Script/Engine.Blueprint"));
	EXPECT_EQ(SectionNames(Blueprint.GenerateToolbar()), std::vector<std::string>{"Asset"}) << "RigVM extenders are for the Control Rig editor";

	Manager->RemoveExtender(Extender);
	EXPECT_EQ(SectionNames(Rig.GenerateToolbar()), std::vector<std::string>{"Asset"});
}

TEST_F(AssetEditorToolbars, SaveWritesTheAssetToItsPackageFile)
{
	FAssetEditorToolkit& Blueprint = Open(MakeEditedAsset("BP_Saved", "/Script/Engine.Blueprint"));
	const FMultiBox Toolbar = Blueprint.GenerateToolbar();
	EXPECT_FALSE(Editor.Project().Exists("Content/UI/BP_Saved.asset.json"));
	Toolbar.Sections[0].Blocks[0].Action.Execute();
	EXPECT_TRUE(Editor.Project().Exists("Content/UI/BP_Saved.asset.json"));
}
