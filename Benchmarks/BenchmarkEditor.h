#pragma once

#include "Core/Guid.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Runtime/EditorHost.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

/**
 * An editor on an empty project of its own (the embedded interpreter and the connector, which
 * ships its own Resources, included); the project folder is removed when it goes.
 */
class FBenchmarkEditor
{
public:
	FBenchmarkEditor()
		: Dir(UserTempDir() + "KorvaneBench-" + FGuid::NewGuid().ToString() + "/")
	{
		FLog::SetStderrEnabled(false);
		std::filesystem::create_directories(Dir + "Content");
		std::ofstream(Dir + "Bench.uproject") << "{}";
		FEditorHostOptions Options;
		Options.ProjectDir = Dir;
		Options.ConnectorPluginDir = std::string(KORVANE_SOURCE_DIR) + "/";
		Options.HttpPort = 0;
		std::string Error;
		Host = FEditorHost::Create(Options, Error);
		if (!Host)
		{
			throw std::runtime_error(Error);
		}
	}
	~FBenchmarkEditor()
	{
		Host.reset();
		std::filesystem::remove_all(Dir);
	}
	FBenchmarkEditor(const FBenchmarkEditor&) = delete;
	FBenchmarkEditor& operator=(const FBenchmarkEditor&) = delete;

private:
	std::string Dir;
	std::unique_ptr<FEditorHost> Host;
};
