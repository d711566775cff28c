#include "Widgets/PanelWidget.h"

#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelSlotClass.h"

#include <algorithm>

int32_t UPanelWidget::GetChildrenCount() const
{
	return static_cast<int32_t>(Slots.size());
}

UWidget* UPanelWidget::GetChildAt(int32_t Index) const
{
	if (Index < 0 || static_cast<std::size_t>(Index) >= Slots.size() || Slots[Index] == nullptr)
	{
		return nullptr;
	}
	return Slots[Index]->Content;
}

std::optional<int32_t> UPanelWidget::GetChildIndex(const UWidget* Content) const
{
	if (Content == nullptr)
	{
		return std::nullopt;
	}
	const auto Found = std::find_if(Slots.begin(), Slots.end(), [Content](const UPanelSlot* PanelSlot) { return PanelSlot != nullptr && PanelSlot->Content == Content; });
	if (Found == Slots.end())
	{
		return std::nullopt;
	}
	return static_cast<int32_t>(Found - Slots.begin());
}

UClass* UPanelWidget::GetSlotClass() const
{
	return FindPanelSlotClass(GetClass());
}

UPanelSlot* UPanelWidget::AddChild(UWidget* Content)
{
	if (!IsValid(Content) || (!CanHaveMultipleChildren() && !Slots.empty()))
	{
		return nullptr;
	}
	// A widget cannot hold itself, nor a panel it sits in.
	for (const UWidget* Ancestor = this; Ancestor != nullptr; Ancestor = Ancestor->GetParent())
	{
		if (Ancestor == Content)
		{
			return nullptr;
		}
	}
	if (!Content->RemoveFromParent())
	{
		Content->Slot = nullptr;
	}
	UPanelSlot* const PanelSlot = NewObject<UPanelSlot>(this, GetSlotClass(), {}, RF_Transactional | (GetFlags() & RF_Transient));
	if (PanelSlot == nullptr)
	{
		return nullptr;
	}
	PanelSlot->Parent = this;
	PanelSlot->Content = Content;
	Content->Slot = PanelSlot;
	Slots.push_back(PanelSlot);
	return PanelSlot;
}

bool UPanelWidget::RemoveChild(UWidget* Content)
{
	const std::optional<int32_t> Index = GetChildIndex(Content);
	if (!Index)
	{
		return false;
	}
	DestroySlot(*Slots[*Index]);
	return true;
}

void UPanelWidget::DestroySlot(UPanelSlot& PanelSlot)
{
	std::erase(Slots, &PanelSlot);
	if (UWidget* const Content = PanelSlot.Content; Content != nullptr && Content->Slot == &PanelSlot)
	{
		Content->Slot = nullptr;
	}
	PanelSlot.Parent = nullptr;
	PanelSlot.Content = nullptr;
	if (UObject* const Outer = PanelSlot.GetOuter())
	{
		FObjectInternals::DestroyInnerObject(*Outer, PanelSlot);
	}
}
