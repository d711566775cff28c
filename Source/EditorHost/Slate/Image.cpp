#include "Slate/Image.h"

void SImage::Construct(const FArguments& InArgs)
{
	Image = InArgs._Image;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	DesiredSizeOverride = InArgs._DesiredSizeOverride;
}

void SImage::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetField("brush", SlatePaint::Brush(Image.Get()));
	OutPainted.SetField("color", SlatePaint::Color(ColorAndOpacity.Get().GetSpecifiedColor()));
	if (const std::optional<FVector2D> Override = DesiredSizeOverride.Get())
	{
		OutPainted.SetField("size", SlatePaint::Size(Override->X, Override->Y));
	}
}
