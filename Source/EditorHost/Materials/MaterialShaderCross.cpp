#include "Materials/MaterialShaderCross.h"

#include <spirv_cross_c.h>

#include <memory>

namespace
{
	struct FContextDeleter
	{
		void operator()(spvc_context_s* Context) const { spvc_context_destroy(Context); }
	};
	using FContext = std::unique_ptr<spvc_context_s, FContextDeleter>;

	std::string LastError(spvc_context Context)
	{
		const char* const Text = spvc_context_get_last_error_string(Context);
		return Text != nullptr ? Text : "unknown SPIRV-Cross error";
	}
}

FGlslCrossResult CrossCompileToGlsl(const std::vector<uint32_t>& Spirv)
{
	FGlslCrossResult Result;
	spvc_context RawContext = nullptr;
	if (spvc_context_create(&RawContext) != SPVC_SUCCESS)
	{
		Result.Error = "SPIRV-Cross could not start";
		return Result;
	}
	const FContext Context(RawContext);
	spvc_parsed_ir Ir = nullptr;
	spvc_compiler Compiler = nullptr;
	spvc_compiler_options Options = nullptr;
	if (spvc_context_parse_spirv(RawContext, Spirv.data(), Spirv.size(), &Ir) != SPVC_SUCCESS
		|| spvc_context_create_compiler(RawContext, SPVC_BACKEND_GLSL, Ir, SPVC_CAPTURE_MODE_TAKE_OWNERSHIP, &Compiler) != SPVC_SUCCESS
		|| spvc_compiler_create_compiler_options(Compiler, &Options) != SPVC_SUCCESS)
	{
		Result.Error = LastError(RawContext);
		return Result;
	}
	spvc_compiler_options_set_uint(Options, SPVC_COMPILER_OPTION_GLSL_VERSION, 450);
	spvc_compiler_options_set_bool(Options, SPVC_COMPILER_OPTION_GLSL_ES, SPVC_FALSE);
	spvc_compiler_options_set_bool(Options, SPVC_COMPILER_OPTION_GLSL_VULKAN_SEMANTICS, SPVC_FALSE);
	spvc_compiler_install_compiler_options(Compiler, Options);
	if (spvc_compiler_build_combined_image_samplers(Compiler) != SPVC_SUCCESS)
	{
		Result.Error = LastError(RawContext);
		return Result;
	}
	const spvc_combined_image_sampler* Samplers = nullptr;
	std::size_t NumSamplers = 0;
	spvc_compiler_get_combined_image_samplers(Compiler, &Samplers, &NumSamplers);
	for (std::size_t Index = 0; Index < NumSamplers; ++Index)
	{
		const spvc_combined_image_sampler& Sampler = Samplers[Index];
		spvc_compiler_set_name(Compiler, Sampler.combined_id, spvc_compiler_get_name(Compiler, Sampler.image_id));
		spvc_compiler_set_decoration(Compiler, Sampler.combined_id, SpvDecorationBinding, spvc_compiler_get_decoration(Compiler, Sampler.image_id, SpvDecorationBinding));
	}
	const char* Glsl = nullptr;
	if (spvc_compiler_compile(Compiler, &Glsl) != SPVC_SUCCESS || Glsl == nullptr)
	{
		Result.Error = LastError(RawContext);
		return Result;
	}
	Result.Glsl = Glsl;
	return Result;
}
