#include "Core/LogHost.h"
#include "Editor/TabManager.h"
#include "Slate/DockTab.h"
#include "Slate/SlateApplication.h"

#include <algorithm>

const char* LexToString(ETabSpawnerMenuType MenuType)
{
	switch (MenuType)
	{
	case ETabSpawnerMenuType::Enabled:
		return "Enabled";
	case ETabSpawnerMenuType::Disabled:
		return "Disabled";
	case ETabSpawnerMenuType::Hidden:
		return "Hidden";
	}
	return "Enabled";
}

FGlobalTabmanager::FGlobalTabmanager() = default;

FGlobalTabmanager::~FGlobalTabmanager()
{
	CloseAllTabs();
}

const std::shared_ptr<FGlobalTabmanager>& FGlobalTabmanager::Get()
{
	return FSlateApplication::Get().GetGlobalTabManager();
}

FTabSpawnerEntry& FGlobalTabmanager::RegisterNomadTabSpawner(std::string_view TabId, const FOnSpawnTab& OnSpawnTab)
{
	const auto Found = std::find_if(Spawners.begin(), Spawners.end(), [TabId](const std::unique_ptr<FTabSpawnerEntry>& Spawner) { return Spawner->GetTabType() == TabId; });
	if (Found != Spawners.end())
	{
		UE_LOG(LogHost, Warning, "A tab spawner for %.*s is registered already; the new one replaces it.", static_cast<int>(TabId.size()), TabId.data());
		*Found = std::make_unique<FTabSpawnerEntry>(std::string(TabId), OnSpawnTab);
		return **Found;
	}
	Spawners.push_back(std::make_unique<FTabSpawnerEntry>(std::string(TabId), OnSpawnTab));
	return *Spawners.back();
}

bool FGlobalTabmanager::UnregisterNomadTabSpawner(std::string_view TabId)
{
	return std::erase_if(Spawners, [TabId](const std::unique_ptr<FTabSpawnerEntry>& Spawner) { return Spawner->GetTabType() == TabId; }) > 0;
}

const FTabSpawnerEntry* FGlobalTabmanager::FindTabSpawner(std::string_view TabId) const
{
	const auto Found = std::find_if(Spawners.begin(), Spawners.end(), [TabId](const std::unique_ptr<FTabSpawnerEntry>& Spawner) { return Spawner->GetTabType() == TabId; });
	return Found != Spawners.end() ? Found->get() : nullptr;
}

std::vector<const FTabSpawnerEntry*> FGlobalTabmanager::GetTabSpawners() const
{
	std::vector<const FTabSpawnerEntry*> Result;
	Result.reserve(Spawners.size());
	for (const std::unique_ptr<FTabSpawnerEntry>& Spawner : Spawners)
	{
		Result.push_back(Spawner.get());
	}
	return Result;
}

std::shared_ptr<SDockTab> FGlobalTabmanager::TryInvokeTab(const FTabId& TabId)
{
	if (std::shared_ptr<SDockTab> Existing = FindExistingLiveTab(TabId))
	{
		DrawAttention(Existing);
		return Existing;
	}
	const FTabSpawnerEntry* Spawner = FindTabSpawner(TabId.TabType);
	if (Spawner == nullptr)
	{
		UE_LOG(LogHost, Warning, "No tab spawner is registered for %s.", TabId.TabType.c_str());
		return nullptr;
	}
	// A copy: the spawner may unregister itself while it runs.
	const FOnSpawnTab OnSpawnTab = Spawner->GetOnSpawnTab();
	std::shared_ptr<SDockTab> Tab = OnSpawnTab.Execute(FSpawnTabArgs{TabId.TabType});
	if (Tab == nullptr)
	{
		UE_LOG(LogHost, Warning, "The tab spawner for %s made no tab.", TabId.TabType.c_str());
		return nullptr;
	}
	Tab->SetLayoutIdentifier(TabId.TabType);
	auto Window = std::make_shared<SWindow>(Tab->GetTabLabel());
	Window->AddTab(Tab);
	WindowActivationOrder.push_back(Window.get());
	Windows.push_back(std::move(Window));
	return Tab;
}

void FGlobalTabmanager::DrawAttention(const std::shared_ptr<SDockTab>& Tab)
{
	if (Tab == nullptr)
	{
		return;
	}
	Tab->ActivateInParent();
	const std::shared_ptr<SWindow> Window = Tab->GetParentWindow();
	if (Window != nullptr && std::find(WindowActivationOrder.begin(), WindowActivationOrder.end(), Window.get()) != WindowActivationOrder.end())
	{
		std::erase(WindowActivationOrder, Window.get());
		WindowActivationOrder.push_back(Window.get());
	}
}

std::shared_ptr<SDockTab> FGlobalTabmanager::GetActiveTab() const
{
	ForgetClosedWindows();
	if (WindowActivationOrder.empty())
	{
		return nullptr;
	}
	const SWindow* Front = WindowActivationOrder.back();
	const auto Found = std::find_if(Windows.begin(), Windows.end(), [Front](const std::shared_ptr<SWindow>& Window) { return Window.get() == Front; });
	return Found != Windows.end() ? (*Found)->GetForegroundTab() : nullptr;
}

std::shared_ptr<SDockTab> FGlobalTabmanager::FindExistingLiveTab(const FTabId& TabId) const
{
	for (const std::shared_ptr<SDockTab>& Tab : GetLiveTabs())
	{
		if (Tab->GetLayoutIdentifier() == TabId.TabType)
		{
			return Tab;
		}
	}
	return nullptr;
}

std::vector<std::shared_ptr<SDockTab>> FGlobalTabmanager::GetLiveTabs() const
{
	ForgetClosedWindows();
	std::vector<std::shared_ptr<SDockTab>> Tabs;
	for (const std::shared_ptr<SWindow>& Window : Windows)
	{
		Tabs.insert(Tabs.end(), Window->GetTabs().begin(), Window->GetTabs().end());
	}
	return Tabs;
}

void FGlobalTabmanager::CloseAllTabs()
{
	for (const std::shared_ptr<SDockTab>& Tab : GetLiveTabs())
	{
		Tab->RequestCloseTab();
	}
	Windows.clear();
	WindowActivationOrder.clear();
}

void FGlobalTabmanager::ForgetClosedWindows() const
{
	std::erase_if(WindowActivationOrder, [this](const SWindow* Window) {
		return std::none_of(Windows.begin(), Windows.end(), [Window](const std::shared_ptr<SWindow>& Live) { return Live.get() == Window && !Live->GetTabs().empty(); });
	});
	std::erase_if(Windows, [](const std::shared_ptr<SWindow>& Window) { return Window->GetTabs().empty(); });
}
