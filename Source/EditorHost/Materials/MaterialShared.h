#pragma once

#include "Materials/MaterialTypes.h"

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
	/**
	 * Compiles the material's graph now, replacing the errors of any earlier compile; StaticSwitches
	 * gives the static permutation of an instance that overrides static switch parameters.
	 */
	void Compile(const UMaterial& Material, const std::vector<FStaticSwitchOverride>& StaticSwitches = {});
	/** The compile's errors in the editor's wording, in the order found; empty when it compiled. */
	const std::vector<std::string>& GetCompileErrors() const { return CompileErrors; }
	bool IsCompilationFinished() const { return true; }
	/** The compiled shader map; nullptr when the last compile failed or none ran yet. */
	const FMaterialShaderMap* GetShaderMap() const { return ShaderMap.get(); }
	/** Counts the compiles this resource ran, so a permutation made from it knows when it is stale. */
	int64_t GetCompileCount() const { return CompileCount; }

private:
	int64_t CompileCount = 0;
	std::vector<std::string> CompileErrors;
	std::shared_ptr<const FMaterialShaderMap> ShaderMap;
};

/** Waits until every pending shader compile is done (compiles here finish inside RecompileMaterial). */
void FinishAllShaderCompilation();
