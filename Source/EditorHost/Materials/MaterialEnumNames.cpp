#include "Materials/MaterialEnumNames.h"

#include <array>
#include <span>

namespace
{
	constexpr std::array<std::string_view, MD_MAX> DomainNames = {
		"MD_Surface", "MD_DeferredDecal", "MD_LightFunction", "MD_Volume", "MD_PostProcess", "MD_UI", "MD_RuntimeVirtualTexture"};
	constexpr std::array<std::string_view, BLEND_MAX> BlendNames = {"BLEND_Opaque", "BLEND_Masked", "BLEND_Translucent", "BLEND_Additive", "BLEND_Modulate",
		"BLEND_AlphaComposite", "BLEND_AlphaHoldout", "BLEND_TranslucentColoredTransmittance"};
	constexpr std::array<std::string_view, MSM_NUM> ShadingModelNames = {"MSM_Unlit", "MSM_DefaultLit", "MSM_Subsurface", "MSM_PreintegratedSkin", "MSM_ClearCoat",
		"MSM_SubsurfaceProfile", "MSM_TwoSidedFoliage", "MSM_Hair", "MSM_Cloth", "MSM_Eye", "MSM_SingleLayerWater", "MSM_ThinTranslucent", "MSM_Strata",
		"MSM_FromMaterialExpression"};
	constexpr std::array<std::string_view, TLM_MAX> TranslucencyNames = {"TLM_VolumetricNonDirectional", "TLM_VolumetricDirectional",
		"TLM_VolumetricPerVertexNonDirectional", "TLM_VolumetricPerVertexDirectional", "TLM_Surface", "TLM_SurfacePerPixelLighting"};
	constexpr std::array<std::string_view, 4> RefractionNames = {"RM_IndexOfRefraction", "RM_PixelNormalOffset", "RM_2DOffset", "RM_None"};
	constexpr std::array<std::string_view, 3> AssociationNames = {"LayerParameter", "BlendParameter", "GlobalParameter"};
	constexpr std::array<std::string_view, MP_MAX> PropertyNames = {"EmissiveColor", "Opacity", "OpacityMask", "DiffuseColor", "SpecularColor", "BaseColor",
		"Metallic", "Specular", "Roughness", "Anisotropy", "Normal", "Tangent", "WorldPositionOffset", "WorldDisplacement_DEPRECATED",
		"TessellationMultiplier_DEPRECATED", "SubsurfaceColor", "CustomData0", "CustomData1", "AmbientOcclusion", "Refraction", "CustomizedUVs0",
		"CustomizedUVs1", "CustomizedUVs2", "CustomizedUVs3", "CustomizedUVs4", "CustomizedUVs5", "CustomizedUVs6", "CustomizedUVs7", "PixelDepthOffset",
		"ShadingModel", "FrontMaterial", "SurfaceThickness", "Displacement", "MaterialAttributes", "CustomOutput"};

	std::string_view NameAt(std::span<const std::string_view> Names, std::size_t Value)
	{
		return Value < Names.size() ? Names[Value] : std::string_view();
	}

	template <typename TEnum>
	std::optional<TEnum> ValueOf(std::span<const std::string_view> Names, std::string_view Name)
	{
		for (std::size_t Index = 0; Index < Names.size(); ++Index)
		{
			if (Names[Index] == Name)
			{
				return static_cast<TEnum>(Index);
			}
		}
		return std::nullopt;
	}
}

std::string_view MaterialEnumNames::ToName(EMaterialDomain Value) { return NameAt(DomainNames, Value); }
std::string_view MaterialEnumNames::ToName(EBlendMode Value) { return NameAt(BlendNames, Value); }
std::string_view MaterialEnumNames::ToName(EMaterialShadingModel Value) { return NameAt(ShadingModelNames, Value); }
std::string_view MaterialEnumNames::ToName(ETranslucencyLightingMode Value) { return NameAt(TranslucencyNames, Value); }
std::string_view MaterialEnumNames::ToName(ERefractionMode Value) { return NameAt(RefractionNames, Value); }
std::string_view MaterialEnumNames::ToName(EMaterialParameterAssociation Value) { return NameAt(AssociationNames, Value); }
std::string_view MaterialEnumNames::ToName(EMaterialProperty Value) { return NameAt(PropertyNames, Value); }

template <>
std::optional<EMaterialDomain> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<EMaterialDomain>(DomainNames, Name); }
template <>
std::optional<EBlendMode> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<EBlendMode>(BlendNames, Name); }
template <>
std::optional<EMaterialShadingModel> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<EMaterialShadingModel>(ShadingModelNames, Name); }
template <>
std::optional<ETranslucencyLightingMode> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<ETranslucencyLightingMode>(TranslucencyNames, Name); }
template <>
std::optional<ERefractionMode> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<ERefractionMode>(RefractionNames, Name); }
template <>
std::optional<EMaterialParameterAssociation> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<EMaterialParameterAssociation>(AssociationNames, Name); }
template <>
std::optional<EMaterialProperty> MaterialEnumNames::FromName(std::string_view Name) { return ValueOf<EMaterialProperty>(PropertyNames, Name); }
