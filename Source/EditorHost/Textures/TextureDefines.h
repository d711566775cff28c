#pragma once

#include <cstdint>

class UEnum;
template <typename T>
const UEnum* StaticEnum();

/** How a texture is compressed for the platform; the numbers are the engine's and are stored in assets by name. */
enum TextureCompressionSettings : uint8_t
{
	TC_Default,
	TC_Normalmap,
	TC_Masks,
	TC_Grayscale,
	TC_Displacementmap,
	TC_VectorDisplacementmap,
	TC_HDR,
	TC_EditorIcon,
	TC_Alpha,
	TC_DistanceFieldFont,
	TC_HDR_Compressed,
	TC_BC7,
	TC_HalfFloat,
	TC_LQ,
	TC_EncodedReflectionCapture,
	TC_SingleFloat,
	TC_HDR_F32,
	TC_MAX
};

/** How the platform mips are made from the source. */
enum TextureMipGenSettings : uint8_t
{
	TMGS_FromTextureGroup,
	TMGS_SimpleAverage,
	TMGS_Sharpen0,
	TMGS_Sharpen1,
	TMGS_Sharpen2,
	TMGS_Sharpen3,
	TMGS_Sharpen4,
	TMGS_Sharpen5,
	TMGS_Sharpen6,
	TMGS_Sharpen7,
	TMGS_Sharpen8,
	TMGS_Sharpen9,
	TMGS_Sharpen10,
	TMGS_NoMipmaps,
	TMGS_LeaveExistingMips,
	TMGS_Blur1,
	TMGS_Blur2,
	TMGS_Blur3,
	TMGS_Blur4,
	TMGS_Blur5,
	TMGS_Unfiltered,
	TMGS_Angular,
	TMGS_MAX
};

/** The texture groups of the engine's default device profile; a group sets the mip generation of TMGS_FromTextureGroup. */
enum TextureGroup : uint8_t
{
	TEXTUREGROUP_World,
	TEXTUREGROUP_WorldNormalMap,
	TEXTUREGROUP_WorldSpecular,
	TEXTUREGROUP_Character,
	TEXTUREGROUP_CharacterNormalMap,
	TEXTUREGROUP_CharacterSpecular,
	TEXTUREGROUP_Weapon,
	TEXTUREGROUP_WeaponNormalMap,
	TEXTUREGROUP_WeaponSpecular,
	TEXTUREGROUP_Vehicle,
	TEXTUREGROUP_VehicleNormalMap,
	TEXTUREGROUP_VehicleSpecular,
	TEXTUREGROUP_Cinematic,
	TEXTUREGROUP_Effects,
	TEXTUREGROUP_EffectsNotFiltered,
	TEXTUREGROUP_Skybox,
	TEXTUREGROUP_UI,
	TEXTUREGROUP_Lightmap,
	TEXTUREGROUP_RenderTarget,
	TEXTUREGROUP_MobileFlattened,
	TEXTUREGROUP_ProcBuilding_Face,
	TEXTUREGROUP_ProcBuilding_LightMap,
	TEXTUREGROUP_Shadowmap,
	TEXTUREGROUP_ColorLookupTable,
	TEXTUREGROUP_Terrain_Heightmap,
	TEXTUREGROUP_Terrain_Weightmap,
	TEXTUREGROUP_Bokeh,
	TEXTUREGROUP_IESLightProfile,
	TEXTUREGROUP_Pixels2D,
	TEXTUREGROUP_HierarchicalLOD,
	TEXTUREGROUP_Impostor,
	TEXTUREGROUP_ImpostorNormalDepth,
	TEXTUREGROUP_8BitData,
	TEXTUREGROUP_16BitData,
	TEXTUREGROUP_Project01,
	TEXTUREGROUP_Project02,
	TEXTUREGROUP_Project03,
	TEXTUREGROUP_Project04,
	TEXTUREGROUP_Project05,
	TEXTUREGROUP_Project06,
	TEXTUREGROUP_Project07,
	TEXTUREGROUP_Project08,
	TEXTUREGROUP_Project09,
	TEXTUREGROUP_Project10,
	TEXTUREGROUP_Project11,
	TEXTUREGROUP_Project12,
	TEXTUREGROUP_Project13,
	TEXTUREGROUP_Project14,
	TEXTUREGROUP_Project15,
	TEXTUREGROUP_Project16,
	TEXTUREGROUP_Project17,
	TEXTUREGROUP_Project18,
	TEXTUREGROUP_Project19,
	TEXTUREGROUP_Project20,
	TEXTUREGROUP_Project21,
	TEXTUREGROUP_Project22,
	TEXTUREGROUP_Project23,
	TEXTUREGROUP_Project24,
	TEXTUREGROUP_Project25,
	TEXTUREGROUP_Project26,
	TEXTUREGROUP_Project27,
	TEXTUREGROUP_Project28,
	TEXTUREGROUP_Project29,
	TEXTUREGROUP_Project30,
	TEXTUREGROUP_Project31,
	TEXTUREGROUP_Project32,
	TEXTUREGROUP_MAX
};

/** How a texture is sampled beyond its edges. */
enum TextureAddress : uint8_t
{
	TA_Wrap,
	TA_Clamp,
	TA_Mirror,
	TA_MAX
};

/** The pixel layout of a texture's source art (what was imported), as the engine numbers it. */
enum ETextureSourceFormat : uint8_t
{
	TSF_Invalid,
	TSF_G8,
	TSF_BGRA8,
	TSF_BGRE8,
	TSF_RGBA16,
	TSF_RGBA16F,
	TSF_RGBA8_DEPRECATED,
	TSF_RGBE8_DEPRECATED,
	TSF_G16,
	TSF_RGBA32F,
	TSF_R16F,
	TSF_R32F,
	TSF_MAX
};

/** Which mips a memory size counts. */
enum class ETextureMipCount : uint8_t
{
	TMC_ResidentMips,
	TMC_AllMips,
	TMC_AllMipsBiased
};

/** The reflected enumerations of the class database ("/Script/Engine.TextureMipGenSettings" and the others). */
template <>
const UEnum* StaticEnum<TextureCompressionSettings>();
template <>
const UEnum* StaticEnum<TextureMipGenSettings>();
template <>
const UEnum* StaticEnum<TextureGroup>();
template <>
const UEnum* StaticEnum<TextureAddress>();
