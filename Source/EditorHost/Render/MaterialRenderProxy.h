#pragma once

#include "Materials/MaterialTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class UMaterial;
class UMaterialInterface;
class UTexture;
struct FMaterialShaderMap;

/** A texture bound for a draw: the unit of its sampler and the texture (nullptr binds black). */
struct FMaterialTextureBinding
{
	int32_t Unit = 0;
	UTexture* Texture = nullptr;
	bool bCube = false;
};

/**
 * What the renderer draws a material with: the compiled shader map (nullptr for the default
 * material), the Material uniform block filled from the instance's overrides or the shader map's
 * defaults, and the textures at their units.
 */
struct FMaterialRenderProxy
{
	const FMaterialShaderMap* ShaderMap = nullptr;
	std::vector<float> UniformValues;
	std::vector<FMaterialTextureBinding> Textures;
	EBlendMode BlendMode = BLEND_Opaque;
	EMaterialDomain Domain = MD_Surface;
	/** The material's path for log lines; empty for the default material. */
	std::string MaterialPath;

	bool IsTranslucent() const { return BlendMode != BLEND_Opaque && BlendMode != BLEND_Masked; }
};

/** Resolves a material or instance (nullptr: the default material) into what a draw needs. */
FMaterialRenderProxy MakeMaterialRenderProxy(UMaterialInterface* Material);

/** Where the renderer finds a base material's compiled shader map (nullptr when it has none). */
using FMaterialShaderMapProvider = std::function<const FMaterialShaderMap*(UMaterial& Material)>;
/** Replaces how shader maps are found (tests hand in their own); an empty provider restores the material resource's. */
void SetMaterialShaderMapProvider(FMaterialShaderMapProvider Provider);
