#include "Slate/Spacer.h"

void SSpacer::Construct(const FArguments& InArgs)
{
	Size = InArgs._Size;
}

void SSpacer::OnPaint(FJsonObject& OutPainted) const
{
	const FVector2D PaintedSize = Size.Get();
	OutPainted.SetField("size", SlatePaint::Size(PaintedSize.X, PaintedSize.Y));
}
