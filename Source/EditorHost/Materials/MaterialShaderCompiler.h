#pragma once

#include "Materials/HLSLMaterialTranslator.h"
#include "Materials/MaterialShaderMap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UMaterial;

/** What compiling a material's shader gave: the shader map, or the errors in the editor's wording. */
struct FMaterialShaderCompileResult
{
	std::shared_ptr<const FMaterialShaderMap> ShaderMap;
	std::vector<std::string> Errors;
};

/**
 * Translates the material and compiles the pixel shader: HLSL to SPIR-V with glslang, SPIR-V
 * to GLSL 4.50 with SPIRV-Cross. Compiled shader maps are kept process-wide by their HLSL, so
 * a material that translates as before is not compiled again. StaticSwitches selects a static
 * permutation (an instance's overridden switches).
 */
FMaterialShaderCompileResult CompileMaterialShaderMap(const UMaterial& Material, const std::vector<FStaticSwitchOverride>& StaticSwitches = {});

/** How many compiles the shader map cache answered since the process started. */
int64_t GetMaterialShaderCacheHits();

/** Compiler diagnostics as material errors: each names the expression that wrote the line, in the editor's form. */
std::vector<std::string> MapShaderDiagnostics(std::string_view InfoLog, const std::vector<const UMaterialExpression*>& LineOwners);
