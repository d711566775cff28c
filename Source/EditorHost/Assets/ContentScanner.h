#pragma once

#include "Assets/AssetData.h"

#include <string>
#include <string_view>
#include <vector>

/** What a scan of a content folder found. */
struct FContentScan
{
	/** Every asset whose header reads, in folder order (files by name, then sub-folders by name). */
	std::vector<FAssetData> Assets;
	/** Every folder found below the root, as "/Game/A/B", empty ones included. */
	std::vector<std::string> Folders;
	/** Asset files that were skipped (each logged as a warning with its file). */
	std::size_t SkippedFiles = 0;
};

/**
 * Reads the header of every "<Asset>.asset.json" file below ContentDir, which
 * maps to the content root RootPath ("/Game", "/Engine"). Files are read on a
 * few threads; nothing is loaded. Links are not followed, so nothing outside the
 * folder is read. Files and folders whose names are not valid in package names,
 * and a file that would be the transient package, are skipped (logged). A
 * missing folder reads as an empty one.
 */
FContentScan ScanContentFolder(std::string_view ContentDir, std::string_view RootPath);
