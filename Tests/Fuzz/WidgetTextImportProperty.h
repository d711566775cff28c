#pragma once

#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetCopyPaste.h"
#include "Widgets/WidgetTree.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

/** The object's reflected properties that differ from their defaults, each as its delta text, and its kept lines. */
inline std::string DescribeWidgetTextValues(const UObject& Object)
{
	std::string Description;
	for (const auto& [Name, Value] : GetChangedPropertyValues(Object))
	{
		if (const FProperty* const Property = Object.GetClass()->FindPropertyByName(Name))
		{
			if (const std::string Delta = ExportPropertyTextDelta(*Property, Value, Object.GetClass()->GetDefaultValueText(*Property), EPropertyExportFlags::Delimited); !Delta.empty())
			{
				Description += " " + Name + "=" + Delta;
			}
		}
	}
	if (const UVisual* const Visual = Cast<UVisual>(&Object))
	{
		for (const std::string& Line : Visual->KeptTextLines)
		{
			Description += " kept[" + Line + "]";
		}
	}
	return Description;
}

/**
 * What a paste made, independent of the order it made it in: one line per widget (sorted) with
 * its class, properties, the slot placing it and its children in order.
 */
inline std::string DescribePastedWidgets(const std::vector<UWidget*>& Widgets)
{
	std::vector<std::string> Lines;
	for (const UWidget* const Widget : Widgets)
	{
		std::string Line = Widget->GetName() + " " + Widget->GetClass()->GetPathName() + DescribeWidgetTextValues(*Widget);
		if (const UPanelSlot* const Slot = Widget->Slot)
		{
			Line += " | in " + (Slot->Parent != nullptr ? Slot->Parent->GetName() : std::string("?")) + " by " + Slot->GetName() + " " + Slot->GetClass()->GetName() + DescribeWidgetTextValues(*Slot);
		}
		if (const UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
		{
			Line += " | children";
			for (int32_t Index = 0; Index < Panel->GetChildrenCount(); ++Index)
			{
				const UWidget* const Child = Panel->GetChildAt(Index);
				Line += " " + (Child != nullptr ? Child->GetName() : std::string("(empty)"));
			}
		}
		Lines.push_back(std::move(Line));
	}
	std::ranges::sort(Lines);
	std::string Description;
	for (const std::string& Line : Lines)
	{
		Description += Line + "\n";
	}
	return Description;
}

/** The widgets that pasting Text into Tree makes. */
inline std::vector<UWidget*> PasteWidgetText(UWidgetTree& Tree, std::string_view Text)
{
	FWidgetTreeTextFactory Factory;
	Factory.ProcessBuffer(&Tree, RF_Transactional, Text);
	return Factory.NewWidgets;
}

/**
 * What pasting any text must give: no crash, a tree whose every walk ends, and widgets that copy
 * to text which pastes back to an equal tree. Empty when that holds, else what went wrong.
 */
inline std::string CheckWidgetTextRoundTrip(std::string_view Text)
{
	UWidgetTree* const First = NewObject<UWidgetTree>();
	UWidgetTree* const Second = NewObject<UWidgetTree>();
	const std::vector<UWidget*> Pasted = PasteWidgetText(*First, Text);
	std::vector<UWidget*> All;
	First->GetAllWidgets(All);
	std::string Failure;
	if (All.size() < Pasted.size())
	{
		Failure = "the tree lists " + std::to_string(All.size()) + " widgets of the " + std::to_string(Pasted.size()) + " pasted\n";
	}
	const std::string Copied = ExportWidgetsToText(Pasted);
	const std::vector<UWidget*> Repasted = PasteWidgetText(*Second, Copied);
	const std::string Before = DescribePastedWidgets(Pasted);
	const std::string After = DescribePastedWidgets(Repasted);
	if (After != Before)
	{
		Failure += "the copied text does not paste back to an equal tree:\n" + Before + "---\n" + After + "--- copied text:\n" + Copied;
	}
	First->MarkAsGarbage();
	Second->MarkAsGarbage();
	CollectGarbage();
	return Failure;
}
