#pragma once

#include "Objects/TopLevelAssetPath.h"

#include <string>
#include <vector>

/**
 * An asset registry query. Each list that is not empty narrows the answer:
 * an asset matches when its class is one of ClassPaths (or derives from one,
 * with bRecursiveClasses, unless it is one of RecursiveClassPathsExclusionSet
 * or derives from one of those) and its folder is one of PackagePaths (or lies
 * below one, with bRecursivePaths).
 */
struct FARFilter
{
	std::vector<std::string> PackagePaths;
	std::vector<FTopLevelAssetPath> ClassPaths;
	std::vector<FTopLevelAssetPath> RecursiveClassPathsExclusionSet;
	bool bRecursivePaths = false;
	bool bRecursiveClasses = false;
	/** Leaves out assets that exist only in memory. */
	bool bIncludeOnlyOnDiskAssets = false;

	bool IsEmpty() const { return PackagePaths.empty() && ClassPaths.empty(); }
};
