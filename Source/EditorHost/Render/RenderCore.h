#pragma once

#include <cstdint>

/** The feature levels a renderer can target; the host's OpenGL 4.5 renderer is SM5. */
namespace ERHIFeatureLevel
{
	enum Type : int32_t
	{
		ES3_1,
		SM5,
		SM6,
		Num
	};
}

/** The highest feature level the running renderer supports (the editor's maximum). */
extern ERHIFeatureLevel::Type GMaxRHIFeatureLevel;

/** An integer 2D point or size, as the editor's FIntPoint. */
struct FIntPoint
{
	int32_t X = 0;
	int32_t Y = 0;

	friend bool operator==(const FIntPoint&, const FIntPoint&) = default;
};

/** An integer rectangle from Min (inclusive) to Max (exclusive), as the editor's FIntRect. */
struct FIntRect
{
	FIntPoint Min;
	FIntPoint Max;

	int32_t Width() const { return Max.X - Min.X; }
	int32_t Height() const { return Max.Y - Min.Y; }

	friend bool operator==(const FIntRect&, const FIntRect&) = default;
};

/**
 * Waits until every rendering command issued so far has finished on the device (glFinish),
 * so that pixels read afterwards are complete. Does nothing when no device was ever made.
 */
void FlushRenderingCommands();
