#pragma once

#include "Slate/Margin.h"
#include "Slate/Widget.h"

/**
 * A widget made of other widgets: it has one child slot, filled in Construct with
 * `ChildSlot[ ... ]`. Custom widgets (panels) derive from it. Painted as
 * {"padding", "hAlign", "vAlign", "content"}.
 */
class SCompoundWidget : public SWidget
{
public:
	std::vector<std::shared_ptr<SWidget>> GetChildren() const override;

protected:
	class FCompoundWidgetOneChildSlot
	{
	public:
		FCompoundWidgetOneChildSlot& operator[](std::shared_ptr<SWidget> InWidget)
		{
			Widget = std::move(InWidget);
			return *this;
		}
		FCompoundWidgetOneChildSlot& Padding(const FMargin& InPadding)
		{
			SlotPadding = InPadding;
			return *this;
		}
		FCompoundWidgetOneChildSlot& HAlign(EHorizontalAlignment InAlignment)
		{
			HorizontalAlignment = InAlignment;
			return *this;
		}
		FCompoundWidgetOneChildSlot& VAlign(EVerticalAlignment InAlignment)
		{
			VerticalAlignment = InAlignment;
			return *this;
		}

		std::shared_ptr<SWidget> Widget;
		FMargin SlotPadding;
		EHorizontalAlignment HorizontalAlignment = HAlign_Fill;
		EVerticalAlignment VerticalAlignment = VAlign_Fill;
	};

	void OnPaint(FJsonObject& OutPainted) const override;

	FCompoundWidgetOneChildSlot ChildSlot;
};
