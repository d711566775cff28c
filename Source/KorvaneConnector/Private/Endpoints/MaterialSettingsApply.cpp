#include "Endpoints/MaterialSettingsApply.h"
#include "Endpoints/MaterialNameTables.h"

#include "Core/JsonObject.h"
#include "Core/Text.h"
#include "Materials/Material.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>

namespace
{
	/** The number as a 32-bit float; numbers beyond its range become its largest value, so the material never holds an infinity. */
	float ToFiniteFloat(double Number)
	{
		constexpr double Largest = std::numeric_limits<float>::max();
		return static_cast<float>(std::clamp(Number, -Largest, Largest));
	}

	/** The value whose word is Name (any letter case); values without a word never match. */
	template <std::size_t Count>
	std::optional<std::size_t> FindName(const std::array<std::string_view, Count>& Names, std::string_view Name)
	{
		for (std::size_t Index = 0; Index < Count; ++Index)
		{
			if (!Names[Index].empty() && Text::EqualsIgnoreCase(Names[Index], Name))
			{
				return Index;
			}
		}
		return std::nullopt;
	}

	/** Sets Value from the table when Name is in it; leaves it as it is otherwise. */
	template <typename TEnum, std::size_t Count>
	void SetByName(TEnum& Value, const std::array<std::string_view, Count>& Names, std::string_view Name)
	{
		if (const std::optional<std::size_t> Index = FindName(Names, Name))
		{
			Value = static_cast<TEnum>(*Index);
		}
	}
}

int32_t ApplyMaterialSettings(UMaterial& Material, const FJsonObject& Settings)
{
	int32_t Applied = 0;
	const auto WithString = [&](std::string_view Key, auto&& Apply) {
		if (const std::optional<std::string> Value = Settings.TryGetStringField(Key))
		{
			Apply(*Value);
			++Applied;
		}
	};
	const auto WithBool = [&](std::string_view Key, bool& Field) {
		if (const std::optional<bool> Value = Settings.TryGetBoolField(Key))
		{
			Field = *Value;
			++Applied;
		}
	};
	const auto WithFloat = [&](std::string_view Key, float& Field) {
		if (const std::optional<double> Value = Settings.TryGetNumberField(Key))
		{
			Field = ToFiniteFloat(*Value);
			++Applied;
		}
	};

	WithString("domain", [&](std::string_view Name) { SetByName(Material.MaterialDomain, MaterialDomainNames, Name); });
	WithString("blendMode", [&](std::string_view Name) { SetByName(Material.BlendMode, BlendModeNames, Name); });
	WithString("shadingModel", [&](std::string_view Name) {
		const std::optional<std::size_t> Index = FindName(ShadingModelNames, Name);
		Material.SetShadingModel(Index ? static_cast<EMaterialShadingModel>(*Index) : MSM_DefaultLit);
	});
	WithBool("twoSided", Material.TwoSided);
	WithFloat("opacityMaskClipValue", Material.OpacityMaskClipValue);
	WithString("translucencyLightingMode", [&](std::string_view Name) { SetByName(Material.TranslucencyLightingMode, TranslucencyLightingModeNames, Name); });
	WithString("refractionMethod", [&](std::string_view Name) { SetByName(Material.RefractionMethod, RefractionMethodNames, Name); });
	if (const std::optional<int32_t> Count = Settings.TryGetInt32Field("numCustomizedUVs"))
	{
		Material.NumCustomizedUVs = *Count;
		++Applied;
	}
	WithFloat("maxWorldPositionOffsetDisplacement", Material.MaxWorldPositionOffsetDisplacement);
	WithBool("allowNegativeEmissiveColor", Material.bAllowNegativeEmissiveColor);
	WithBool("useMaterialAttributes", Material.bUseMaterialAttributes);
	WithBool("ditheredLODTransition", Material.DitheredLODTransition);
	return Applied;
}
