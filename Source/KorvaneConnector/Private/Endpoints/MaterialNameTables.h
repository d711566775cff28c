#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The words the desktop app uses for a base Material's settings, indexed by the
// editor's numeric value of each enumeration. Exports write them; the paste
// deploy reads them back. A value at or past the end of its table, or with an
// empty name, has no word.

/** EMaterialDomain; the runtime-virtual-texture domain (6) has no word. */
inline constexpr std::array<std::string_view, 6> MaterialDomainNames = {
	"Surface", "DeferredDecal", "LightFunction", "Volume", "PostProcess", "UserInterface"};

/** EBlendMode. */
inline constexpr std::array<std::string_view, 8> BlendModeNames = {
	"Opaque", "Masked", "Translucent", "Additive", "Modulate", "AlphaComposite", "AlphaHoldout", "TranslucentColoredTransmittance"};

/** EMaterialShadingModel; Substrate (12) has no word. */
inline constexpr std::array<std::string_view, 12> ShadingModelNames = {"Unlit", "DefaultLit", "Subsurface", "PreintegratedSkin", "ClearCoat",
	"SubsurfaceProfile", "TwoSidedFoliage", "Hair", "Cloth", "Eye", "SingleLayerWater", "ThinTranslucent"};

/** ETranslucencyLightingMode. */
inline constexpr std::array<std::string_view, 6> TranslucencyLightingModeNames = {"VolumetricNonDirectional", "VolumetricDirectional",
	"VolumetricPerVertexNonDirectional", "VolumetricPerVertexDirectional", "SurfaceTranslucencyVolume", "SurfaceForwardShading"};

/** ERefractionMode; the 2D offset mode (2) has no word. */
inline constexpr std::array<std::string_view, 4> RefractionMethodNames = {"IndexOfRefraction", "PixelNormalOffset", "", "None"};

/** The word of Value in Names, or nothing when the table has none for it. */
template <std::size_t Count>
constexpr std::optional<std::string_view> FindMaterialSettingName(const std::array<std::string_view, Count>& Names, int64_t Value)
{
	if (Value < 0 || Value >= static_cast<int64_t>(Count) || Names[static_cast<std::size_t>(Value)].empty())
	{
		return std::nullopt;
	}
	return Names[static_cast<std::size_t>(Value)];
}
