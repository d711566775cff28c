#pragma once

#include "Core/Color.h"
#include "Materials/Material.h"
#include "Materials/MaterialShaderMap.h"
#include "Render/MaterialRenderProxy.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class FObjectThumbnail;
class FPreviewScene;
struct FVector;

/** Shader maps and pixel checks for the renderer tests. */
namespace RenderTestSupport
{
	/**
	 * A pixel shader under the material interface, in the shape SPIRV-Cross writes: the Material
	 * block at binding 1, inputs by location, the four G-buffer outputs. Body assigns BaseColor,
	 * Opacity, Emissive, ShadingModel (float), Metallic, Specular, Roughness from Values[] and the
	 * declared samplers.
	 */
	std::string MaterialPixelShader(std::string_view Declarations, std::string_view Body);

	/** A shader map of a material that shows a constant colour, lit or unlit. */
	FMaterialShaderMap ConstantColorShaderMap(const FLinearColor& Color, bool bUnlit);
	/** Emissive only: an unlit material whose emissive colour is the "Glow" vector parameter (default given). */
	FMaterialShaderMap EmissiveShaderMap(const FLinearColor& DefaultGlow);
	/** A default-lit material whose base colour samples the "Albedo" texture parameter at UV0. */
	FMaterialShaderMap TexturedShaderMap(std::string_view DefaultTexturePath);

	/** Hands the renderer these shader maps for their materials while it lives (any other material has none). */
	class FScopedShaderMaps
	{
	public:
		FScopedShaderMaps();
		~FScopedShaderMaps();
		FScopedShaderMaps(const FScopedShaderMaps&) = delete;
		FScopedShaderMaps& operator=(const FScopedShaderMaps&) = delete;

		void Set(const UMaterial* Material, FMaterialShaderMap ShaderMap) { ShaderMaps[Material] = std::move(ShaderMap); }

	private:
		std::map<const UMaterial*, FMaterialShaderMap> ShaderMaps;
	};

	/** An image of BGRA pixels with its size. */
	struct FImage
	{
		int32_t Width = 0;
		int32_t Height = 0;
		std::vector<FColor> Pixels;

		const FColor& At(int32_t X, int32_t Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
		/** The mean colour of the square of the given half size around a point. */
		FLinearColor MeanAround(int32_t X, int32_t Y, int32_t HalfSize) const;
	};

	/**
	 * The scene seen from Camera looking at Target (60° field of view, near plane 1 cm) into a square
	 * image of the given size over an opaque background; an empty image when the frame fails.
	 */
	FImage RenderPreviewScene(FPreviewScene& Scene, const FVector& Camera, const FVector& Target, int32_t Size,
		const FLinearColor& Background = {0.0f, 0.0f, 0.0f, 1.0f});

	/** A thumbnail's bytes as an image. */
	FImage ThumbnailImage(const FObjectThumbnail& Thumbnail);
	/** How many pixels of the two images differ by more than Tolerance in any channel. */
	int64_t CountDifferentPixels(const FImage& A, const FImage& B, int32_t Tolerance);
}
