#include "Materials/MaterialShared.h"

#include "Materials/MaterialCompileChecks.h"

EShaderPlatform GMaxRHIShaderPlatform = SP_PCD3D_SM5;

void FMaterialResource::Compile(const UMaterial& Material)
{
	CompileErrors = CheckMaterialExpressionGraph(Material);
}

void FinishAllShaderCompilation()
{
	// Compiles finish inside FMaterialResource::Compile; nothing is ever pending.
}
