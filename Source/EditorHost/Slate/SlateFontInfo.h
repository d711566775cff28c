#pragma once

#include <cstdint>
#include <string>

/** A font: family, typeface ("Regular", "Bold"...) and size in points. */
struct FSlateFontInfo
{
	std::string FontFamily = "Roboto";
	std::string TypefaceFontName = "Regular";
	int32_t Size = 10;

	friend bool operator==(const FSlateFontInfo&, const FSlateFontInfo&) = default;
};
