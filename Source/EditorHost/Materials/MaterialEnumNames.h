#pragma once

#include "Materials/MaterialTypes.h"

#include <optional>
#include <string_view>

/**
 * The material enumerations by their enumerator names, as asset files write them ("MD_Surface",
 * "BLEND_Masked", "MSM_DefaultLit", "GlobalParameter"), and the material properties by the
 * names of their inputs ("BaseColor", "CustomizedUVs3"). A value without a name gives empty text;
 * a name that is not one gives nothing.
 */
namespace MaterialEnumNames
{
	std::string_view ToName(EMaterialDomain Value);
	std::string_view ToName(EBlendMode Value);
	std::string_view ToName(EMaterialShadingModel Value);
	std::string_view ToName(ETranslucencyLightingMode Value);
	std::string_view ToName(ERefractionMode Value);
	std::string_view ToName(EMaterialParameterAssociation Value);
	/** "EmissiveColor" for MP_EmissiveColor: the enumerator name without its `MP_`. */
	std::string_view ToName(EMaterialProperty Value);

	/** The value of that name (exact letter case). */
	template <typename TEnum>
	std::optional<TEnum> FromName(std::string_view Name);

	template <>
	std::optional<EMaterialDomain> FromName(std::string_view Name);
	template <>
	std::optional<EBlendMode> FromName(std::string_view Name);
	template <>
	std::optional<EMaterialShadingModel> FromName(std::string_view Name);
	template <>
	std::optional<ETranslucencyLightingMode> FromName(std::string_view Name);
	template <>
	std::optional<ERefractionMode> FromName(std::string_view Name);
	template <>
	std::optional<EMaterialParameterAssociation> FromName(std::string_view Name);
	template <>
	std::optional<EMaterialProperty> FromName(std::string_view Name);
}
