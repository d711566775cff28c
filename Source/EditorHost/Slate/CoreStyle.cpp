#include "Slate/CoreStyle.h"

#include "Slate/EditorStyles.h"
#include "Slate/SlateStyle.h"

const ISlateStyle& FCoreStyle::Get()
{
	return EditorStyles::GetCoreStyle();
}

FSlateFontInfo FCoreStyle::GetDefaultFontStyle(std::string_view TypefaceFontName, int32_t Size)
{
	FSlateFontInfo Font;
	Font.TypefaceFontName = std::string(TypefaceFontName);
	Font.Size = Size;
	return Font;
}
