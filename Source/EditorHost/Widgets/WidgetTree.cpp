#include "Widgets/WidgetTree.h"

#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/Widget.h"

#include <unordered_set>

namespace
{
	/** Adds Widget and its children, depth first, once each: a hierarchy written by hand may hold a loop. */
	void CollectHierarchy(const UWidgetTree& Tree, UWidget* Widget, std::vector<UWidget*>& OutWidgets, std::unordered_set<const UWidget*>& Seen)
	{
		if (!IsValid(Widget) || Widget->GetOuter() != &Tree || !Seen.insert(Widget).second)
		{
			return;
		}
		OutWidgets.push_back(Widget);
		if (const UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
		{
			for (int32_t Index = 0; Index < Panel->GetChildrenCount(); ++Index)
			{
				CollectHierarchy(Tree, Panel->GetChildAt(Index), OutWidgets, Seen);
			}
		}
	}
}

void UWidgetTree::GetAllWidgets(std::vector<UWidget*>& OutWidgets) const
{
	std::unordered_set<const UWidget*> Seen;
	CollectHierarchy(*this, RootWidget, OutWidgets, Seen);
	for (UObject* const Inner : GetInnerObjects())
	{
		UWidget* const Widget = Cast<UWidget>(Inner);
		if (IsValid(Widget) && Seen.insert(Widget).second)
		{
			OutWidgets.push_back(Widget);
		}
	}
}

UWidget* UWidgetTree::FindWidget(std::string_view Name) const
{
	return Cast<UWidget>(FindInnerObject(Name));
}

UWidget* UWidgetTree::ConstructWidget(UClass* WidgetClass, std::string_view Name)
{
	if (WidgetClass == nullptr || !WidgetClass->IsChildOf(UWidget::StaticClass()) || WidgetClass->HasAnyClassFlags(CLASS_Abstract))
	{
		return nullptr;
	}
	if (!Name.empty() && (!FObjectInternals::IsValidObjectName(Name) || FindInnerObject(Name) != nullptr))
	{
		return nullptr;
	}
	return NewObject<UWidget>(this, WidgetClass, Name, RF_Transactional);
}
