#pragma once

#include "Core/Delegate.h"
#include "Core/Text.h"
#include "Slate/SlateIcon.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SDockTab;
class SWindow;

/**
 * The tab manager of one asset editor: it lays out the editor's panels inside the editor's
 * own major tab, its owner tab. Game thread only.
 */
class FTabManager
{
public:
	explicit FTabManager(std::shared_ptr<SDockTab> InOwnerTab) : OwnerTab(std::move(InOwnerTab)) {}

	/** The major tab the editor lives in; nullptr once that tab is gone. */
	std::shared_ptr<SDockTab> GetOwnerTab() const { return OwnerTab.lock(); }

private:
	std::weak_ptr<SDockTab> OwnerTab;
};

/** Whether a tab spawner is listed in the editor's Window menu. */
enum class ETabSpawnerMenuType : uint8_t
{
	Enabled,
	Disabled,
	Hidden,
};

const char* LexToString(ETabSpawnerMenuType MenuType);

/** A kind of tab, by its identifier ("KorvaneStatus"). */
struct FTabId
{
	FTabId(const char* InTabType) : TabType(InTabType) {}
	FTabId(std::string InTabType) : TabType(std::move(InTabType)) {}
	FTabId(std::string_view InTabType) : TabType(InTabType) {}

	std::string TabType;
};

/** What a spawner is told when it is asked for a tab. */
struct FSpawnTabArgs
{
	const std::string& GetTabId() const { return TabId; }

	std::string TabId;
};

/** Builds a new tab; nullptr means it could not. */
using FOnSpawnTab = TDelegate<std::shared_ptr<SDockTab>(const FSpawnTabArgs&)>;

/** A registered spawner: how to make a tab of a kind, and how the Window menu lists it. */
class FTabSpawnerEntry
{
public:
	FTabSpawnerEntry(std::string InTabType, FOnSpawnTab InOnSpawnTab) : TabType(std::move(InTabType)), OnSpawnTab(std::move(InOnSpawnTab)) {}

	FTabSpawnerEntry& SetDisplayName(const FText& InDisplayName)
	{
		DisplayName = InDisplayName;
		return *this;
	}
	FTabSpawnerEntry& SetTooltipText(const FText& InTooltipText)
	{
		TooltipText = InTooltipText;
		return *this;
	}
	FTabSpawnerEntry& SetMenuType(ETabSpawnerMenuType InMenuType)
	{
		MenuType = InMenuType;
		return *this;
	}
	FTabSpawnerEntry& SetIcon(const FSlateIcon& InIcon)
	{
		Icon = InIcon;
		return *this;
	}

	const std::string& GetTabType() const { return TabType; }
	const FText& GetDisplayName() const { return DisplayName; }
	const FText& GetTooltipText() const { return TooltipText; }
	ETabSpawnerMenuType GetMenuType() const { return MenuType; }
	const FSlateIcon& GetIcon() const { return Icon; }
	const FOnSpawnTab& GetOnSpawnTab() const { return OnSpawnTab; }

private:
	std::string TabType;
	FOnSpawnTab OnSpawnTab;
	FText DisplayName;
	FText TooltipText;
	ETabSpawnerMenuType MenuType = ETabSpawnerMenuType::Enabled;
	FSlateIcon Icon;
};

/**
 * The editor's global tab manager: nomad tab spawners by tab identifier, and the nomad tabs
 * they made, each in a floating window of its own (so the main window's front tab, the
 * focused asset editor, stays as it was). A tab that is closed is forgotten; invoking its kind
 * again spawns a new one. Game thread only.
 */
class FGlobalTabmanager
{
public:
	FGlobalTabmanager();
	~FGlobalTabmanager();
	FGlobalTabmanager(const FGlobalTabmanager&) = delete;
	FGlobalTabmanager& operator=(const FGlobalTabmanager&) = delete;

	/** The global tab manager of the running UI application (FSlateApplication must be initialized). */
	static const std::shared_ptr<FGlobalTabmanager>& Get();

	/**
	 * Registers how to spawn tabs of the kind; a second registration of the same identifier
	 * replaces the first (with a warning). The reference stays valid until the spawner is
	 * unregistered.
	 */
	FTabSpawnerEntry& RegisterNomadTabSpawner(std::string_view TabId, const FOnSpawnTab& OnSpawnTab);
	/** False when there was no such spawner. Tabs it spawned stay open. */
	bool UnregisterNomadTabSpawner(std::string_view TabId);
	bool HasTabSpawner(std::string_view TabId) const { return FindTabSpawner(TabId) != nullptr; }
	const FTabSpawnerEntry* FindTabSpawner(std::string_view TabId) const;
	/** The spawners in the order they were registered. */
	std::vector<const FTabSpawnerEntry*> GetTabSpawners() const;

	/**
	 * Brings the open tab of the kind to the front, or spawns one (in a new floating window);
	 * nullptr (and a warning) when there is no spawner or it made no tab.
	 */
	std::shared_ptr<SDockTab> TryInvokeTab(const FTabId& TabId);
	/** The open tab of the kind, or nullptr. */
	std::shared_ptr<SDockTab> FindExistingLiveTab(const FTabId& TabId) const;
	/** Brings the tab, and its window, to the front of the tabs this manager spawned. */
	void DrawAttention(const std::shared_ptr<SDockTab>& Tab);
	/** The front tab of the frontmost window of the spawned tabs, or nullptr when none is open. */
	std::shared_ptr<SDockTab> GetActiveTab() const;
	/** The open tabs it spawned, oldest first. */
	std::vector<std::shared_ptr<SDockTab>> GetLiveTabs() const;
	/** Closes every tab it spawned. */
	void CloseAllTabs();

private:
	void ForgetClosedWindows() const;

	std::vector<std::unique_ptr<FTabSpawnerEntry>> Spawners;
	/** The floating windows of the spawned tabs, oldest first; windows left empty are dropped. */
	mutable std::vector<std::shared_ptr<SWindow>> Windows;
	/** The same windows from the least to the most recently brought to the front. */
	mutable std::vector<const SWindow*> WindowActivationOrder;
};
