#pragma once

#include "Core/Guid.h"
#include "Core/Paths.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

/** A fresh, empty directory under the user's temporary folder, removed with everything in it when the test ends. */
class FScopedTestDir
{
public:
	FScopedTestDir() : Dir(UserTempDir() + "KorvaneCoreTest-" + FGuid::NewGuid().ToString() + "/")
	{
		std::filesystem::create_directories(Dir);
	}
	~FScopedTestDir()
	{
		std::error_code Error;
		std::filesystem::remove_all(Dir, Error);
	}
	FScopedTestDir(const FScopedTestDir&) = delete;
	FScopedTestDir& operator=(const FScopedTestDir&) = delete;

	/** The directory, with a trailing slash. */
	const std::string& Path() const { return Dir; }
	std::string operator/(std::string_view Name) const { return Dir + std::string(Name); }

	/** The names of the entries directly in the directory, sorted. */
	std::vector<std::string> EntryNames() const
	{
		std::vector<std::string> Names;
		for (const auto& Entry : std::filesystem::directory_iterator(Dir))
		{
			Names.push_back(Entry.path().filename().string());
		}
		std::sort(Names.begin(), Names.end());
		return Names;
	}

private:
	std::string Dir;
};
