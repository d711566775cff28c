#include "Slate/Margin.h"

const char* LexToString(EHorizontalAlignment Alignment)
{
	switch (Alignment)
	{
	case HAlign_Left:
		return "Left";
	case HAlign_Center:
		return "Center";
	case HAlign_Right:
		return "Right";
	case HAlign_Fill:
		break;
	}
	return "Fill";
}

const char* LexToString(EVerticalAlignment Alignment)
{
	switch (Alignment)
	{
	case VAlign_Top:
		return "Top";
	case VAlign_Center:
		return "Center";
	case VAlign_Bottom:
		return "Bottom";
	case VAlign_Fill:
		break;
	}
	return "Fill";
}

const char* LexToString(EOrientation Orientation)
{
	return Orientation == Orient_Vertical ? "Vertical" : "Horizontal";
}
