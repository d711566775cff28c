#pragma once

#include "Slate/SlateFontInfo.h"

#include <cstdint>
#include <string_view>

class ISlateStyle;

/** The style every application has ("CoreStyle"), and its default font. */
class FCoreStyle
{
public:
	static const ISlateStyle& Get();
	/** The default font family in a typeface ("Regular", "Bold", "Italic"...) and size. */
	static FSlateFontInfo GetDefaultFontStyle(std::string_view TypefaceFontName, int32_t Size);
};
