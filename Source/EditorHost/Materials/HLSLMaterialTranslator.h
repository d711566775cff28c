#pragma once

#include "Materials/MaterialShaderMap.h"
#include "Materials/MaterialTypes.h"

#include <string>
#include <vector>

class UMaterial;
class UMaterialExpression;

/**
 * A material's expression graph written as an HLSL pixel shader in the shape of the engine's
 * material template: CalcPixelMaterialInputs computes each material output from the graph, and
 * main writes the G-buffer from them. The uniform values and textures it reads are listed for
 * the renderer; each line of the source remembers the expression that wrote it, so compiler
 * diagnostics can name the node.
 */
struct FMaterialTranslation
{
	std::string Hlsl;
	/** The expression that wrote each line of Hlsl (index = line number - 1); nullptr for the template's own lines. */
	std::vector<const UMaterialExpression*> LineOwners;
	std::vector<FMaterialUniformParameter> Uniforms;
	int32_t UniformBlockFloats = 0;
	std::vector<FMaterialTextureParameter> Textures;
	/** The translation's errors in the editor's wording; Hlsl is empty when there are any. */
	std::vector<std::string> Errors;
};

/** Custom code longer than this is refused, which keeps a compile's time bounded. */
inline constexpr std::size_t MaxCustomExpressionCodeLength = 64 * 1024;

/**
 * Translates the material's graph. Each static switch parameter takes its value from
 * StaticSwitches (matched by name, ignoring case, as parameter names are) or else its default.
 */
FMaterialTranslation TranslateMaterial(const UMaterial& Material, const std::vector<FStaticSwitchOverride>& StaticSwitches = {});

/** The class name the editor's messages use: without the "MaterialExpression" prefix. */
std::string GetExpressionShortClassName(const UMaterialExpression& Expression);
