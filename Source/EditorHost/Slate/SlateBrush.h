#pragma once

#include "Core/Vector2D.h"
#include "Slate/SlateColor.h"

#include <cstdint>
#include <string>

enum class ESlateBrushDrawType : uint8_t
{
	NoDrawType,
	Box,
	Border,
	Image,
	RoundedBox,
};

enum class ESlateBrushTileType : uint8_t
{
	NoTile,
	Horizontal,
	Vertical,
	Both,
};

enum class ESlateBrushImageType : uint8_t
{
	NoImage,
	FullColor,
	Linear,
	Vector,
};

/**
 * How to draw a rectangle of UI: an image (from a file, or one the style draws itself, with no
 * file), its size and tint. A brush kept by a style set knows the set and the name it is
 * kept under.
 */
struct FSlateBrush
{
	ESlateBrushDrawType DrawAs = ESlateBrushDrawType::Image;
	/** The image file; empty for a brush without one. */
	std::string ResourceName;
	FVector2D ImageSize{32.0, 32.0};
	FSlateColor TintColor = FLinearColor{1.0f, 1.0f, 1.0f, 1.0f};
	ESlateBrushTileType Tiling = ESlateBrushTileType::NoTile;
	ESlateBrushImageType ImageType = ESlateBrushImageType::FullColor;

	/** Set by the style set that keeps the brush. */
	std::string StyleSetName;
	std::string BrushName;

	const std::string& GetResourceName() const { return ResourceName; }
	bool HasImageFile() const { return !ResourceName.empty(); }
};

/** An image brush of a PNG file (a full path, as FSlateStyleSet::RootToContentDir gives). */
struct FSlateImageBrush : FSlateBrush
{
	FSlateImageBrush(std::string InImagePath, const FVector2D& InImageSize, const FSlateColor& InTint = FLinearColor{1.0f, 1.0f, 1.0f, 1.0f},
		ESlateBrushTileType InTiling = ESlateBrushTileType::NoTile, ESlateBrushImageType InImageType = ESlateBrushImageType::FullColor);
};

/** A brush that draws nothing (what a style answers for a name it does not have). */
struct FSlateNoResource : FSlateBrush
{
	FSlateNoResource();
};
