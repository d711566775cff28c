#pragma once

/** A colour with linear float channels, as the editor's FLinearColor. */
struct FLinearColor
{
	float R = 0.0f;
	float G = 0.0f;
	float B = 0.0f;
	float A = 0.0f;

	friend bool operator==(const FLinearColor&, const FLinearColor&) = default;
};
