#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

/**
 * The editor's well-known folders and path arithmetic. Directory paths are
 * absolute, use forward slashes and end with a slash. The project folder is set
 * by the host when it loads a project.
 */
class FPaths
{
public:
	static void SetProjectDir(std::string_view Dir);

	static std::string ProjectDir();
	static std::string ProjectContentDir();
	static std::string ProjectConfigDir();
	static std::string ProjectIntermediateDir();
	static std::string ProjectPluginsDir();
	static std::string ProjectSavedDir();

	/** Joins parts with single slashes between them. */
	static std::string Combine(std::initializer_list<std::string_view> Parts);
	template <typename... T>
	static std::string Combine(const T&... Parts)
	{
		return Combine({std::string_view(Parts)...});
	}

	/** Makes a path absolute (relative to the working directory) and normalises "." and "..". */
	static std::string ConvertRelativePathToFull(std::string_view Path);
	static bool FileExists(std::string_view Path);
	static bool DirectoryExists(std::string_view Path);
	/** The file name without its directory. */
	static std::string GetCleanFilename(std::string_view Path);
	/** The file name without directory and extension. */
	static std::string GetBaseFilename(std::string_view Path);
	/** The extension without the dot, or empty. */
	static std::string GetExtension(std::string_view Path);
	/** Whether Child is Parent or lies inside it, after normalising both. */
	static bool IsUnderDirectory(std::string_view Child, std::string_view Parent);
};

/** The user's temporary folder (TMPDIR or /tmp), with a trailing slash. */
std::string UserTempDir();
