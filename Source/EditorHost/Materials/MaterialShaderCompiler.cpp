#include "Materials/MaterialShaderCompiler.h"

#include "Materials/Material.h"
#include "Materials/MaterialShaderCross.h"
#include "Materials/MaterialShaderGlslang.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <mutex>
#include <unordered_map>

namespace
{
	/** The file name the engine's shader diagnostics give the translated material. */
	constexpr std::string_view MaterialFileName = "/Engine/Generated/Material.ush";

	/** Compiled pixel shaders (GLSL) by their HLSL, for the life of the process. */
	class FShaderMapCache
	{
	public:
		static FShaderMapCache& Get()
		{
			static FShaderMapCache Cache;
			return Cache;
		}

		std::optional<std::string> Find(const std::string& Hlsl)
		{
			const std::lock_guard Lock(Mutex);
			const auto Found = Shaders.find(Hlsl);
			if (Found == Shaders.end())
			{
				return std::nullopt;
			}
			++Hits;
			return Found->second;
		}

		void Add(const std::string& Hlsl, const std::string& PixelGlsl)
		{
			const std::lock_guard Lock(Mutex);
			Shaders.emplace(Hlsl, PixelGlsl);
		}

		int64_t GetHits() const { return Hits; }

	private:
		std::mutex Mutex;
		std::unordered_map<std::string, std::string> Shaders;
		std::atomic<int64_t> Hits = 0;
	};

	/** The line number of a glslang message `ERROR: 0:12: 'x' : text`, and the text after it. */
	std::optional<std::pair<int32_t, std::string_view>> ParseLocatedMessage(std::string_view Message)
	{
		const std::size_t FirstColon = Message.find(':');
		const std::size_t SecondColon = FirstColon == std::string_view::npos ? std::string_view::npos : Message.find(':', FirstColon + 1);
		if (SecondColon == std::string_view::npos)
		{
			return std::nullopt;
		}
		int32_t Line = 0;
		const std::string_view Number = Message.substr(FirstColon + 1, SecondColon - FirstColon - 1);
		const auto [End, Error] = std::from_chars(Number.data(), Number.data() + Number.size(), Line);
		if (Error != std::errc() || End != Number.data() + Number.size())
		{
			return std::nullopt;
		}
		std::string_view Text = Message.substr(SecondColon + 1);
		while (!Text.empty() && Text.front() == ' ')
		{
			Text.remove_prefix(1);
		}
		while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\r'))
		{
			Text.remove_suffix(1);
		}
		return std::pair{Line, Text};
	}
}

std::vector<std::string> MapShaderDiagnostics(std::string_view InfoLog, const std::vector<const UMaterialExpression*>& LineOwners)
{
	constexpr std::string_view ErrorPrefix = "ERROR: ";
	std::vector<std::string> Errors;
	std::size_t Start = 0;
	while (Start < InfoLog.size())
	{
		const std::size_t End = std::min(InfoLog.find('\n', Start), InfoLog.size());
		const std::string_view Line = InfoLog.substr(Start, End - Start);
		Start = End + 1;
		if (!Line.starts_with(ErrorPrefix))
		{
			continue;
		}
		const std::optional<std::pair<int32_t, std::string_view>> Located = ParseLocatedMessage(Line.substr(ErrorPrefix.size()));
		if (!Located)
		{
			// The summary ("N compilation errors.  No code generated.") repeats what was said.
			continue;
		}
		const auto [LineNumber, Text] = *Located;
		// A syntax error is followed by what the parser expected next; the first message is the one that helps.
		if (!Errors.empty() && Text.ends_with(": Expected"))
		{
			break;
		}
		const UMaterialExpression* const Owner = LineNumber >= 1 && LineNumber <= static_cast<int32_t>(LineOwners.size()) ? LineOwners[LineNumber - 1] : nullptr;
		std::string Error = Owner != nullptr ? "(Node " + GetExpressionShortClassName(*Owner) + ") " : std::string();
		Error += std::string(MaterialFileName) + "(" + std::to_string(LineNumber) + "): error: " + std::string(Text);
		if (std::find(Errors.begin(), Errors.end(), Error) == Errors.end())
		{
			Errors.push_back(std::move(Error));
		}
	}
	if (Errors.empty() && !InfoLog.empty())
	{
		Errors.push_back(std::string(MaterialFileName) + ": error: " + std::string(InfoLog.substr(0, InfoLog.find('\n'))));
	}
	return Errors;
}

FMaterialShaderCompileResult CompileMaterialShaderMap(const UMaterial& Material, const std::vector<FStaticSwitchOverride>& StaticSwitches)
{
	FMaterialShaderCompileResult Result;
	FMaterialTranslation Translation = TranslateMaterial(Material, StaticSwitches);
	if (!Translation.Errors.empty())
	{
		Result.Errors = std::move(Translation.Errors);
		return Result;
	}
	std::optional<std::string> PixelGlsl = FShaderMapCache::Get().Find(Translation.Hlsl);
	if (!PixelGlsl)
	{
		const FSpirvCompileResult Spirv = CompileHlslToSpirv(Translation.Hlsl);
		if (!Spirv.bSucceeded)
		{
			Result.Errors = MapShaderDiagnostics(Spirv.InfoLog, Translation.LineOwners);
			return Result;
		}
		FGlslCrossResult Glsl = CrossCompileToGlsl(Spirv.Spirv);
		if (!Glsl.Glsl)
		{
			Result.Errors.push_back(std::string(MaterialFileName) + ": error: " + Glsl.Error);
			return Result;
		}
		FShaderMapCache::Get().Add(Translation.Hlsl, *Glsl.Glsl);
		PixelGlsl = std::move(Glsl.Glsl);
	}
	auto Map = std::make_shared<FMaterialShaderMap>();
	Map->Hlsl = std::move(Translation.Hlsl);
	Map->PixelGlsl = std::move(*PixelGlsl);
	Map->Uniforms = std::move(Translation.Uniforms);
	Map->UniformBlockFloats = Translation.UniformBlockFloats;
	Map->Textures = std::move(Translation.Textures);
	Map->BlendMode = Material.BlendMode;
	const FMaterialShadingModelField Models = Material.GetShadingModels();
	Map->bUnlit = Models.CountShadingModels() == 1 && Models.HasShadingModel(MSM_Unlit);
	Map->OpacityMaskClipValue = Material.OpacityMaskClipValue;
	Map->bTwoSided = Material.TwoSided;
	Map->Domain = Material.MaterialDomain;
	Result.ShaderMap = std::move(Map);
	return Result;
}

int64_t GetMaterialShaderCacheHits()
{
	return FShaderMapCache::Get().GetHits();
}
