#include "Support/TestEditor.h"

#include "KorvaneConnectorModule.h"
#include "KorvaneUITestSupport.h"
#include "PendingPickupStore.h"

#include "Blueprints/Blueprint.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Editor/ExtensibilityManager.h"
#include "Editor/Notifications.h"
#include "Editor/RigVMEditorModule.h"
#include "Editor/TabManager.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
	using namespace KorvaneUITest;

	class KorvaneToolbar : public ::testing::Test
	{
	protected:
		static void OpenAsset(std::string_view ObjectPath)
		{
			EXPECT_TRUE(Editors().OpenEditorForAsset(StaticLoadObject(nullptr, ObjectPath))) << ObjectPath;
		}

		/** A Control Rig Blueprint in memory, open in the Control Rig editor. */
		static UBlueprint* OpenNewControlRig()
		{
			UClass* const RigClass = FindEngineClassChecked("/Script/ControlRigDeveloper.ControlRigBlueprint");
			UBlueprint* const Rig = NewObject<UBlueprint>(CreatePackage("/Game/Tests/CR_Arm"), RigClass, "CR_Arm");
			EXPECT_TRUE(Editors().OpenEditorForAsset(Rig));
			return Rig;
		}

		/** The slot's payload as condensed JSON, taken; empty when nothing was queued. */
		static std::string TakeText(EPickupSlot Slot)
		{
			return FPendingPickupStore::Get().Has(Slot) ? FJsonSerializer::SerializeCondensed(*FPendingPickupStore::Get().Take(Slot)) : std::string();
		}

		static std::vector<std::string> ToastTexts()
		{
			std::vector<std::string> Texts;
			for (const FActiveNotification& Toast : FSlateNotificationManager::Get().GetActiveNotifications())
			{
				Texts.push_back(Toast.Text.ToString() + (Toast.bUseLargeFont ? " [large]" : ""));
			}
			return Texts;
		}

		FTestEditor Editor{DemoProjectOptions()};
	};
}

TEST_F(KorvaneToolbar, TwoWidgetSendsLeaveTheSecondAndEditorUtilityWidgetsCount)
{
	OpenAsset("/Game/UI/WBP_GameHUD.WBP_GameHUD");
	ASSERT_TRUE(Click(UToolMenus::WidgetBlueprintEditorToolBar, "SendWidgetToKorvane"));
	ASSERT_TRUE(Click(UToolMenus::WidgetBlueprintEditorToolBar, "SendWidgetToKorvane"));
	EXPECT_EQ(TakeText(EPickupSlot::Widget), R"({"name":"WBP_GameHUD","blueprintPath":"/Game/UI/WBP_GameHUD.WBP_GameHUD","pending":true})");
	EXPECT_FALSE(FPendingPickupStore::Get().Has(EPickupSlot::Widget)) << "one slot, not a queue";

	OpenAsset("/Game/UI/EUW_AssetTools.EUW_AssetTools");
	ASSERT_TRUE(Click(UToolMenus::WidgetBlueprintEditorToolBar, "SendWidgetToKorvane"));
	EXPECT_EQ(TakeText(EPickupSlot::Widget), R"({"name":"EUW_AssetTools","blueprintPath":"/Game/UI/EUW_AssetTools.EUW_AssetTools","pending":true})");
	EXPECT_THAT(ToastTexts(), ElementsAre("Sent 'WBP_GameHUD'", "Sent 'WBP_GameHUD'", "Sent 'EUW_AssetTools'"));
}

