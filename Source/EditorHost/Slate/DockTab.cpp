#include "Slate/DockTab.h"

#include <algorithm>

const char* LexToString(ETabRole Role)
{
	switch (Role)
	{
	case ETabRole::MajorTab:
		return "MajorTab";
	case ETabRole::PanelTab:
		return "PanelTab";
	case ETabRole::NomadTab:
		return "NomadTab";
	case ETabRole::DocumentTab:
		return "DocumentTab";
	}
	return "PanelTab";
}

SDockTab::SDockTab(std::string InTabId, ETabRole InRole, FText InLabel)
	: TabId(std::move(InTabId))
	, Role(InRole)
	, Label(std::move(InLabel))
{
	SetWidgetTypeName("SDockTab");
}

void SDockTab::Construct(const FArguments& InArgs)
{
	Role = InArgs._TabRole;
	Label = InArgs._Label;
	OnTabClosed = InArgs._OnTabClosed;
	Content = InArgs._Content;
}

std::vector<std::shared_ptr<SWidget>> SDockTab::GetChildren() const
{
	if (Content == nullptr)
	{
		return {};
	}
	return {Content};
}

void SDockTab::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetStringField("role", LexToString(Role));
	OutPainted.SetStringField("label", GetTabLabel().ToString());
	OutPainted.SetField("content", SlatePaint::Child(Content));
}

bool SDockTab::IsForeground() const
{
	const std::shared_ptr<SWindow> Window = ParentWindow.lock();
	return Window != nullptr && Window->GetForegroundTab().get() == this;
}

void SDockTab::ActivateInParent()
{
	if (const std::shared_ptr<SWindow> Window = ParentWindow.lock())
	{
		Window->BringToFront(*this);
	}
}

void SDockTab::RequestCloseTab()
{
	const std::shared_ptr<SWindow> Window = ParentWindow.lock();
	if (Window == nullptr)
	{
		return;
	}
	// The window may hold the last reference to the tab: keep it alive until it is closed.
	const std::shared_ptr<SDockTab> Self = std::static_pointer_cast<SDockTab>(shared_from_this());
	Window->RemoveTab(*this);
	Content.reset();
	const FOnTabClosedCallback ClosedCallback = std::move(OnTabClosed);
	OnTabClosed.Unbind();
	ClosedCallback.ExecuteIfBound(Self);
}

SWindow::SWindow(FText InTitle)
	: Title(std::move(InTitle))
{
}

void SWindow::AddTab(const std::shared_ptr<SDockTab>& Tab)
{
	if (Tab == nullptr)
	{
		return;
	}
	const std::shared_ptr<SWindow> PreviousWindow = Tab->ParentWindow.lock();
	if (PreviousWindow.get() != this)
	{
		if (PreviousWindow != nullptr)
		{
			PreviousWindow->RemoveTab(*Tab);
		}
		Tabs.push_back(Tab);
		Tab->ParentWindow = weak_from_this();
	}
	BringToFront(*Tab);
}

void SWindow::RemoveTab(const SDockTab& Tab)
{
	const auto Found = std::find_if(Tabs.begin(), Tabs.end(), [&Tab](const std::shared_ptr<SDockTab>& Candidate) { return Candidate.get() == &Tab; });
	if (Found == Tabs.end())
	{
		return;
	}
	// The window may hold the last reference: keep the tab alive until it is fully detached.
	const std::shared_ptr<SDockTab> Removed = *Found;
	Tabs.erase(Found);
	std::erase(ActivationOrder, Removed.get());
	Removed->ParentWindow.reset();
}

std::shared_ptr<SDockTab> SWindow::GetForegroundTab() const
{
	if (ActivationOrder.empty())
	{
		return nullptr;
	}
	const SDockTab* Front = ActivationOrder.back();
	const auto Found = std::find_if(Tabs.begin(), Tabs.end(), [Front](const std::shared_ptr<SDockTab>& Candidate) { return Candidate.get() == Front; });
	return Found != Tabs.end() ? *Found : nullptr;
}

void SWindow::BringToFront(const SDockTab& Tab)
{
	std::erase(ActivationOrder, &Tab);
	ActivationOrder.push_back(&Tab);
}
