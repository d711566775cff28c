#include "Assets/AssetFiles.h"
#include "Editor/AssetEditorKinds.h"
#include "Editor/EditorEngine.h"
#include "Editor/TabManager.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Slate/DockTab.h"

#include <gtest/gtest.h>

namespace
{
	class AssetEditors : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UAssetEditorSubsystem& Subsystem = *GEditor->GetEditorSubsystem<UAssetEditorSubsystem>();

		/** A new asset "/Game/Editing/<Name>.<Name>" of the class. */
		static UObject* MakeAsset(std::string_view Name, std::string_view ClassPath)
		{
			UPackage* Package = CreatePackage("/Game/Editing/" + std::string(Name));
			return NewObject<UObject>(Package, FindEngineClassChecked(ClassPath), Name);
		}

		/** The asset's editor tab, as the agent tools reach it: editor, tab manager, owner tab. */
		std::shared_ptr<SDockTab> TabOf(UObject* Asset)
		{
			IAssetEditorInstance* AssetEditor = Subsystem.FindEditorForAsset(Asset, false);
			return AssetEditor != nullptr ? AssetEditor->GetAssociatedTabManager()->GetOwnerTab() : nullptr;
		}

		/** The first edited asset whose tab is in front, found the way the agent tools find it. */
		UObject* FocusedAsset()
		{
			for (UObject* Asset : Subsystem.GetAllEditedAssets())
			{
				const std::shared_ptr<SDockTab> Tab = TabOf(Asset);
				if (Tab != nullptr && Tab->IsForeground())
				{
					return Asset;
				}
			}
			return nullptr;
		}

		std::size_t ForegroundTabCount() const
		{
			std::size_t Count = 0;
			for (const std::shared_ptr<SDockTab>& Tab : Subsystem.GetMainWindow()->GetTabs())
			{
				Count += Tab->IsForeground() ? 1 : 0;
			}
			return Count;
		}

		UObject* BlueprintA = MakeAsset("BP_A", "/Script/Engine.Blueprint");
		UObject* BlueprintB = MakeAsset("BP_B", "/Script/Engine.Blueprint");
	};
}

TEST(AssetEditorKindTests, TheEditorFollowsTheAssetsClass)
{
	FTestEditor Editor{HostOnly()};
	const auto NameFor = [](std::string_view ClassPath) { return ChooseAssetEditorName(FindEngineClassChecked(ClassPath)); };
	EXPECT_EQ(NameFor("/Script/Engine.Blueprint"), "BlueprintEditor");
	EXPECT_EQ(NameFor("/Script/Engine.AnimBlueprint"), "BlueprintEditor") << "Blueprint kinds without an editor of their own";
	EXPECT_EQ(NameFor("/Script/UMGEditor.WidgetBlueprint"), "WidgetBlueprintEditor");
	EXPECT_EQ(NameFor("/Script/ControlRigDeveloper.ControlRigBlueprint"), "ControlRigEditor");
	EXPECT_EQ(NameFor("/Script/Engine.Material"), "MaterialEditor");
	EXPECT_EQ(NameFor("/Script/Engine.MaterialInstanceConstant"), "MaterialEditor");
	EXPECT_EQ(NameFor("/Script/Engine.MaterialFunction"), "MaterialEditor");
	EXPECT_EQ(NameFor("/Script/Engine.MaterialFunctionMaterialLayer"), "MaterialEditor");
	EXPECT_EQ(NameFor("/Script/Engine.DataTable"), "GenericAssetEditor");
	EXPECT_EQ(NameFor("/Script/Engine.Texture2D"), "GenericAssetEditor");
	EXPECT_EQ(ChooseAssetEditorName(nullptr), "GenericAssetEditor");
}

TEST(AssetEditorEngineTests, GEditorIsSetWhileTheHostLives)
{
	{
		FTestEditor Editor{HostOnly()};
		EXPECT_EQ(GEditor, &Editor.Host().GetEditorEngine());
		const std::shared_ptr<SWindow> MainWindow = GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetMainWindow();
		ASSERT_EQ(MainWindow->GetTabs().size(), 1u);
		const std::shared_ptr<SDockTab> LevelEditor = MainWindow->GetTabs().front();
		EXPECT_EQ(LevelEditor->GetLayoutIdentifier(), "LevelEditor");
		EXPECT_EQ(LevelEditor->GetTabRole(), ETabRole::MajorTab);
		EXPECT_EQ(LevelEditor->GetTabLabel().ToString(), "TestProject");
		EXPECT_EQ(MainWindow->GetTitle().ToString(), "TestProject");
		EXPECT_TRUE(LevelEditor->IsForeground());
	}
	EXPECT_EQ(GEditor, nullptr);
}

