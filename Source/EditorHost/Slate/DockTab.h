#pragma once

#include "Core/Text.h"
#include "Slate/Widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SWindow;
class SDockTab;

/** What a dock tab is to its window: an asset editor or the level editor (major), a panel (nomad, panel). */
enum class ETabRole : uint8_t
{
	MajorTab,
	PanelTab,
	NomadTab,
	DocumentTab,
};

const char* LexToString(ETabRole Role);

/** Told when a tab closes, with the tab. */
using FOnTabClosedCallback = TDelegate<void(std::shared_ptr<SDockTab>)>;

/**
 * A tab of a window, with a label and one content widget. Each window shows one of its tabs in
 * the foreground; bringing a tab to the front puts the window's previous front tab behind it.
 * Closing a tab lets go of its content (so the content's widgets and their timers end with
 * it, unless someone else holds them) and tells OnTabClosed. Made with
 * SNew(SDockTab).TabRole(ETabRole::NomadTab).Label(...)[ content ], or directly by the editor
 * for its major tabs. Painted as {"role", "label", "content"}. Game thread only.
 */
class SDockTab : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SDockTab)
		: _TabRole(ETabRole::PanelTab)
	{}
	SLATE_ARGUMENT(ETabRole, TabRole)
	SLATE_ATTRIBUTE(FText, Label)
	SLATE_EVENT(FOnTabClosedCallback, OnTabClosed)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_END_ARGS()

	SDockTab() = default;
	SDockTab(std::string InTabId, ETabRole InRole, FText InLabel);

	void Construct(const FArguments& InArgs);

	/** The identifier of the tab's kind ("LevelEditor", "KorvaneStatus"); set by whoever opens it. */
	const std::string& GetLayoutIdentifier() const { return TabId; }
	void SetLayoutIdentifier(std::string InTabId) { TabId = std::move(InTabId); }
	ETabRole GetTabRole() const { return Role; }
	/** The label now (a bound label is evaluated). */
	FText GetTabLabel() const { return Label.Get(); }
	void SetLabel(TAttribute<FText> InLabel) { Label = std::move(InLabel); }

	const std::shared_ptr<SWidget>& GetContent() const { return Content; }
	void SetContent(std::shared_ptr<SWidget> InContent) { Content = std::move(InContent); }
	std::vector<std::shared_ptr<SWidget>> GetChildren() const override;

	/** Whether the tab is its window's front tab (false once closed or before it is in a window). */
	bool IsForeground() const;
	/** Makes the tab its window's front tab. */
	void ActivateInParent();
	/** Takes the tab out of its window, lets go of its content and tells OnTabClosed; closing a closed tab does nothing. */
	void RequestCloseTab();

	/** The window the tab is in, or nullptr once closed. */
	std::shared_ptr<SWindow> GetParentWindow() const { return ParentWindow.lock(); }

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	friend class SWindow;

	std::string TabId;
	ETabRole Role = ETabRole::PanelTab;
	TAttribute<FText> Label;
	std::shared_ptr<SWidget> Content;
	FOnTabClosedCallback OnTabClosed;
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
