#pragma once

#include "Core/Vector2D.h"
#include "Slate/SlateBrush.h"
#include "Slate/SlateStyle.h"
#include "Slate/SlateColor.h"
#include "Slate/Widget.h"

#include <optional>

/**
 * A brush drawn with a colour. The brush is referred to, not copied: it must outlive the image
 * (brushes of registered style sets do). Painted as {"brush" {"styleSet", "name", "size",
 * "found"}, "color", "size" (when overridden)}.
 */
class SImage : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SImage)
		: _Image(ISlateStyle::GetNoBrush())
	{}
	SLATE_ATTRIBUTE(const FSlateBrush*, Image)
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_ATTRIBUTE(std::optional<FVector2D>, DesiredSizeOverride)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	const FSlateBrush* GetImage() const { return Image.Get(); }
	void SetImage(TAttribute<const FSlateBrush*> InImage) { Image = std::move(InImage); }
	FSlateColor GetColorAndOpacity() const { return ColorAndOpacity.Get(); }
	void SetColorAndOpacity(TAttribute<FSlateColor> InColorAndOpacity) { ColorAndOpacity = std::move(InColorAndOpacity); }

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	TAttribute<const FSlateBrush*> Image;
	TAttribute<FSlateColor> ColorAndOpacity;
	TAttribute<std::optional<FVector2D>> DesiredSizeOverride;
};