TEST_F(AssetEditors, EditorsOpenInMajorTabsInFrontAndListInOpeningOrder)
{
	UObject* Material = MakeAsset("M_Stone", "/Script/Engine.Material");
	ASSERT_TRUE(Subsystem.OpenEditorForAsset(BlueprintA));
	ASSERT_TRUE(Subsystem.OpenEditorForAsset(Material));
	ASSERT_TRUE(Subsystem.OpenEditorForAsset(BlueprintB));

	EXPECT_EQ(Subsystem.GetAllEditedAssets(), (std::vector<UObject*>{BlueprintA, Material, BlueprintB}));
	EXPECT_EQ(Subsystem.FindEditorForAsset(Material, false)->GetEditorName(), "MaterialEditor");
	EXPECT_EQ(Subsystem.FindEditorForAsset(BlueprintB, false)->GetEditingAsset(), BlueprintB);

	const std::vector<std::shared_ptr<SDockTab>>& Tabs = Subsystem.GetMainWindow()->GetTabs();
	ASSERT_EQ(Tabs.size(), 4u);
	EXPECT_EQ(Tabs[0]->GetLayoutIdentifier(), "LevelEditor");
	EXPECT_EQ(Tabs[1]->GetTabLabel().ToString(), "BP_A");
	EXPECT_EQ(Tabs[1]->GetTabRole(), ETabRole::MajorTab);
	EXPECT_EQ(Tabs[2]->GetTabLabel().ToString(), "M_Stone");
	EXPECT_EQ(Tabs[3], TabOf(BlueprintB));
	EXPECT_EQ(ForegroundTabCount(), 1u);
	EXPECT_TRUE(TabOf(BlueprintB)->IsForeground());
	EXPECT_EQ(FocusedAsset(), BlueprintB) << "of two Blueprint editors the second is in front";
}

TEST_F(AssetEditors, FindingFocusesOnlyWhenAsked)
{
	Subsystem.OpenEditorForAsset(BlueprintA);
	Subsystem.OpenEditorForAsset(BlueprintB);

	ASSERT_NE(Subsystem.FindEditorForAsset(BlueprintA, false), nullptr);
	EXPECT_EQ(FocusedAsset(), BlueprintB);
	ASSERT_NE(Subsystem.FindEditorForAsset(BlueprintA, true), nullptr);
	EXPECT_EQ(FocusedAsset(), BlueprintA);
	EXPECT_EQ(ForegroundTabCount(), 1u);
	EXPECT_EQ(Subsystem.GetAllEditedAssets(), (std::vector<UObject*>{BlueprintA, BlueprintB})) << "focusing keeps the opening order";

	Subsystem.FindEditorForAsset(BlueprintB, false)->FocusWindow();
	EXPECT_EQ(FocusedAsset(), BlueprintB);

	UObject* NeverOpened = MakeAsset("BP_C", "/Script/Engine.Blueprint");
	EXPECT_EQ(Subsystem.FindEditorForAsset(NeverOpened, true), nullptr);
	EXPECT_EQ(Subsystem.FindEditorForAsset(nullptr, true), nullptr);
	EXPECT_EQ(FocusedAsset(), BlueprintB);
}

TEST_F(AssetEditors, OpeningAnOpenAssetFocusesItsEditor)
{
	Subsystem.OpenEditorForAsset(BlueprintA);
	IAssetEditorInstance* FirstEditor = Subsystem.FindEditorForAsset(BlueprintA, false);
	Subsystem.OpenEditorForAsset(BlueprintB);

	ASSERT_TRUE(Subsystem.OpenEditorForAsset(BlueprintA));
	EXPECT_EQ(Subsystem.FindEditorForAsset(BlueprintA, false), FirstEditor);
	EXPECT_EQ(FocusedAsset(), BlueprintA);
	EXPECT_EQ(Subsystem.GetMainWindow()->GetTabs().size(), 3u);
	EXPECT_FALSE(Subsystem.OpenEditorForAsset(nullptr));
}

