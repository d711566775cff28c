#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UMaterial;
struct FMaterialShaderMap;

/** The shader platforms the host compiles for; the editor's maximum one is GMaxRHIShaderPlatform. */
enum EShaderPlatform : int32_t
{
	SP_PCD3D_SM5 = 0,
	SP_VULKAN_SM5 = 1,
	SP_NumPlatforms
};

extern EShaderPlatform GMaxRHIShaderPlatform;

namespace EMaterialQualityLevel
{
	enum Type : int32_t
	{
		Low,
		High,
		Medium,
		Epic,
		Num
	};
}

/**
 * A material compiled for one shader platform and quality level: the pixel shader its
 * expression graph translates to, or what the compile reported. Compile is the one entry point
 * that turns a material into a resource (docs/MATERIAL_COMPILER.md).
 */
class FMaterialResource
{
public:
	/** Compiles the material's graph now, replacing the errors of any earlier compile. */
	void Compile(const UMaterial& Material);
	/** The compile's errors in the editor's wording, in the order found; empty when it compiled. */
	const std::vector<std::string>& GetCompileErrors() const { return CompileErrors; }
	bool IsCompilationFinished() const { return true; }
	/** The compiled shader map; nullptr when the last compile failed or none ran yet. */
	const FMaterialShaderMap* GetShaderMap() const { return ShaderMap.get(); }

private:
	std::vector<std::string> CompileErrors;
	std::shared_ptr<const FMaterialShaderMap> ShaderMap;
};

/** Waits until every pending shader compile is done (compiles here finish inside RecompileMaterial). */
void FinishAllShaderCompilation();
