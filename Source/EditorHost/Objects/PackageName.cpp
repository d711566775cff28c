#include "Objects/PackageName.h"

#include "Core/Paths.h"

#include <filesystem>
#include <system_error>

namespace
{
	/** The characters the editor refuses in long package names. */
	constexpr std::string_view RefusedCharacters = "\\:*?\"<>|' ,.&!~@#";

	bool IsValidSegment(std::string_view Segment)
	{
		if (Segment.empty())
		{
			return false;
		}
		for (const char Character : Segment)
		{
			const unsigned char Byte = static_cast<unsigned char>(Character);
			if (Byte < 0x20 || Byte == 0x7F || RefusedCharacters.find(Character) != std::string_view::npos)
			{
				return false;
			}
		}
		return true;
	}

	/** Counts the segments of "/A/B/C", or 0 when any segment is invalid. */
	std::size_t CountValidSegments(std::string_view Path)
	{
		if (Path.empty() || Path.front() != '/')
		{
			return 0;
		}
		std::size_t Count = 0;
		std::size_t Start = 1;
		while (true)
		{
			const std::size_t Slash = Path.find('/', Start);
			if (!IsValidSegment(Path.substr(Start, Slash == std::string_view::npos ? std::string_view::npos : Slash - Start)))
			{
				return 0;
			}
			++Count;
			if (Slash == std::string_view::npos)
			{
				return Count;
			}
			Start = Slash + 1;
		}
	}

	std::filesystem::path Resolved(std::string_view Path)
	{
		std::error_code Error;
		std::filesystem::path Result = std::filesystem::weakly_canonical(std::filesystem::path(Path), Error);
		return Error ? std::filesystem::path() : Result;
	}
}

bool FPackageName::IsValidLongPackageName(std::string_view PackageName)
{
	return CountValidSegments(PackageName) >= 2;
}

bool FPackageName::IsValidPath(std::string_view Path)
{
	return CountValidSegments(Path) >= 1;
}

std::string_view FPackageName::GetLongPackagePath(std::string_view PackageName)
{
	const std::size_t Slash = PackageName.rfind('/');
	return Slash == std::string_view::npos ? std::string_view() : PackageName.substr(0, Slash);
}

std::string_view FPackageName::GetShortName(std::string_view PackageName)
{
	const std::size_t Slash = PackageName.rfind('/');
	return Slash == std::string_view::npos ? PackageName : PackageName.substr(Slash + 1);
}

std::string_view FPackageName::ObjectPathToPackageName(std::string_view ObjectPath)
{
	return ObjectPath.substr(0, ObjectPath.find('.'));
}

std::optional<std::string> FPackageName::TryConvertLongPackageNameToFilename(std::string_view PackageName)
{
	if (!IsValidLongPackageName(PackageName) || !PackageName.starts_with(GameRoot) || PackageName[GameRoot.size()] != '/')
	{
		return std::nullopt;
	}
	std::string Filename = FPaths::ProjectContentDir();
	Filename.append(PackageName.substr(GameRoot.size() + 1));
	Filename.append(AssetFileExtension);
	if (!IsInsideContentFolder(Filename))
	{
		return std::nullopt;
	}
	return Filename;
}

std::optional<std::string> FPackageName::TryConvertFilenameToLongPackageName(std::string_view Filename)
{
	const std::string ContentDir = FPaths::ProjectContentDir();
	const std::string Full = FPaths::ConvertRelativePathToFull(Filename);
	if (!Full.starts_with(ContentDir) || !Full.ends_with(AssetFileExtension))
	{
		return std::nullopt;
	}
	std::string PackageName(GameRoot);
	PackageName.push_back('/');
	PackageName.append(std::string_view(Full).substr(ContentDir.size(), Full.size() - ContentDir.size() - AssetFileExtension.size()));
	if (!IsValidLongPackageName(PackageName))
	{
		return std::nullopt;
	}
	return PackageName;
}

bool FPackageName::IsInsideContentFolder(std::string_view Filename)
{
	const std::filesystem::path Content = Resolved(FPaths::ProjectContentDir());
	const std::filesystem::path File = Resolved(Filename);
	return !Content.empty() && !File.empty() && File != Content && FPaths::IsUnderDirectory(File.generic_string(), Content.generic_string());
}
