#pragma once

#include "Assets/ARFilter.h"
#include "Assets/AssetData.h"
#include "Runtime/ModuleManager.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class UObject;

/**
 * The index of every asset of the project: built at start-up from the headers
 * of the asset files under Content/ (nothing is loaded), and kept current as
 * assets are created in memory and saved. Answers come in a stable order: the
 * order in which the registry first saw each asset.
 */
class IAssetRegistry
{
public:
	virtual ~IAssetRegistry() = default;

	/** The registry of the running host (its "AssetRegistry" module), or nullptr. */
	static IAssetRegistry* Get();

	/** The assets matching the filter; an empty filter matches every asset. */
	virtual bool GetAssets(const FARFilter& Filter, std::vector<FAssetData>& OutAssetData) const = 0;
	virtual bool GetAssetsByClass(const FTopLevelAssetPath& ClassPathName, std::vector<FAssetData>& OutAssetData, bool bSearchSubClasses = false) const = 0;
	virtual bool GetAssetsByPath(std::string_view PackagePath, std::vector<FAssetData>& OutAssetData, bool bRecursive = false) const = 0;
	virtual bool GetAllAssets(std::vector<FAssetData>& OutAssetData, bool bIncludeOnlyOnDiskAssets = false) const = 0;
	/**
	 * The asset at an object path ("/Game/Hero.Hero"), exactly as given: no name
	 * completion, nothing loaded. An asset in memory counts (with its current
	 * tags) unless only assets on disk are asked for. Invalid data when unknown.
	 */
	virtual FAssetData GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets = false) const = 0;
	/** The folders below InBasePath ("/Game/A", "/Game/A/B"...), sorted; direct children only unless bInRecurse. */
	virtual void GetSubPaths(std::string_view InBasePath, std::vector<std::string>& OutPathList, bool bInRecurse) const = 0;

	/** Adds an asset that was just created in memory (creation through NewObject reports itself). */
	virtual void AssetCreated(UObject* NewAsset) = 0;
	/** Reads the Content folder again from scratch; assets that exist only in memory stay listed. */
	virtual void SearchAllAssets() = 0;
};

/** The "AssetRegistry" module: owns the registry while it is loaded. */
class FAssetRegistryModule : public IModuleInterface
{
public:
	FAssetRegistryModule();
	~FAssetRegistryModule() override;

	void StartupModule() override;
	void ShutdownModule() override;

	IAssetRegistry& Get() const;

	/** Tells the registry of the running host about a new in-memory asset. */
	static void AssetCreated(UObject* NewAsset);

private:
	std::unique_ptr<class FAssetRegistry> Registry;
};
