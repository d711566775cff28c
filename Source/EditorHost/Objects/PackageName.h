#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * A content root that has a folder behind it: "/Game" on the project's Content folder, "/Engine" on
 * the engine's, "/ControlRig" on the Control Rig plug-in's.
 */
struct FContentRoot
{
	/** "/Game", "/Engine" or "/ControlRig", without a trailing slash. */
	std::string_view RootPath;
	/** The folder, absolute, with a trailing slash. */
	std::string ContentDir;
	/** Whether packages of the root may be saved. */
	bool bReadOnly = false;
};

/**
 * Long package names ("/Game/Folder/Asset") and the files behind them. The
 * content root "/Game/" maps to the project's Content folder, "/Engine/" to the
 * engine content folder that ships with the host (read-only), "/ControlRig/" to
 * the content of the Control Rig plug-in that ships with it (read-only too), and
 * each package is one file "<Asset>.asset.json" there. "/Engine/Transient" is the in-memory
 * transient package and never a file. A package name never leaves its folder:
 * its segments cannot hold dots, backslashes or any other character the editor
 * refuses in package names, and a file reached through a link outside its
 * root's folder does not count as the package's file.
 */
class FPackageName
{
public:
	static constexpr std::string_view AssetFileExtension = ".asset.json";
	static constexpr std::string_view GameRoot = "/Game";
	static constexpr std::string_view EngineRoot = "/Engine";
	static constexpr std::string_view ControlRigRoot = "/ControlRig";
	static constexpr std::string_view TransientPackageName = "/Engine/Transient";

	/** "/Root/Folder/Name": a mount root and a name, non-empty segments, none of the refused characters. */
	static bool IsValidLongPackageName(std::string_view PackageName);
	/** A folder path: "/Game" or "/Game/Folder" (the same rules, a single segment allowed). */
	static bool IsValidPath(std::string_view Path);
	/** The folder holding the package: "/Game/A/B" gives "/Game/A". */
	static std::string_view GetLongPackagePath(std::string_view PackageName);
	/** The last segment: "/Game/A/B" gives "B". */
	static std::string_view GetShortName(std::string_view PackageName);
	/** The asset name a long package name stands for, its last segment: "/Game/A/B" gives "B". */
	static std::string_view GetLongPackageAssetName(std::string_view LongPackageName) { return GetShortName(LongPackageName); }
	/** The package part of an object path: everything before the first '.'. */
	static std::string_view ObjectPathToPackageName(std::string_view ObjectPath);

	/** Mounts "/Engine" on the folder Dir; empty leaves "/Engine" without files (only its transient package). */
	static void SetEngineContentDir(std::string_view Dir);
	/** The folder behind "/Engine" (absolute, trailing slash), or empty when none is mounted. */
	static std::string EngineContentDir();
	/** Mounts "/ControlRig" on the folder Dir; empty leaves it unmounted. */
	static void SetControlRigContentDir(std::string_view Dir);
	/** The folder behind "/ControlRig" (absolute, trailing slash), or empty when none is mounted. */
	static std::string ControlRigContentDir();
	/** The roots with a folder: "/Game", then "/Engine" and "/ControlRig" when mounted. */
	static std::vector<FContentRoot> GetContentRoots();
	/** The root a package name or folder path lies in ("/Engine/A/B" gives "/Engine"), when it is one with a folder. */
	static std::optional<FContentRoot> FindContentRoot(std::string_view PackageNameOrPath);
	/** Whether the package lies in a root whose packages are never saved ("/Engine/...", "/ControlRig/..."). */
	static bool IsReadOnlyPackage(std::string_view PackageName);

	/**
	 * The file of a package under its root's folder, or empty for a root
	 * without a folder, an invalid name, the transient package, or a file that
	 * resolves (through links) outside the root's folder.
	 */
	static std::optional<std::string> TryConvertLongPackageNameToFilename(std::string_view PackageName);
	/** The package of a "<Asset>.asset.json" file under a root's folder, or empty. */
	static std::optional<std::string> TryConvertFilenameToLongPackageName(std::string_view Filename);
	/** Whether the path, with every link resolved, lies inside the folder of the root that PackageName lies in. */
	static bool IsInsideContentRootOf(std::string_view PackageName, std::string_view Filename);
};
