#include "Materials/MaterialShared.h"

#include "Materials/MaterialCompileChecks.h"
#include "Materials/MaterialShaderCompiler.h"

EShaderPlatform GMaxRHIShaderPlatform = SP_PCD3D_SM5;

void FMaterialResource::Compile(const UMaterial& Material, const std::vector<FStaticSwitchOverride>& StaticSwitches)
{
	++CompileCount;
	ShaderMap.reset();
	// The graph checks find what the editor refuses before any shader is written, in its words.
	CompileErrors = CheckMaterialExpressionGraph(Material);
	if (!CompileErrors.empty())
	{
		return;
	}
	FMaterialShaderCompileResult Compiled = CompileMaterialShaderMap(Material, StaticSwitches);
	CompileErrors = std::move(Compiled.Errors);
	ShaderMap = std::move(Compiled.ShaderMap);
}

void FinishAllShaderCompilation()
{
	// Compiles finish inside FMaterialResource::Compile; nothing is ever pending.
}
