#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/** An HLSL pixel shader compiled to SPIR-V: the words, or glslang's info log when it failed. */
struct FSpirvCompileResult
{
	std::vector<uint32_t> Spirv;
	std::string InfoLog;
	bool bSucceeded = false;
};

/** Compiles HLSL (fragment stage, entry `main`, bindings and locations as written) to SPIR-V 1.0 for OpenGL. */
FSpirvCompileResult CompileHlslToSpirv(std::string_view Hlsl);
