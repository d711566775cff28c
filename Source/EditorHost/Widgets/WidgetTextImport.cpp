#include "Objects/Class.h"
#include "Objects/ObjectTextImport.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/Widget.h"

#include <string>

namespace
{
	/** The object a reference line names, when it is a T; a reference to an object of another kind is refused with a warning. */
	template <typename T>
	T* ResolveAs(const UObject& From, const FObjectTextLine& Line, FObjectTextImportContext& Context)
	{
		UObject* const Referenced = Context.ResolveReference(From, Line.Value);
		T* const Typed = Cast<T>(Referenced);
		if (Referenced != nullptr && Typed == nullptr)
		{
			Context.Warn(From.GetName() + ": " + std::string(Line.Name) + " names " + Referenced->GetName() + ", which is no " + T::StaticClass()->GetName() + "; left unset");
		}
		return Typed;
	}
}

bool UVisual::KeepTextLine(std::string_view Line)
{
	KeptTextLines.emplace_back(Line);
	return true;
}

bool UWidget::ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context)
{
	if (Line.Name != "Slot")
	{
		return false;
	}
	Context.Warn(GetName() + ": the Slot line is ignored; the slot that names the widget as its content places it");
	return true;
}

bool UPanelSlot::ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context)
{
	if (Line.ArrayIndex)
	{
		return false;
	}
	if (Line.Name == "Parent")
	{
		Parent = ResolveAs<UPanelWidget>(*this, Line, Context);
		return true;
	}
	if (Line.Name == "Content")
	{
		Content = ResolveAs<UWidget>(*this, Line, Context);
		return true;
	}
	return false;
}

bool UPanelWidget::ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context)
{
	if (Line.Name != "Slots")
	{
		return UWidget::ImportTextMember(Line, Context);
	}
	UPanelSlot* const Slot = ResolveAs<UPanelSlot>(*this, Line, Context);
	if (Slot == nullptr)
	{
		return true;
	}
	if (Slot->GetOuter() != this)
	{
		Context.Warn(GetName() + ": " + Slot->GetName() + " is a slot of another object, not of this panel; left out");
		return true;
	}
	// An index past the end appends, so a gap in the numbers leaves no empty place in the list.
	const std::size_t Index = Line.ArrayIndex ? static_cast<std::size_t>(*Line.ArrayIndex) : Slots.size();
	if (Index < Slots.size())
	{
		Slots[Index] = Slot;
	}
	else
	{
		Slots.push_back(Slot);
	}
	return true;
}
