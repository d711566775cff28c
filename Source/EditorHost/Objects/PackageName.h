#pragma once

#include <optional>
#include <string>
#include <string_view>

/**
 * Long package names ("/Game/Folder/Asset") and the files behind them. The
 * content root "/Game/" maps to the project's Content folder and each package
 * is one file "<Asset>.asset.json" there. A package name never leaves its
 * folder: its segments cannot hold dots, backslashes or any other character the
 * editor refuses in package names, and a file reached through a link outside the
 * Content folder does not count as the package's file.
 */
class FPackageName
{
public:
	static constexpr std::string_view AssetFileExtension = ".asset.json";
	static constexpr std::string_view GameRoot = "/Game";

	/** "/Root/Folder/Name": a mount root and a name, non-empty segments, none of the refused characters. */
	static bool IsValidLongPackageName(std::string_view PackageName);
	/** A folder path: "/Game" or "/Game/Folder" (the same rules, a single segment allowed). */
	static bool IsValidPath(std::string_view Path);
	/** The folder holding the package: "/Game/A/B" gives "/Game/A". */
	static std::string_view GetLongPackagePath(std::string_view PackageName);
	/** The last segment: "/Game/A/B" gives "B". */
	static std::string_view GetShortName(std::string_view PackageName);
	/** The package part of an object path: everything before the first '.'. */
	static std::string_view ObjectPathToPackageName(std::string_view ObjectPath);

	/**
	 * The file of a "/Game/..." package under the project's Content folder, or
	 * empty for another root, an invalid name, or a file that resolves (through
	 * links) outside the Content folder.
	 */
	static std::optional<std::string> TryConvertLongPackageNameToFilename(std::string_view PackageName);
	/** The package of a "<Asset>.asset.json" file under the Content folder, or empty. */
	static std::optional<std::string> TryConvertFilenameToLongPackageName(std::string_view Filename);
	/** Whether the path, with every link resolved, lies inside the project's Content folder. */
	static bool IsInsideContentFolder(std::string_view Filename);
};
