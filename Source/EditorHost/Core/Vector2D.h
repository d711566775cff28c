#pragma once

/** Two doubles, as the editor's FVector2D (a widget's design size, a brush's image size). */
struct FVector2D
{
	double X = 0.0;
	double Y = 0.0;

	friend bool operator==(const FVector2D&, const FVector2D&) = default;
};
