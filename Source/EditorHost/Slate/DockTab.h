#pragma once

#include "Core/Text.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SWindow;

/** What a dock tab is to its window: an asset editor or the level editor (major), a panel (nomad, panel). */
enum class ETabRole : uint8_t
{
	MajorTab,
	PanelTab,
	NomadTab,
	DocumentTab,
};

/**
 * A tab of a window. Each window shows one of its tabs in the foreground; bringing a tab to
 * the front puts the window's previous front tab behind it. Game thread only.
 */
class SDockTab : public std::enable_shared_from_this<SDockTab>
{
public:
	SDockTab(std::string InTabId, ETabRole InRole, FText InLabel);

	const std::string& GetLayoutIdentifier() const { return TabId; }
	ETabRole GetTabRole() const { return Role; }
	const FText& GetTabLabel() const { return Label; }
	void SetLabel(FText InLabel) { Label = std::move(InLabel); }

	/** Whether the tab is its window's front tab (false once closed or before it is in a window). */
	bool IsForeground() const;
	/** Makes the tab its window's front tab. */
	void ActivateInParent();
	/** Takes the tab out of its window; the window's previous front tab comes back to the front. */
	void RequestCloseTab();

	/** The window the tab is in, or nullptr once closed. */
	std::shared_ptr<SWindow> GetParentWindow() const { return ParentWindow.lock(); }

private:
	friend class SWindow;

	std::string TabId;
	ETabRole Role;
	FText Label;
	std::weak_ptr<SWindow> ParentWindow;
};

/**
 * A top-level window holding dock tabs in the order they were added, one of them in front
 * (the most recently activated one that is still open). Game thread only.
 */
class SWindow : public std::enable_shared_from_this<SWindow>
{
public:
	explicit SWindow(FText InTitle);

	const FText& GetTitle() const { return Title; }
	/** Adds the tab (taking it out of any other window) and brings it to the front. */
	void AddTab(const std::shared_ptr<SDockTab>& Tab);
	void RemoveTab(const SDockTab& Tab);
	/** The tabs in the order they were added. */
	const std::vector<std::shared_ptr<SDockTab>>& GetTabs() const { return Tabs; }
	/** The front tab, or nullptr for an empty window. */
	std::shared_ptr<SDockTab> GetForegroundTab() const;

private:
	friend class SDockTab;
	void BringToFront(const SDockTab& Tab);

	FText Title;
	std::vector<std::shared_ptr<SDockTab>> Tabs;
	/** Tabs from the least to the most recently brought to the front. */
	std::vector<const SDockTab*> ActivationOrder;
};
