#include "Slate/Separator.h"

void SSeparator::Construct(const FArguments& InArgs)
{
	Orientation = InArgs._Orientation;
	Thickness = InArgs._Thickness;
}

void SSeparator::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetStringField("orientation", LexToString(Orientation));
	OutPainted.SetNumberField("thickness", Thickness);
}
