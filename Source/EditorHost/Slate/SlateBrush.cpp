#include "Slate/SlateBrush.h"

FSlateImageBrush::FSlateImageBrush(std::string InImagePath, const FVector2D& InImageSize, const FSlateColor& InTint, ESlateBrushTileType InTiling,
	ESlateBrushImageType InImageType)
{
	DrawAs = ESlateBrushDrawType::Image;
	ResourceName = std::move(InImagePath);
	ImageSize = InImageSize;
	TintColor = InTint;
	Tiling = InTiling;
	ImageType = InImageType;
}

FSlateNoResource::FSlateNoResource()
{
	DrawAs = ESlateBrushDrawType::NoDrawType;
	ImageSize = FVector2D{0.0, 0.0};
	ImageType = ESlateBrushImageType::NoImage;
}
