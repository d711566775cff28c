#include "Widgets/WidgetTextLinks.h"

#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace
{
	/** Keeps the panel's listed slots that can hold a child here, and makes each the place of its content. */
	void LinkSlots(UPanelWidget& Panel, const std::unordered_set<const UObject*>& TopLevel, std::vector<std::string>& OutWarnings)
	{
		std::vector<UPanelSlot*> Kept;
		for (UPanelSlot* const Slot : Panel.Slots)
		{
			if (std::ranges::find(Kept, Slot) != Kept.end())
			{
				OutWarnings.push_back(Panel.GetName() + ": " + Slot->GetName() + " is listed twice; kept once");
				continue;
			}
			if (!Kept.empty() && !Panel.CanHaveMultipleChildren())
			{
				OutWarnings.push_back(Panel.GetName() + " holds one child; " + Slot->GetName() + " left out");
				continue;
			}
			Slot->Parent = &Panel;
			if (Slot->Content != nullptr && !TopLevel.contains(Slot->Content))
			{
				// Only the text's top-level widgets are widgets of the tree; one nested inside another object is not.
				OutWarnings.push_back(Slot->GetName() + " of " + Panel.GetName() + ": " + Slot->Content->GetName() + " is not a top-level widget of the text; the slot is left empty");
				Slot->Content = nullptr;
			}
			if (UWidget* const Content = Slot->Content; Content != nullptr && Content->Slot != nullptr)
			{
				OutWarnings.push_back(Slot->GetName() + " of " + Panel.GetName() + ": " + Content->GetName() + " is placed by another slot already; the slot is left empty");
				Slot->Content = nullptr;
			}
			else if (Content != nullptr)
			{
				Content->Slot = Slot;
			}
			Kept.push_back(Slot);
		}
		Panel.Slots = std::move(Kept);
	}

	/** Takes the widget out of its slot, which stays in its panel, empty. */
	void Detach(UWidget& Widget, std::string_view Reason, std::vector<std::string>& OutWarnings)
	{
		OutWarnings.push_back(Widget.GetName() + " " + std::string(Reason) + "; left unattached");
		Widget.Slot->Content = nullptr;
		Widget.Slot = nullptr;
	}

	/**
	 * Gives every widget its depth below its top widget, walking up each chain of parents once:
	 * a chain that comes back to one of its own widgets is cut there, as is one too deep.
	 */
	void CutLoopsAndDeepChains(const std::vector<UWidget*>& Widgets, std::vector<std::string>& OutWarnings)
	{
		std::unordered_map<const UWidget*, std::size_t> Depths;
		std::unordered_set<const UWidget*> OnChain;
		for (UWidget* const Start : Widgets)
		{
			if (Depths.contains(Start))
			{
				continue;
			}
			// Up from Start to a widget of known depth or a top widget; the chain's last widget gets its depth first.
			std::vector<UWidget*> Chain{Start};
			OnChain = {Start};
			std::size_t Depth = 0;
			while (UPanelWidget* const Parent = Chain.back()->GetParent())
			{
				if (const auto Known = Depths.find(Parent); Known != Depths.end())
				{
					Depth = Known->second + 1;
					break;
				}
				if (OnChain.contains(Parent))
				{
					Detach(*Chain.back(), "would contain itself through " + Parent->GetName(), OutWarnings);
					break;
				}
				OnChain.insert(Parent);
				Chain.push_back(Parent);
			}
			for (std::size_t Index = Chain.size(); Index-- > 0;)
			{
				UWidget* const Widget = Chain[Index];
				if (Index + 1 < Chain.size())
				{
					Depth = Depths.at(Chain[Index + 1]) + 1;
				}
				if (Depth > MaxPastedWidgetDepth)
				{
					Detach(*Widget, "nests deeper than " + std::to_string(MaxPastedWidgetDepth) + " levels", OutWarnings);
					Depth = 0;
				}
				Depths.emplace(Widget, Depth);
			}
		}
	}
}

void LinkPastedWidgets(const std::vector<UObject*>& Objects, std::vector<std::string>& OutWarnings)
{
	std::vector<UWidget*> Widgets;
	for (UObject* const Object : Objects)
	{
		if (UWidget* const Widget = Cast<UWidget>(Object))
		{
			Widgets.push_back(Widget);
		}
	}
	const std::unordered_set<const UObject*> TopLevel(Objects.begin(), Objects.end());
	for (UWidget* const Widget : Widgets)
	{
		if (UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
		{
			LinkSlots(*Panel, TopLevel, OutWarnings);
		}
	}
	CutLoopsAndDeepChains(Widgets, OutWarnings);
}
