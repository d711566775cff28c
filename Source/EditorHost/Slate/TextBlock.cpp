#include "Slate/TextBlock.h"

#include "Slate/CoreStyle.h"

void STextBlock::Construct(const FArguments& InArgs)
{
	Text = InArgs._Text;
	Font = InArgs._Font;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	AutoWrapText = InArgs._AutoWrapText;
}

FSlateFontInfo STextBlock::GetFont() const
{
	return Font.Get(FCoreStyle::GetDefaultFontStyle("Regular", 10));
}

void STextBlock::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetStringField("text", Text.Get().ToString());
	if (Font.IsSet())
	{
		const FSlateFontInfo PaintedFont = Font.Get();
		auto PaintedFontObject = std::make_shared<FJsonObject>();
		PaintedFontObject->SetStringField("typeface", PaintedFont.TypefaceFontName);
		PaintedFontObject->SetNumberField("size", PaintedFont.Size);
		OutPainted.SetObjectField("font", PaintedFontObject);
	}
	if (ColorAndOpacity.IsSet())
	{
		const FSlateColor Color = ColorAndOpacity.Get();
		if (Color.IsColorSpecified())
		{
			OutPainted.SetField("color", SlatePaint::Color(Color.GetSpecifiedColor()));
		}
	}
	OutPainted.SetBoolField("autoWrap", AutoWrapText.Get(false));
}
