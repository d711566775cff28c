#pragma once

#include <bit>
#include <cstdint>
#include <string>

class UEnum;
template <typename T>
const UEnum* StaticEnum();

/**
 * The material enumerations with the editor's numeric values. Asset files write them by their
 * enumerator names (docs/PROJECT_FORMAT.md, "Material"); MaterialEnumNames.h converts.
 */

enum EMaterialDomain : uint8_t
{
	MD_Surface,
	MD_DeferredDecal,
	MD_LightFunction,
	MD_Volume,
	MD_PostProcess,
	MD_UI,
	MD_RuntimeVirtualTexture,
	MD_MAX
};

enum EBlendMode : uint8_t
{
	BLEND_Opaque,
	BLEND_Masked,
	BLEND_Translucent,
	BLEND_Additive,
	BLEND_Modulate,
	BLEND_AlphaComposite,
	BLEND_AlphaHoldout,
	BLEND_TranslucentColoredTransmittance,
	BLEND_MAX
};

enum EMaterialShadingModel : uint8_t
{
	MSM_Unlit,
	MSM_DefaultLit,
	MSM_Subsurface,
	MSM_PreintegratedSkin,
	MSM_ClearCoat,
	MSM_SubsurfaceProfile,
	MSM_TwoSidedFoliage,
	MSM_Hair,
	MSM_Cloth,
	MSM_Eye,
	MSM_SingleLayerWater,
	MSM_ThinTranslucent,
	MSM_Strata,
	/** The shading model comes from the material's ShadingModel input; the set holds every model it may use. */
	MSM_FromMaterialExpression,
	MSM_NUM
};

/** The shading models a material may use, one bit per EMaterialShadingModel (never empty once set). */
class FMaterialShadingModelField
{
public:
	FMaterialShadingModelField() = default;
	explicit FMaterialShadingModelField(EMaterialShadingModel Model) { AddShadingModel(Model); }

	void AddShadingModel(EMaterialShadingModel Model) { Bits |= Bit(Model); }
	void RemoveShadingModel(EMaterialShadingModel Model) { Bits &= ~Bit(Model); }
	void ClearShadingModels() { Bits = 0; }
	bool HasShadingModel(EMaterialShadingModel Model) const { return (Bits & Bit(Model)) != 0; }
	bool IsValid() const { return Bits != 0; }
	int32_t CountShadingModels() const { return std::popcount(Bits); }
	/** The lowest-numbered model in the set; MSM_NUM when the set is empty. */
	EMaterialShadingModel GetFirstShadingModel() const
	{
		return Bits == 0 ? MSM_NUM : static_cast<EMaterialShadingModel>(std::countr_zero(Bits));
	}
	uint16_t GetShadingModelField() const { return Bits; }

	friend bool operator==(const FMaterialShadingModelField&, const FMaterialShadingModelField&) = default;

private:
	static uint16_t Bit(EMaterialShadingModel Model) { return static_cast<uint16_t>(1u << Model); }

	uint16_t Bits = 0;
};

enum ETranslucencyLightingMode : uint8_t
{
	TLM_VolumetricNonDirectional,
	TLM_VolumetricDirectional,
	TLM_VolumetricPerVertexNonDirectional,
	TLM_VolumetricPerVertexDirectional,
	TLM_Surface,
	TLM_SurfacePerPixelLighting,
	TLM_MAX
};

enum ERefractionMode : uint8_t
{
	RM_IndexOfRefraction,
	RM_PixelNormalOffset,
	RM_2DOffset,
	RM_None,
};

/**
 * The material's property inputs (its result pins) with the editor's numbers; 35 values from
 * MP_EmissiveColor (0) to MP_CustomOutput (34).
 */
enum EMaterialProperty : uint8_t
{
	MP_EmissiveColor = 0,
	MP_Opacity,
	MP_OpacityMask,
	MP_DiffuseColor,
	MP_SpecularColor,
	MP_BaseColor,
	MP_Metallic,
	MP_Specular,
	MP_Roughness,
	MP_Anisotropy,
	MP_Normal,
	MP_Tangent,
	MP_WorldPositionOffset,
	MP_WorldDisplacement_DEPRECATED,
	MP_TessellationMultiplier_DEPRECATED,
	MP_SubsurfaceColor,
	MP_CustomData0,
	MP_CustomData1,
	MP_AmbientOcclusion,
	MP_Refraction,
	MP_CustomizedUVs0,
	MP_CustomizedUVs1,
	MP_CustomizedUVs2,
	MP_CustomizedUVs3,
	MP_CustomizedUVs4,
	MP_CustomizedUVs5,
	MP_CustomizedUVs6,
	MP_CustomizedUVs7,
	MP_PixelDepthOffset,
	MP_ShadingModel,
	MP_FrontMaterial,
	MP_SurfaceThickness,
	MP_Displacement,
	MP_MaterialAttributes,
	MP_CustomOutput,
	MP_MAX
};

/** Where a parameter lives: in one of the material's attribute layers, one of its blends, or the material itself. */
enum EMaterialParameterAssociation : uint8_t
{
	LayerParameter,
	BlendParameter,
	GlobalParameter,
};

/** A parameter as the engine lists it: its name, where it lives and, for layers and blends, which one. */
struct FMaterialParameterInfo
{
	std::string Name;
	EMaterialParameterAssociation Association = GlobalParameter;
	/** The layer's or blend's index; -1 (INDEX_NONE) for a global parameter. */
	int32_t Index = -1;

	friend bool operator==(const FMaterialParameterInfo&, const FMaterialParameterInfo&) = default;
};

/**
 * A static switch parameter's value set by a material instance (or its parents). Static switches
 * are compiled into the shader, so an instance that overrides one has a shader of its own: the
 * base graph translated with these values (its static permutation).
 */
struct FStaticSwitchOverride
{
	std::string Name;
	bool Value = false;

	friend bool operator==(const FStaticSwitchOverride&, const FStaticSwitchOverride&) = default;
};

/** The output type of a custom-code expression, with the editor's values (reflected as /Script/Engine.ECustomMaterialOutputType). */
enum ECustomMaterialOutputType : uint8_t
{
	CMOT_Float1,
	CMOT_Float2,
	CMOT_Float3,
	CMOT_Float4,
	CMOT_MaterialAttributes,
	CMOT_MAX
};

/** `/Script/Engine.ECustomMaterialOutputType` from the class database. */
template <>
const UEnum* StaticEnum<ECustomMaterialOutputType>();
