#pragma once

#include "Core/Color.h"

/** A widget colour: a given linear colour, or the style's foreground colour when none is given. */
class FSlateColor
{
public:
	FSlateColor() = default;
	FSlateColor(const FLinearColor& InColor) : SpecifiedColor(InColor), bSpecified(true) {}

	static FSlateColor UseForeground() { return FSlateColor(); }

	bool IsColorSpecified() const { return bSpecified; }
	/** The given colour (white for the foreground colour). */
	FLinearColor GetSpecifiedColor() const { return bSpecified ? SpecifiedColor : FLinearColor{1.0f, 1.0f, 1.0f, 1.0f}; }

	friend bool operator==(const FSlateColor&, const FSlateColor&) = default;

private:
	FLinearColor SpecifiedColor{1.0f, 1.0f, 1.0f, 1.0f};
	bool bSpecified = false;
};
