#pragma once

#include "Slate/SlateColor.h"
#include "Slate/SlateFontInfo.h"
#include "Slate/Widget.h"

/**
 * A text. Painted as {"text", "font" {"typeface", "size"} (when one was given), "color"
 * (when one was given), "autoWrap"}; bound attributes are evaluated at each paint.
 */
class STextBlock : public SWidget
{
public:
	SLATE_BEGIN_ARGS(STextBlock)
		: _AutoWrapText(false)
	{}
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_ATTRIBUTE(FSlateFontInfo, Font)
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_ATTRIBUTE(bool, AutoWrapText)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	/** The text now (a bound text is evaluated). */
	FText GetText() const { return Text.Get(); }
	void SetText(TAttribute<FText> InText) { Text = std::move(InText); }
	FSlateColor GetColorAndOpacity() const { return ColorAndOpacity.Get(); }
	void SetColorAndOpacity(TAttribute<FSlateColor> InColorAndOpacity) { ColorAndOpacity = std::move(InColorAndOpacity); }
	void SetFont(TAttribute<FSlateFontInfo> InFont) { Font = std::move(InFont); }
	/** The font given, or the default font. */
	FSlateFontInfo GetFont() const;

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	TAttribute<FText> Text;
	TAttribute<FSlateFontInfo> Font;
	TAttribute<FSlateColor> ColorAndOpacity;
	TAttribute<bool> AutoWrapText;
};
