#pragma once

#include "Objects/Object.h"
#include "Objects/SoftObjectPath.h"
#include "Objects/TopLevelAssetPath.h"

#include <string>
#include <string_view>
#include <vector>

class UClass;

/**
 * What the asset registry knows about one asset without loading it: its
 * package ("/Game/Folder/Hero"), folder ("/Game/Folder"), name ("Hero"), class
 * path and tags.
 */
struct FAssetData
{
	std::string PackageName;
	std::string PackagePath;
	std::string AssetName;
	FTopLevelAssetPath AssetClassPath;
	std::vector<FAssetRegistryTag> TagsAndValues;

	FAssetData() = default;
	FAssetData(std::string InPackageName, std::string InAssetName, FTopLevelAssetPath InAssetClassPath, std::vector<FAssetRegistryTag> InTags = {});
	/** The registry's view of an asset in memory (its current tags included). */
	explicit FAssetData(const UObject& Asset);

	/** Both the package name and the asset name are set. */
	bool IsValid() const { return !PackageName.empty() && !AssetName.empty(); }
	/** "/Game/Folder/Hero.Hero" */
	std::string GetObjectPathString() const;
	FSoftObjectPath GetSoftObjectPath() const;
	/** The asset's class in the class database, or nullptr for a class it does not know. */
	UClass* GetClass() const;
	/** Loads the asset (its package, when not in memory yet); nullptr when it does not load. */
	UObject* GetAsset() const;

	/** The tag's text; false when the asset has no such tag. */
	bool GetTagValue(std::string_view Tag, std::string& OutValue) const;
};
