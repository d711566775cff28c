#pragma once

#include <cstdint>
#include <string>
#include <vector>

class UMaterial;

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
 * A material compiled for one shader platform and quality level: what the compile of its
 * expression graph reported. Compile is the one entry point that turns a material into a
 * resource; its inside may be replaced by a real shader compiler without changing callers.
 */
class FMaterialResource
{
public:
	/** Compiles the material's graph now, replacing the errors of any earlier compile. */
	void Compile(const UMaterial& Material);
	/** The compile's errors in the editor's wording, in the order found; empty when it compiled. */
	const std::vector<std::string>& GetCompileErrors() const { return CompileErrors; }
	bool IsCompilationFinished() const { return true; }

private:
	std::vector<std::string> CompileErrors;
};

/** Waits until every pending shader compile is done (compiles here finish inside RecompileMaterial). */
void FinishAllShaderCompilation();
