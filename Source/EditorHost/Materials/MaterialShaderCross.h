#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** GLSL from SPIRV-Cross, or its error. */
struct FGlslCrossResult
{
	std::optional<std::string> Glsl;
	std::string Error;
};

/**
 * Writes SPIR-V as GLSL 4.50 core: each texture and its sampler become one combined sampler
 * named after the texture, at the texture's binding; locations and bindings are kept.
 */
FGlslCrossResult CrossCompileToGlsl(const std::vector<uint32_t>& Spirv);
