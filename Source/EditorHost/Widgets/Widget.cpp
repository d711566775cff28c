#include "Widgets/Widget.h"

#include "Objects/PropertyValues.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetTree.h"

UWidgetTree* FindOwningWidgetTree(const UObject* Object)
{
	for (UObject* Outer = Object != nullptr ? Object->GetOuter() : nullptr; Outer != nullptr; Outer = Outer->GetOuter())
	{
		if (UWidgetTree* const Tree = Cast<UWidgetTree>(Outer))
		{
			return Tree;
		}
	}
	return nullptr;
}

bool UWidget::GetIsVariable() const
{
	return GetPropertyValueText(*this, "bIsVariable") == "True";
}

void UWidget::SetIsVariable(bool bIsVariable)
{
	SetPropertyValueText(*this, "bIsVariable", bIsVariable ? "True" : "False");
}

UPanelWidget* UWidget::GetParent() const
{
	UPanelSlot* const PanelSlot = Slot;
	return PanelSlot != nullptr ? PanelSlot->Parent.Get() : nullptr;
}

bool UWidget::RemoveFromParent()
{
	UPanelWidget* const Parent = GetParent();
	return Parent != nullptr && Parent->RemoveChild(this);
}

void UWidget::PostRename(UObject* OldOuter, std::string_view OldName)
{
	Super::PostRename(OldOuter, OldName);
	UWidgetTree* const OldTree = Cast<UWidgetTree>(OldOuter) != nullptr ? Cast<UWidgetTree>(OldOuter) : FindOwningWidgetTree(OldOuter);
	if (OldTree == nullptr || OldTree == FindOwningWidgetTree(this))
	{
		return;
	}
	if (!RemoveFromParent())
	{
		Slot = nullptr;
	}
	if (OldTree->RootWidget == this)
	{
		OldTree->RootWidget = nullptr;
	}
	// The children of a panel stay in the tree it left: they lose their slots in it.
	if (UPanelWidget* const Panel = Cast<UPanelWidget>(this))
	{
		std::vector<UWidget*> Staying;
		for (UPanelSlot* const PanelSlot : Panel->GetSlots())
		{
			UWidget* const Child = PanelSlot != nullptr ? PanelSlot->Content.Get() : nullptr;
			if (Child != nullptr && FindOwningWidgetTree(Child) == OldTree)
			{
				Staying.push_back(Child);
			}
		}
		for (UWidget* const Child : Staying)
		{
			Panel->RemoveChild(Child);
		}
	}
}
