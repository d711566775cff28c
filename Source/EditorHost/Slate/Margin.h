#pragma once

/** Space around a widget, in slate units: left, top, right, bottom. */
struct FMargin
{
	FMargin() = default;
	FMargin(float Uniform) : Left(Uniform), Top(Uniform), Right(Uniform), Bottom(Uniform) {}
	FMargin(float Horizontal, float Vertical) : Left(Horizontal), Top(Vertical), Right(Horizontal), Bottom(Vertical) {}
	FMargin(float InLeft, float InTop, float InRight, float InBottom) : Left(InLeft), Top(InTop), Right(InRight), Bottom(InBottom) {}

	float Left = 0.0f;
	float Top = 0.0f;
	float Right = 0.0f;
	float Bottom = 0.0f;

	friend bool operator==(const FMargin&, const FMargin&) = default;
};

/** How a child is placed across the width of its slot. */
enum EHorizontalAlignment
{
	HAlign_Fill,
	HAlign_Left,
	HAlign_Center,
	HAlign_Right,
};

/** How a child is placed across the height of its slot. */
enum EVerticalAlignment
{
	VAlign_Fill,
	VAlign_Top,
	VAlign_Center,
	VAlign_Bottom,
};

enum EOrientation
{
	Orient_Horizontal,
	Orient_Vertical,
};

const char* LexToString(EHorizontalAlignment Alignment);
const char* LexToString(EVerticalAlignment Alignment);
const char* LexToString(EOrientation Orientation);
