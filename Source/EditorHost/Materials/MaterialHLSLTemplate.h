#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/**
 * The fixed parts of a material's pixel shader, in the shape of the engine's material template
 * (MaterialTemplate.ush): the View and Material uniform blocks, FMaterialPixelParameters,
 * FPixelMaterialInputs and the helpers the translated graph calls, and the main entry that
 * fills the pixel parameters from the vertex shader's outputs and writes the G-buffer.
 */
namespace MaterialHLSLTemplate
{
	/** Everything before the textures: uniform blocks (the Material block with UniformSlots float4s), structs and helpers. */
	std::string Declarations(int32_t UniformSlots);
	/** A texture and its sampler at the texture unit (binding Unit of descriptor set 1). */
	std::string TextureDeclaration(std::string_view Name, int32_t Unit, bool bCube);
	/** The entry `main`: G-buffer outputs, masked discard, tangent-space normal to world space. */
	std::string PixelShaderMain(bool bMasked, float OpacityMaskClipValue, bool bTangentSpaceNormal, bool bTwoSided, bool bUnlit);
}
