#include "Slate/CompoundWidget.h"

std::vector<std::shared_ptr<SWidget>> SCompoundWidget::GetChildren() const
{
	if (ChildSlot.Widget == nullptr)
	{
		return {};
	}
	return {ChildSlot.Widget};
}

void SCompoundWidget::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetField("padding", SlatePaint::Margin(ChildSlot.SlotPadding));
	OutPainted.SetStringField("hAlign", LexToString(ChildSlot.HorizontalAlignment));
	OutPainted.SetStringField("vAlign", LexToString(ChildSlot.VerticalAlignment));
	OutPainted.SetField("content", SlatePaint::Child(ChildSlot.Widget));
}
