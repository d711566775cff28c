#pragma once

#include "Materials/MaterialTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/** A value of the material's uniform block: a parameter's or a constant's place and default. */
struct FMaterialUniformParameter
{
	/** The parameter's name, or "" for a constant. */
	std::string Name;
	/** Where it starts inside the uniform block, in floats. */
	int32_t Offset = 0;
	/** 1 to 4. */
	int32_t NumComponents = 1;
	std::array<float, 4> DefaultValue{};
};

/** A texture the pixel shader samples: one combined image sampler at a texture unit. */
struct FMaterialTextureParameter
{
	/** The texture parameter's name, or "" for a plain sample. */
	std::string ParameterName;
	/** The combined sampler's name in the GLSL. */
	std::string GlslSamplerName;
	/** The texture unit, which is also the sampler's binding. */
	int32_t Unit = 0;
	/** The default texture's object path. */
	std::string DefaultTexturePath;
	bool bCube = false;
};

/**
 * A material's compiled pixel shader and what a renderer needs to feed it: the uniform values
 * of the Material block (binding 1, std140, vec4 slots), the textures at their units, and the
 * material settings that decide how the G-buffer it writes is used.
 */
struct FMaterialShaderMap
{
	/** The translated source; also the key of the compiled shader map cache. */
	std::string Hlsl;
	/** GLSL 4.50 core with main(), as SPIRV-Cross wrote it from the compiled SPIR-V. */
	std::string PixelGlsl;
	std::vector<FMaterialUniformParameter> Uniforms;
	/** The size of the uniform block in floats, a multiple of 4. */
	int32_t UniformBlockFloats = 0;
	std::vector<FMaterialTextureParameter> Textures;
	EBlendMode BlendMode = BLEND_Opaque;
	bool bUnlit = false;
	float OpacityMaskClipValue = 0.3333f;
	bool bTwoSided = false;
	EMaterialDomain Domain = MD_Surface;
};
