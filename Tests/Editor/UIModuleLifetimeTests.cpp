#include "Assets/AssetFiles.h"
#include "Editor/EditorUIModel.h"
#include "Editor/TabManager.h"
#include "Editor/ToolMenus.h"
#include "Slate/DockTab.h"
#include "Slate/SlateApplication.h"
#include "Slate/TextBlock.h"

#include <gtest/gtest.h>

namespace
{
	using namespace std::chrono_literals;

	/** Counts a panel's timer ticks in the test. */
	int GTicks = 0;
	bool GToolMenusLoadedAtShutdown = false;

	/** A plug-in module wiring a toolbar button and a tab into the editor the way plug-ins do. */
	class FTestUIModule : public IModuleInterface
	{
	public:
		void StartupModule() override
		{
			UToolMenus::RegisterStartupCallback(FSimpleDelegate::CreateRaw(this, &FTestUIModule::RegisterMenus));
			FGlobalTabmanager::Get()->RegisterNomadTabSpawner("TestUI", FOnSpawnTab::CreateRaw(this, &FTestUIModule::SpawnTab)).SetMenuType(ETabSpawnerMenuType::Hidden);
		}

		void ShutdownModule() override
		{
			GToolMenusLoadedAtShutdown = FModuleManager::Get().IsModuleLoaded("ToolMenus");
			if (FSlateApplication::IsInitialized())
			{
				FGlobalTabmanager::Get()->UnregisterNomadTabSpawner("TestUI");
			}
			UToolMenus::UnRegisterStartupCallback(this);
			UToolMenus::UnregisterOwner(this);
		}

	private:
		void RegisterMenus()
		{
			UToolMenus::Get()->ExtendMenu(UToolMenus::LevelEditorPlayToolBar)->FindOrAddSection("TestUI").AddEntry(
				FToolMenuEntry::InitToolBarButton("Open", FUIAction(FExecuteAction::CreateLambda([]() { FGlobalTabmanager::Get()->TryInvokeTab(FTabId("TestUI")); }))));
		}

		std::shared_ptr<SDockTab> SpawnTab(const FSpawnTabArgs&)
		{
			auto Text = SNew(STextBlock);
			Text->RegisterActiveTimer(0.02f, FWidgetActiveTimerDelegate::CreateLambda([](double, float) {
				++GTicks;
				return EActiveTimerReturnType::Continue;
			}));
			return SNew(SDockTab).TabRole(ETabRole::NomadTab)[ Text ];
		}
	};

	bool HasOpenButton()
	{
		const UToolMenu* Menu = UToolMenus::Get()->FindMenu(UToolMenus::LevelEditorPlayToolBar);
		return !Menu->MakeMultiBox().Sections.empty();
	}
}

TEST(UIModuleLifetimeTests, APluginsButtonsTabsAndTimersComeAndGoWithIt)
{
	FTestEditor Editor{HostOnly()};
	FModuleManager& Modules = Editor.Host().GetModuleManager();
	Modules.RegisterModule("TestUI", []() { return std::make_unique<FTestUIModule>(); });
	Modules.LoadModule("TestUI");
	ASSERT_TRUE(HasOpenButton()) << "the menus were up, so the start-up callback ran at once";

	UToolMenus::Get()->FindMenu(UToolMenus::LevelEditorPlayToolBar)->MakeMultiBox().Sections[0].Blocks[0].Action.Execute();
	const std::shared_ptr<SDockTab> Tab = FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId("TestUI"));
	ASSERT_NE(Tab, nullptr);
	GTicks = 0;
	FGameThread& GameThread = Editor.Host().GetGameThread();
	ASSERT_TRUE(GameThread.RunUntil([]() { return GTicks >= 2; }, std::chrono::steady_clock::now() + 2s)) << "the host's game thread drives the panel's timer";

	Tab->RequestCloseTab();
	const int TicksWhenClosed = GTicks;
	GameThread.RunUntil([]() { return false; }, std::chrono::steady_clock::now() + 80ms);
	EXPECT_EQ(GTicks, TicksWhenClosed) << "the timer ended with its tab";

	ASSERT_TRUE(Modules.UnloadModule("TestUI"));
	EXPECT_TRUE(GToolMenusLoadedAtShutdown) << "plug-ins shut down while the menus still exist";
	EXPECT_FALSE(HasOpenButton());
	EXPECT_FALSE(FGlobalTabmanager::Get()->HasTabSpawner("TestUI"));

	Modules.LoadModule("TestUI");
	EXPECT_TRUE(HasOpenButton()) << "a module loaded again registers again";
	Modules.UnloadModule("TestUI");
}
