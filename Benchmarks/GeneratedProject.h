#pragma once

#include "Core/Log.h"
#include "Core/Paths.h"
#include "Runtime/EditorHost.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

inline constexpr int GeneratedProjectAssetCount = 100000;
inline constexpr int GeneratedProjectFolderCount = 1000;

/**
 * The generated 100,000-asset project in 1,000 folders (scripts/generate-project),
 * written once under the temporary folder and reused by later runs and by every
 * benchmark file.
 */
inline std::string GeneratedBenchmarkProject()
{
	constexpr int AssetCount = GeneratedProjectAssetCount;
	constexpr int FolderCount = GeneratedProjectFolderCount;
	const std::string Dir = UserTempDir() + "KorvaneBenchProject-" + std::to_string(AssetCount);
	const std::string Marker = Dir + "/.complete";
	if (!std::filesystem::exists(Marker))
	{
		std::filesystem::remove_all(Dir);
		const std::string Command = std::string(KORVANE_SOURCE_DIR "/scripts/generate-project ") + Dir + " --assets " + std::to_string(AssetCount)
			+ " --folders " + std::to_string(FolderCount);
		if (std::system(Command.c_str()) != 0)
		{
			throw std::runtime_error("generate-project failed");
		}
		if (FILE* File = std::fopen(Marker.c_str(), "w"))
		{
			std::fclose(File);
		}
	}
	return Dir;
}

/** An editor host on the generated project, its registry read, logging to stderr off. */
inline std::unique_ptr<FEditorHost> StartBenchmarkHost()
{
	FLog::SetStderrEnabled(false);
	FEditorHostOptions Options;
	Options.ProjectDir = GeneratedBenchmarkProject();
	Options.HttpPort = 0;
	std::string Error;
	std::unique_ptr<FEditorHost> Host = FEditorHost::Create(Options, Error);
	if (!Host)
	{
		throw std::runtime_error(Error);
	}
	return Host;
}
