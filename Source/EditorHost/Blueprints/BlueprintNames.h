#pragma once

#include <algorithm>
#include <string_view>

/** A name a Blueprint member (variable, component, graph) may have: not empty, no '.', ':' or '/' and no control characters, as object names. */
inline bool IsValidBlueprintMemberName(std::string_view Name)
{
	return !Name.empty() && Name.find_first_of(".:/") == std::string_view::npos
		&& std::none_of(Name.begin(), Name.end(), [](char Character) { return static_cast<unsigned char>(Character) < 0x20; });
}
