#include "Slate/SlateIcon.h"

#include "Slate/SlateStyle.h"
#include "Slate/SlateStyleRegistry.h"

const FSlateBrush* FSlateIcon::GetIcon() const
{
	if (!bIsSet)
	{
		return nullptr;
	}
	const ISlateStyle* Style = FSlateStyleRegistry::FindSlateStyle(StyleSetName);
	return Style != nullptr ? Style->FindBrush(StyleName) : nullptr;
}
