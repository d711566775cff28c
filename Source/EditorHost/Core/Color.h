#pragma once

#include <cstdint>

/** A colour with linear float channels, as the editor's FLinearColor. */
struct FLinearColor
{
	float R = 0.0f;
	float G = 0.0f;
	float B = 0.0f;
	float A = 0.0f;

	friend bool operator==(const FLinearColor&, const FLinearColor&) = default;
};

/** An 8-bit colour stored B, G, R, A in memory, as the editor's FColor. */
struct FColor
{
	uint8_t B = 0;
	uint8_t G = 0;
	uint8_t R = 0;
	uint8_t A = 0;

	friend bool operator==(const FColor&, const FColor&) = default;
};
