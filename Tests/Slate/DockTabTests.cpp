#include "Slate/DockTab.h"

#include <gtest/gtest.h>

namespace
{
	std::shared_ptr<SDockTab> MakeTab(std::string Id)
	{
		return std::make_shared<SDockTab>(Id, ETabRole::MajorTab, FText::FromString(Id));
	}
}

TEST(DockTabTests, OneTabOfAWindowIsInFront)
{
	const auto Window = std::make_shared<SWindow>(FText::FromString("Main"));
	const auto First = MakeTab("First");
	const auto Second = MakeTab("Second");
	EXPECT_EQ(Window->GetForegroundTab(), nullptr);
	EXPECT_FALSE(First->IsForeground()) << "a tab outside any window is not in front";

	Window->AddTab(First);
	Window->AddTab(Second);
	EXPECT_EQ(Window->GetTabs(), (std::vector<std::shared_ptr<SDockTab>>{First, Second}));
	EXPECT_TRUE(Second->IsForeground());
	EXPECT_FALSE(First->IsForeground());

	First->ActivateInParent();
	EXPECT_TRUE(First->IsForeground());
	EXPECT_FALSE(Second->IsForeground());
	EXPECT_EQ(Window->GetTabs().front(), First) << "activating does not reorder the tabs";
}

TEST(DockTabTests, ClosingTheFrontTabBringsBackThePreviousOne)
{
	const auto Window = std::make_shared<SWindow>(FText::FromString("Main"));
	const auto Level = MakeTab("Level");
	const auto A = MakeTab("A");
	const auto B = MakeTab("B");
	Window->AddTab(Level);
	Window->AddTab(A);
	Window->AddTab(B);
	A->ActivateInParent();
	B->ActivateInParent();

	B->RequestCloseTab();
	EXPECT_TRUE(A->IsForeground());
	EXPECT_EQ(B->GetParentWindow(), nullptr);
	EXPECT_FALSE(B->IsForeground());
	A->RequestCloseTab();
	EXPECT_TRUE(Level->IsForeground());
	A->RequestCloseTab();
	EXPECT_EQ(Window->GetTabs().size(), 1u) << "closing a closed tab changes nothing";
}

TEST(DockTabTests, AddingATabMovesItOutOfItsOldWindow)
{
	const auto Main = std::make_shared<SWindow>(FText::FromString("Main"));
	const auto Floating = std::make_shared<SWindow>(FText::FromString("Floating"));
	const auto Tab = MakeTab("Tab");
	Main->AddTab(Tab);
	Floating->AddTab(Tab);
	EXPECT_TRUE(Main->GetTabs().empty());
	EXPECT_EQ(Main->GetForegroundTab(), nullptr);
	EXPECT_EQ(Tab->GetParentWindow(), Floating);
	EXPECT_TRUE(Tab->IsForeground());

	Floating->AddTab(Tab);
	EXPECT_EQ(Floating->GetTabs().size(), 1u) << "adding a tab twice keeps one entry";
}

TEST(DockTabTests, AWindowMayHoldTheOnlyReferenceToItsTab)
{
	const auto Window = std::make_shared<SWindow>(FText::FromString("Main"));
	std::weak_ptr<SDockTab> Weak;
	{
		const auto Tab = MakeTab("Tab");
		Weak = Tab;
		Window->AddTab(Tab);
	}
	ASSERT_NE(Weak.lock(), nullptr);
	Weak.lock()->RequestCloseTab();
	EXPECT_EQ(Weak.lock(), nullptr) << "a closed tab nobody holds is gone";
	EXPECT_EQ(Window->GetForegroundTab(), nullptr);
}
