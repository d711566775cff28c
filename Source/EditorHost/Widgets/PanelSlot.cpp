#include "Widgets/PanelSlot.h"

#include "Widgets/PanelWidget.h"

#include <algorithm>

namespace
{
	void RemoveFromSlotList(UPanelWidget* Panel, const UPanelSlot* PanelSlot)
	{
		if (Panel != nullptr)
		{
			std::erase(Panel->Slots, PanelSlot);
		}
	}
}

UPanelSlot::~UPanelSlot()
{
	// The panel's list never keeps a slot that is gone. A panel being destroyed is passed over: it
	// has left the object table (Parent reads nullptr) and is no longer a panel (the cast fails)
	// by the time its inner objects die.
	RemoveFromSlotList(Parent, this);
	RemoveFromSlotList(Cast<UPanelWidget>(GetOuter()), this);
	UWidget* const Widget = Content;
	if (Widget != nullptr && Widget->Slot == this)
	{
		Widget->Slot = nullptr;
	}
}

void UPanelSlot::PostRename(UObject* OldOuter, std::string_view OldName)
{
	Super::PostRename(OldOuter, OldName);
	if (GetOuter() == OldOuter)
	{
		return;
	}
	RemoveFromSlotList(Parent, this);
	RemoveFromSlotList(Cast<UPanelWidget>(OldOuter), this);
	if (UWidget* const Widget = Content; Widget != nullptr && Widget->Slot == this)
	{
		Widget->Slot = nullptr;
	}
	Parent = nullptr;
	Content = nullptr;
}
