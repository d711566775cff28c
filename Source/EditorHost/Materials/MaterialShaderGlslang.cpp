#include "Materials/MaterialShaderGlslang.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>
#include <glslang/SPIRV/GlslangToSpv.h>

#include <mutex>

namespace
{
	/** glslang's process state, made once and kept for the life of the process. */
	void InitializeGlslangOnce()
	{
		static std::once_flag Once;
		std::call_once(Once, [] { glslang::InitializeProcess(); });
	}
}

FSpirvCompileResult CompileHlslToSpirv(std::string_view Hlsl)
{
	InitializeGlslangOnce();
	FSpirvCompileResult Result;
	glslang::TShader Shader(EShLangFragment);
	const char* const Source = Hlsl.data();
	const auto Length = static_cast<int>(Hlsl.size());
	Shader.setStringsWithLengths(&Source, &Length, 1);
	Shader.setEntryPoint("main");
	Shader.setEnvInput(glslang::EShSourceHlsl, EShLangFragment, glslang::EShClientOpenGL, 100);
	Shader.setEnvClient(glslang::EShClientOpenGL, glslang::EShTargetOpenGL_450);
	Shader.setEnvTarget(glslang::EShTargetSpv, glslang::EShTargetSpv_1_0);
	const auto Messages = static_cast<EShMessages>(EShMsgReadHlsl | EShMsgSpvRules);
	if (!Shader.parse(GetDefaultResources(), 100, false, Messages))
	{
		Result.InfoLog = Shader.getInfoLog();
		return Result;
	}
	glslang::TProgram Program;
	Program.addShader(&Shader);
	if (!Program.link(Messages))
	{
		Result.InfoLog = Program.getInfoLog();
		return Result;
	}
	glslang::GlslangToSpv(*Program.getIntermediate(EShLangFragment), Result.Spirv);
	Result.bSucceeded = !Result.Spirv.empty();
	return Result;
}
