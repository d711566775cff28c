#include "Slate/Box.h"

void SBox::Construct(const FArguments& InArgs)
{
	HAlign = InArgs._HAlign;
	VAlign = InArgs._VAlign;
	Padding = InArgs._Padding;
	WidthOverride = InArgs._WidthOverride;
	HeightOverride = InArgs._HeightOverride;
	Content = InArgs._Content;
}

std::vector<std::shared_ptr<SWidget>> SBox::GetChildren() const
{
	if (Content == nullptr)
	{
		return {};
	}
	return {Content};
}

void SBox::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetField("padding", SlatePaint::Margin(Padding.Get()));
	OutPainted.SetStringField("hAlign", LexToString(HAlign));
	OutPainted.SetStringField("vAlign", LexToString(VAlign));
	if (const FOptionalSize Width = WidthOverride.Get(); Width.IsSet())
	{
		OutPainted.SetNumberField("width", Width.Get());
	}
	if (const FOptionalSize Height = HeightOverride.Get(); Height.IsSet())
	{
		OutPainted.SetNumberField("height", Height.Get());
	}
	OutPainted.SetField("content", SlatePaint::Child(Content));
}
