#pragma once

#include "Assets/AssetIndex.h"
#include "Assets/AssetRegistry.h"
#include "Objects/ObjectStore.h"
#include "Objects/PackageName.h"

#include <vector>

/**
 * The host's asset registry: the index of the content roots' folders (the
 * project's Content as "/Game", the engine content as "/Engine") plus the
 * assets created in memory, kept current by listening to the object store.
 * A query for a folder path only answers assets of that root, so "/Game"
 * never lists engine content.
 */
class FAssetRegistry final : public IAssetRegistry, public IObjectStoreListener
{
public:
	/** Scans the roots' folders at once, in their order. */
	explicit FAssetRegistry(std::vector<FContentRoot> InRoots);

	bool GetAssets(const FARFilter& Filter, std::vector<FAssetData>& OutAssetData) const override;
	bool GetAssetsByClass(const FTopLevelAssetPath& ClassPathName, std::vector<FAssetData>& OutAssetData, bool bSearchSubClasses = false) const override;
	bool GetAssetsByPath(std::string_view PackagePath, std::vector<FAssetData>& OutAssetData, bool bRecursive = false) const override;
	bool GetAllAssets(std::vector<FAssetData>& OutAssetData, bool bIncludeOnlyOnDiskAssets = false) const override;
	FAssetData GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets = false) const override;
	void GetSubPaths(std::string_view InBasePath, std::vector<std::string>& OutPathList, bool bInRecurse) const override;
	void AssetCreated(UObject* NewAsset) override;
	void SearchAllAssets() override;

	void OnAssetCreated(UObject& Asset) override;
	void OnPackageSaved(UPackage& Package, UObject& Asset) override;

private:
	/** The filter with its classes expanded through the class database. */
	static FAssetIndexQuery Compile(const FARFilter& Filter);

	std::vector<FContentRoot> Roots;
	FAssetIndex Index;
};