TEST_F(AssetEditors, ClosingRemovesTheTabAndTheFrontGoesBack)
{
	Subsystem.OpenEditorForAsset(BlueprintA);
	Subsystem.OpenEditorForAsset(BlueprintB);
	const std::weak_ptr<SDockTab> TabOfB = TabOf(BlueprintB);

	Subsystem.CloseAllEditorsForAsset(BlueprintB);
	EXPECT_EQ(Subsystem.FindEditorForAsset(BlueprintB, false), nullptr);
	EXPECT_EQ(TabOfB.lock(), nullptr);
	EXPECT_EQ(Subsystem.GetMainWindow()->GetTabs().size(), 2u);
	EXPECT_EQ(FocusedAsset(), BlueprintA);

	ASSERT_TRUE(Subsystem.FindEditorForAsset(BlueprintA, false)->CloseWindow());
	EXPECT_TRUE(Subsystem.GetAllEditedAssets().empty()) << "an editor whose tab closed is no longer open";
	EXPECT_TRUE(Subsystem.GetLevelEditorTab()->IsForeground());
	Subsystem.CloseAllEditorsForAsset(BlueprintA);
	Subsystem.CloseAllEditorsForAsset(nullptr);
	EXPECT_EQ(Subsystem.GetMainWindow()->GetTabs().size(), 1u);
}

TEST_F(AssetEditors, ReopeningAfterClosingMakesANewTabAtTheEnd)
{
	Subsystem.OpenEditorForAsset(BlueprintA);
	Subsystem.OpenEditorForAsset(BlueprintB);
	Subsystem.CloseAllEditorsForAsset(BlueprintA);
	ASSERT_TRUE(Subsystem.OpenEditorForAsset(BlueprintA));

	EXPECT_EQ(Subsystem.GetAllEditedAssets(), (std::vector<UObject*>{BlueprintB, BlueprintA}));
	EXPECT_EQ(Subsystem.GetMainWindow()->GetTabs().back(), TabOf(BlueprintA));
	EXPECT_EQ(FocusedAsset(), BlueprintA);
}

TEST_F(AssetEditors, ClosingAllLeavesTheLevelEditorInFront)
{
	Subsystem.OpenEditorForAsset(BlueprintA);
	Subsystem.OpenEditorForAsset(BlueprintB);
	Subsystem.FindEditorForAsset(BlueprintA, true);
	Subsystem.CloseAllAssetEditors();

	EXPECT_TRUE(Subsystem.GetAllEditedAssets().empty());
	ASSERT_EQ(Subsystem.GetMainWindow()->GetTabs().size(), 1u);
	EXPECT_TRUE(Subsystem.GetLevelEditorTab()->IsForeground());
	EXPECT_EQ(FocusedAsset(), nullptr);
}

TEST_F(AssetEditors, EditorsOfDestroyedAssetsAreClosedAndNeverListed)
{
	UObject* Garbage = MakeAsset("BP_Garbage", "/Script/Engine.Blueprint");
	Subsystem.OpenEditorForAsset(BlueprintA);
	Subsystem.OpenEditorForAsset(Garbage);
	Subsystem.OpenEditorForAsset(BlueprintB);
	const std::weak_ptr<SDockTab> TabOfB = TabOf(BlueprintB);

	ASSERT_TRUE(FObjectStore::Get().DestroyPackage("/Game/Editing/BP_B"));
	Garbage->MarkAsGarbage();

	EXPECT_EQ(Subsystem.GetAllEditedAssets(), (std::vector<UObject*>{BlueprintA}));
	EXPECT_EQ(TabOfB.lock(), nullptr) << "the editor of a destroyed asset closes its tab";
	EXPECT_EQ(Subsystem.GetMainWindow()->GetTabs().size(), 2u);
	EXPECT_EQ(FocusedAsset(), BlueprintA);
	EXPECT_FALSE(Subsystem.OpenEditorForAsset(Garbage)) << "garbage is no asset to edit";
}
