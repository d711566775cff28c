#pragma once

#include "Textures/TextureDefines.h"

#include <optional>
#include <string>
#include <string_view>

/**
 * The texture enumerations by their enumerator names, as asset files write them
 * ("TC_Normalmap", "TMGS_NoMipmaps", "TEXTUREGROUP_World", "TA_Clamp"), read from the class
 * database's reflected enumerations. A value without a name gives empty text; a name that is
 * not one (or the hidden _MAX entry) gives nothing.
 */
namespace TextureEnumNames
{
	template <typename TEnum>
	std::string ToName(TEnum Value);

	template <typename TEnum>
	std::optional<TEnum> FromName(std::string_view Name);
}
