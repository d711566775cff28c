#pragma once

#include <string>
#include <string_view>

/**
 * The renderer's own GLSL. The material vertex shader writes the pixel shader inputs of the
 * material interface (locations 0..4, world space); the default material is the world grid,
 * written under the same interface as a compiled material's pixel shader.
 */
namespace RenderShaders
{
	/** Vertex attributes: 0 position, 1 normal, 2 tangent (w = bitangent sign), 3 UV0 and UV1, 4 colour. */
	std::string_view MaterialVertexShader();
	/** The world grid: grey lines every 10 cm on a lighter grey, default lit. */
	std::string_view DefaultMaterialPixelShader();
	/** A triangle covering the view, for the full-screen passes. */
	std::string_view FullScreenVertexShader();
	/**
	 * Shades the G-buffer (GGX specular, Lambert diffuse, sky, emissive) where a primitive was
	 * drawn, built for these numbers of lights so that its loops have fixed counts.
	 */
	std::string LightingPixelShader(int NumDirectionalLights, int NumPointLights);
}

/** Binding points shared by the renderer's passes. */
namespace RenderBindings
{
	inline constexpr int ViewBlock = 0;
	inline constexpr int MaterialBlock = 1;
	inline constexpr int LightsBlock = 2;
	/** Uniform locations of the material vertex shader. */
	inline constexpr int LocalToWorldLocation = 0;
	inline constexpr int NormalMatrixLocation = 4;
	inline constexpr int TangentSignLocation = 8;
	/** Texture units of the lighting pass. */
	inline constexpr int GBufferUnit0 = 0;
	inline constexpr int DepthUnit = 4;
	inline constexpr int MaxDirectionalLights = 4;
	inline constexpr int MaxPointLights = 8;
}
