#include "Core/Color.h"
#include "Slate/Margin.h"
#include "Slate/SlateBrush.h"
#include "Slate/SlateStyle.h"
#include "Slate/Widget.h"

FJsonValue SlatePaint::Margin(const FMargin& Margin)
{
	return FJsonValueArray{Margin.Left, Margin.Top, Margin.Right, Margin.Bottom};
}

FJsonValue SlatePaint::Color(const FLinearColor& Color)
{
	return FJsonValueArray{Color.R, Color.G, Color.B, Color.A};
}

FJsonValue SlatePaint::Size(double X, double Y)
{
	return FJsonValueArray{X, Y};
}

FJsonValue SlatePaint::Child(const std::shared_ptr<SWidget>& Widget)
{
	if (Widget == nullptr)
	{
		return nullptr;
	}
	return std::make_shared<FJsonObject>(Widget->Paint());
}

FJsonValue SlatePaint::Brush(const FSlateBrush* Brush)
{
	auto Painted = std::make_shared<FJsonObject>();
	const bool bFound = Brush != nullptr && Brush != ISlateStyle::GetNoBrush() && Brush->DrawAs != ESlateBrushDrawType::NoDrawType;
	Painted->SetStringField("styleSet", bFound ? Brush->StyleSetName : std::string());
	Painted->SetStringField("name", bFound ? Brush->BrushName : std::string());
	Painted->SetField("size", bFound ? Size(Brush->ImageSize.X, Brush->ImageSize.Y) : Size(0.0, 0.0));
	Painted->SetBoolField("found", bFound);
	return Painted;
}
