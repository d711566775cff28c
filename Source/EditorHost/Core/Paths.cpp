#include "Core/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace
{
	struct FProjectDirState
	{
		std::mutex Mutex;
		std::string Dir;
	};

	FProjectDirState& GetProjectDirState()
	{
		static FProjectDirState State;
		return State;
	}

	bool IsSlash(char Character)
	{
		return Character == '/' || Character == '\\';
	}

	std::string_view TrimTrailingSlashes(std::string_view Text)
	{
		while (!Text.empty() && IsSlash(Text.back()))
		{
			Text.remove_suffix(1);
		}
		return Text;
	}

	std::string_view TrimLeadingSlashes(std::string_view Text)
	{
		while (!Text.empty() && IsSlash(Text.front()))
		{
			Text.remove_prefix(1);
		}
		return Text;
	}

	std::string WithTrailingSlash(std::string Dir)
	{
		if (Dir.empty() || Dir.back() != '/')
		{
			Dir.push_back('/');
		}
		return Dir;
	}

	std::string ProjectSubDir(std::string_view Name)
	{
		std::string Dir = FPaths::ProjectDir();
		Dir.append(Name);
		return Dir;
	}

	/** The absolute, normalised path without a trailing slash (except for the root itself). */
	std::string FullWithoutTrailingSlash(std::string_view Path)
	{
		std::string Full = FPaths::ConvertRelativePathToFull(Path);
		if (Full.size() > 1 && Full.back() == '/')
		{
			Full.pop_back();
		}
		return Full;
	}

	std::string_view CleanFilename(std::string_view Path)
	{
		const std::size_t Slash = Path.find_last_of("/\\");
		return Slash == std::string_view::npos ? Path : Path.substr(Slash + 1);
	}
}

void FPaths::SetProjectDir(std::string_view Dir)
{
	std::string Full = WithTrailingSlash(ConvertRelativePathToFull(Dir));
	FProjectDirState& State = GetProjectDirState();
	std::lock_guard Lock(State.Mutex);
	State.Dir = std::move(Full);
}

std::string FPaths::ProjectDir()
{
	FProjectDirState& State = GetProjectDirState();
	std::lock_guard Lock(State.Mutex);
	return State.Dir;
}

std::string FPaths::ProjectContentDir()
{
	return ProjectSubDir("Content/");
}

std::string FPaths::ProjectConfigDir()
{
	return ProjectSubDir("Config/");
}

std::string FPaths::ProjectIntermediateDir()
{
	return ProjectSubDir("Intermediate/");
}

std::string FPaths::ProjectPluginsDir()
{
	return ProjectSubDir("Plugins/");
}

std::string FPaths::ProjectSavedDir()
{
	return ProjectSubDir("Saved/");
}

std::string FPaths::Combine(std::initializer_list<std::string_view> Parts)
{
	std::string Result;
	bool bAnyPart = false;
	for (std::string_view Part : Parts)
	{
		if (Part.empty())
		{
			continue;
		}
		if (!bAnyPart)
		{
			Result.assign(Part);
			bAnyPart = true;
			continue;
		}
		Result.resize(TrimTrailingSlashes(Result).size());
		Result.push_back('/');
		Result.append(TrimLeadingSlashes(Part));
	}
	return Result;
}

std::string FPaths::ConvertRelativePathToFull(std::string_view Path)
{
	std::string Input(Path);
	for (char& Character : Input)
	{
		if (Character == '\\')
		{
			Character = '/';
		}
	}
	const bool bTrailingSlash = !Input.empty() && Input.back() == '/';

	std::error_code Error;
	std::filesystem::path Absolute = std::filesystem::absolute(Input, Error);
	if (Error)
	{
		Absolute = Input;
	}
	std::string Full = Absolute.lexically_normal().generic_string();
	const std::string_view Trimmed = TrimTrailingSlashes(Full);
	Full.resize(Trimmed.empty() ? std::min<std::size_t>(Full.size(), 1) : Trimmed.size());
	if (bTrailingSlash)
	{
		Full = WithTrailingSlash(std::move(Full));
	}
	return Full;
}

bool FPaths::FileExists(std::string_view Path)
{
	std::error_code Error;
	return std::filesystem::is_regular_file(std::filesystem::path(Path), Error);
}

bool FPaths::DirectoryExists(std::string_view Path)
{
	std::error_code Error;
	return std::filesystem::is_directory(std::filesystem::path(Path), Error);
}

std::string FPaths::GetCleanFilename(std::string_view Path)
{
	return std::string(CleanFilename(Path));
}

std::string FPaths::GetBaseFilename(std::string_view Path)
{
	const std::string_view Name = CleanFilename(Path);
	return std::string(Name.substr(0, Name.find_last_of('.')));
}

std::string FPaths::GetExtension(std::string_view Path)
{
	const std::string_view Name = CleanFilename(Path);
	const std::size_t Dot = Name.find_last_of('.');
	return Dot == std::string_view::npos ? std::string() : std::string(Name.substr(Dot + 1));
}

bool FPaths::IsUnderDirectory(std::string_view Child, std::string_view Parent)
{
	const std::filesystem::path ChildPath(FullWithoutTrailingSlash(Child));
	const std::filesystem::path ParentPath(FullWithoutTrailingSlash(Parent));
	auto ChildPart = ChildPath.begin();
	for (const std::filesystem::path& ParentPart : ParentPath)
	{
		if (ChildPart == ChildPath.end() || *ChildPart != ParentPart)
		{
			return false;
		}
		++ChildPart;
	}
	return true;
}

std::string UserTempDir()
{
	const char* TmpDir = std::getenv("TMPDIR");
	return WithTrailingSlash((TmpDir != nullptr && *TmpDir != '\0') ? std::string(TmpDir) : std::string("/tmp"));
}
