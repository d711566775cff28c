#include "Slate/BoxPanel.h"

std::vector<std::shared_ptr<SWidget>> SBoxPanel::GetChildren() const
{
	std::vector<std::shared_ptr<SWidget>> Children;
	for (const FBoxSlotLayout& Slot : Slots)
	{
		if (Slot.Widget != nullptr)
		{
			Children.push_back(Slot.Widget);
		}
	}
	return Children;
}

void SBoxPanel::OnPaint(FJsonObject& OutPainted) const
{
	FJsonValueArray PaintedSlots;
	PaintedSlots.reserve(Slots.size());
	for (const FBoxSlotLayout& Slot : Slots)
	{
		auto PaintedSlot = std::make_shared<FJsonObject>();
		PaintedSlot->SetField("padding", SlatePaint::Margin(Slot.Padding));
		PaintedSlot->SetStringField("hAlign", LexToString(Slot.HAlign));
		PaintedSlot->SetStringField("vAlign", LexToString(Slot.VAlign));
		if (Slot.SizeRule == ESizeRule::Auto)
		{
			PaintedSlot->SetStringField("size", "auto");
		}
		else
		{
			auto Fill = std::make_shared<FJsonObject>();
			Fill->SetNumberField("fill", Slot.FillValue);
			PaintedSlot->SetObjectField("size", Fill);
		}
		if (Slot.MaxSize > 0.0f)
		{
			PaintedSlot->SetNumberField("maxSize", Slot.MaxSize);
		}
		PaintedSlot->SetField("widget", SlatePaint::Child(Slot.Widget));
		PaintedSlots.emplace_back(PaintedSlot);
	}
	OutPainted.SetArrayField("slots", std::move(PaintedSlots));
}

void SVerticalBox::Construct(const FArguments& InArgs)
{
	for (const FSlot::FSlotArguments& Slot : InArgs._Slots)
	{
		AddSlot(Slot);
	}
}

void SHorizontalBox::Construct(const FArguments& InArgs)
{
	for (const FSlot::FSlotArguments& Slot : InArgs._Slots)
	{
		AddSlot(Slot);
	}
}
