#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

/** Real editor copies kept beside the repository (../shared); CI has them, a bare clone does not. */
inline const std::filesystem::path CopyPasteSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste";

inline std::string ReadSampleBytes(const std::filesystem::path& Path)
{
	std::ifstream Stream(Path, std::ios::binary);
	std::ostringstream Bytes;
	Bytes << Stream.rdbuf();
	return Bytes.str();
}

/** The .t3d files of one kind's folder ("blueprint", "material", "widget"), by name; none when the samples are absent. */
inline std::vector<std::filesystem::path> CopyPasteSampleFiles(std::string_view Kind)
{
	std::vector<std::filesystem::path> Files;
	const std::filesystem::path Dir = CopyPasteSamplesDir / Kind;
	if (std::filesystem::is_directory(Dir))
	{
		for (const auto& Entry : std::filesystem::directory_iterator(Dir))
		{
			if (Entry.path().extension() == ".t3d")
			{
				Files.push_back(Entry.path());
			}
		}
	}
	std::ranges::sort(Files);
	return Files;
}

/** One random edit of the kinds that break copy-paste text: cuts, repeats, stray syntax and swapped bytes. */
inline void MutateCopyPasteText(std::string& Text, std::mt19937& Random)
{
	if (Text.empty())
	{
		Text = "(";
		return;
	}
	const auto Pick = [&Random](std::size_t Bound) { return std::uniform_int_distribution<std::size_t>(0, Bound - 1)(Random); };
	const std::size_t At = Pick(Text.size());
	const std::size_t Length = std::min<std::size_t>(1 + Pick(64), Text.size() - At);
	static constexpr std::string_view Syntax = "()\"'=,. \r\n\\_0F";
	switch (Pick(5))
	{
	case 0:
		Text.erase(At, Length);
		break;
	case 1:
		Text.insert(At, Text.substr(Pick(Text.size()), Length));
		break;
	case 2:
		Text.insert(At, 1, Syntax[Pick(Syntax.size())]);
		break;
	case 3:
		Text[At] = static_cast<char>(Pick(256));
		break;
	default:
		Text.resize(At);
		break;
	}
}