TEST_F(KorvaneToolbar, TheRigButtonSendsWithoutMeshAndOnlySendWithMeshAsksForIt)
{
	const std::vector<FMultiBlock> Blocks = KorvaneToolbarBlocks(OpenNewControlRig());
	ASSERT_EQ(Blocks.size(), 1u) << "the split button after the rig editor's Asset section";
	const std::vector<FMultiBlock> Menu = MenuBlocks(Blocks[0].MenuContentGenerator);
	ASSERT_EQ(Menu.size(), 2u);
	ASSERT_EQ(Menu[1].Label.Get().ToString(), "Send with Mesh");

	for (const FUIAction* Action : {&Blocks[0].Action, &Menu[0].Action, &Menu[1].Action})
	{
		ASSERT_TRUE(Action->Execute());
	}
	EXPECT_THAT(ToastTexts(), ElementsAre("Sent 'CR_Arm' [large]", "Sent 'CR_Arm' [large]", "Sent 'CR_Arm' (with mesh) [large]"));
	EXPECT_EQ(TakeText(EPickupSlot::ControlRig), R"({"name":"CR_Arm","rigPath":"/Game/Tests/CR_Arm.CR_Arm","includeMesh":true,"pending":true})");

	ASSERT_TRUE(Blocks[0].Action.Execute());
	EXPECT_EQ(TakeText(EPickupSlot::ControlRig), R"({"name":"CR_Arm","rigPath":"/Game/Tests/CR_Arm.CR_Arm","includeMesh":false,"pending":true})");
}

TEST_F(KorvaneToolbar, WithoutAnEditorOfTheirKindInFrontSendsOnlyLog)
{
	OpenNewControlRig();
	OpenAsset("/Game/UI/WBP_GameHUD.WBP_GameHUD");
	FLogCapture Log;
	ASSERT_TRUE(Click(UToolMenus::MaterialEditorToolBar, "SendMaterialToKorvane"));
	ASSERT_TRUE(KorvaneToolbarBlocks(StaticLoadObject(nullptr, "/Game/Tests/CR_Arm.CR_Arm")).at(0).Action.Execute());

	std::vector<std::pair<ELogVerbosity, std::string>> Problems;
	for (const FLogLine& Line : Log.Lines())
	{
		if (Line.Category == "LogKorvane" && Line.Verbosity <= ELogVerbosity::Warning)
		{
			Problems.emplace_back(Line.Verbosity, Line.Message);
		}
	}
	const std::string MaterialFailure = "{\r\n\t\"success\": false,\r\n\t\"error\": \"No Material editor tab is in the foreground. Pass an explicit material_path "
										"(e.g. /Game/Materials/M_MyMaterial) or focus a Material editor.\"\r\n}";
	EXPECT_THAT(Problems, ElementsAre(std::pair(ELogVerbosity::Error, MaterialFailure),
							  std::pair(ELogVerbosity::Warning, std::string("No focused Control Rig editor found."))));
	EXPECT_FALSE(FPendingPickupStore::Get().Has(EPickupSlot::Material));
	EXPECT_FALSE(FPendingPickupStore::Get().Has(EPickupSlot::ControlRig));
	EXPECT_THAT(ToastTexts(), IsEmpty());
}

TEST_F(KorvaneToolbar, ShutdownTakesEveryEntryAwayAndARestartAddsEachOnce)
{
	const std::shared_ptr<FExtensibilityManager> RigToolBar = IRigVMEditorModule::Get()->GetToolBarExtensibilityManager();
	const char* const Menus[] = {UToolMenus::LevelEditorPlayToolBar, UToolMenus::BlueprintEditorToolBar, UToolMenus::MaterialEditorToolBar,
		UToolMenus::WidgetBlueprintEditorToolBar};
	ASSERT_TRUE(Editor.Host().GetModuleManager().UnloadModule(FKorvaneConnectorModule::ModuleName));
	for (const char* Menu : Menus)
	{
		EXPECT_EQ(UToolMenus::Get()->FindMenu(Menu)->FindSection("Korvane"), nullptr) << Menu;
	}
	EXPECT_THAT(RigToolBar->GetExtenders(), IsEmpty()) << "the rig editor would call into an unloaded module";
	EXPECT_FALSE(FGlobalTabmanager::Get()->HasTabSpawner("KorvaneStatus"));

	Editor.LoadConnector();
	for (const char* Menu : Menus)
	{
		EXPECT_EQ(UToolMenus::Get()->FindMenu(Menu)->FindSection("Korvane")->Blocks.size(), 1u) << Menu;
	}
	EXPECT_EQ(KorvaneToolbarBlocks(OpenNewControlRig()).size(), 1u);
}
