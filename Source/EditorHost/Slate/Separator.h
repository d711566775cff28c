#pragma once

#include "Slate/Margin.h"
#include "Slate/Widget.h"

/** A line between widgets. Painted as {"orientation", "thickness"}. */
class SSeparator : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SSeparator)
		: _Orientation(Orient_Horizontal)
		, _Thickness(1.0f)
	{}
	SLATE_ARGUMENT(EOrientation, Orientation)
	SLATE_ARGUMENT(float, Thickness)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	EOrientation Orientation = Orient_Horizontal;
	float Thickness = 1.0f;
};
