#include "Editor/TabManager.h"
#include "Runtime/GameThread.h"
#include "Slate/DockTab.h"
#include "Slate/SlateApplication.h"
#include "Slate/TextBlock.h"

#include <gtest/gtest.h>

namespace
{
	class GlobalTabs : public ::testing::Test
	{
	protected:
		FGameThread GameThread;
		FSlateApplication Application{GameThread};
		FGlobalTabmanager& Tabs = *FGlobalTabmanager::Get();
		int Spawned = 0;

		std::shared_ptr<SDockTab> SpawnPanel(const FSpawnTabArgs& Args)
		{
			++Spawned;
			return SNew(SDockTab).TabRole(ETabRole::NomadTab).Label(FText::FromString(Args.GetTabId() + " tab"))[ SNew(STextBlock).Text(FText::FromString("Panel")) ];
		}

		void RegisterPanel(std::string_view TabId)
		{
			Tabs.RegisterNomadTabSpawner(TabId, FOnSpawnTab::CreateRaw(this, &GlobalTabs::SpawnPanel))
				.SetDisplayName(FText::FromString("Panel"))
				.SetMenuType(ETabSpawnerMenuType::Hidden);
		}
	};
}

TEST_F(GlobalTabs, InvokingSpawnsOnceAndThenBringsTheTabToTheFront)
{
	RegisterPanel("Status");
	RegisterPanel("Other");
	ASSERT_NE(Tabs.FindTabSpawner("Status"), nullptr);
	EXPECT_EQ(Tabs.FindTabSpawner("Status")->GetMenuType(), ETabSpawnerMenuType::Hidden);
	EXPECT_EQ(Tabs.FindTabSpawner("Status")->GetDisplayName().ToString(), "Panel");

	const std::shared_ptr<SDockTab> Status = Tabs.TryInvokeTab(FTabId("Status"));
	ASSERT_NE(Status, nullptr);
	EXPECT_EQ(Status->GetLayoutIdentifier(), "Status");
	EXPECT_EQ(Status->GetTabRole(), ETabRole::NomadTab);
	EXPECT_EQ(Status->GetTabLabel().ToString(), "Status tab");
	EXPECT_EQ(Tabs.GetActiveTab(), Status);

	const std::shared_ptr<SDockTab> Other = Tabs.TryInvokeTab(FTabId("Other"));
	EXPECT_EQ(Tabs.GetActiveTab(), Other);
	EXPECT_EQ(Tabs.TryInvokeTab(FTabId("Status")), Status) << "an open tab is not spawned again";
	EXPECT_EQ(Spawned, 2);
	EXPECT_EQ(Tabs.GetActiveTab(), Status) << "invoking an open tab brings it to the front";
	EXPECT_EQ(Tabs.GetLiveTabs(), (std::vector<std::shared_ptr<SDockTab>>{Status, Other}));
}

TEST_F(GlobalTabs, AClosedTabIsForgottenAndAFreshOneSpawnedNextTime)
{
	RegisterPanel("Status");
	std::weak_ptr<SWidget> OldContent;
	{
		const std::shared_ptr<SDockTab> First = Tabs.TryInvokeTab(FTabId("Status"));
		OldContent = First->GetContent();
		First->RequestCloseTab();
	}
	EXPECT_TRUE(OldContent.expired()) << "closing lets go of the panel";
	EXPECT_TRUE(Tabs.GetLiveTabs().empty());
	EXPECT_EQ(Tabs.GetActiveTab(), nullptr);

	const std::shared_ptr<SDockTab> Second = Tabs.TryInvokeTab(FTabId("Status"));
	ASSERT_NE(Second, nullptr);
	EXPECT_EQ(Spawned, 2);
	EXPECT_NE(Second->GetContent(), nullptr);

	EXPECT_TRUE(Tabs.UnregisterNomadTabSpawner("Status"));
	EXPECT_FALSE(Tabs.UnregisterNomadTabSpawner("Status"));
	EXPECT_EQ(Tabs.FindExistingLiveTab(FTabId("Status")), Second) << "an open tab outlives its spawner";
	Second->RequestCloseTab();
	EXPECT_EQ(Tabs.TryInvokeTab(FTabId("Status")), nullptr) << "no spawner, no tab";
}

TEST_F(GlobalTabs, SpawnersThatFailOrReplaceOthersLeaveNoHalfOpenTab)
{
	Tabs.RegisterNomadTabSpawner("Broken", FOnSpawnTab::CreateLambda([](const FSpawnTabArgs&) { return std::shared_ptr<SDockTab>(); }));
	EXPECT_EQ(Tabs.TryInvokeTab(FTabId("Broken")), nullptr);
	EXPECT_TRUE(Tabs.GetLiveTabs().empty());

	RegisterPanel("Broken");
	EXPECT_EQ(Tabs.GetTabSpawners().size(), 1u) << "a second registration replaces the first";
	EXPECT_NE(Tabs.TryInvokeTab(FTabId("Broken")), nullptr);

	Tabs.CloseAllTabs();
	EXPECT_TRUE(Tabs.GetLiveTabs().empty());
}
