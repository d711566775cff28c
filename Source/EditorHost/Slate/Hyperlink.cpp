#include "Slate/Hyperlink.h"

void SHyperlink::Construct(const FArguments& InArgs)
{
	Text = InArgs._Text;
	OnNavigate = InArgs._OnNavigate;
}

bool SHyperlink::Navigate() const
{
	return OnNavigate.ExecuteIfBound();
}

void SHyperlink::OnPaint(FJsonObject& OutPainted) const
{
	OutPainted.SetStringField("text", Text.Get().ToString());
}
