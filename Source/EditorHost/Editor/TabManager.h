#pragma once

#include <memory>

class SDockTab;

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
