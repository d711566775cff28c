#pragma once

#include "Objects/Object.h"

#include <string>
#include <string_view>

/**
 * A package: the top of an object tree, named by its long package name
 * ("/Game/Folder/Asset"). It owns its assets, remembers whether it changed
 * since it was last saved, and the file it was loaded from or saved to.
 */
class UPackage : public UObject
{
	DECLARE_ENGINE_CLASS(UPackage, UObject, "/Script/CoreUObject.Package")

public:
	bool IsDirty() const { return bDirty; }
	void SetDirtyFlag(bool bIsDirty) { bDirty = bIsDirty; }

	/** The file the package was loaded from or last saved to; empty for a package that exists only in memory. */
	const std::string& GetLoadedPath() const { return LoadedPath; }
	void SetLoadedPath(std::string Path) { LoadedPath = std::move(Path); }

	/** A package of engine classes ("/Script/Engine"), not of assets. */
	bool IsScriptPackage() const { return GetName().starts_with("/Script/"); }

	/** The asset directly inside the package (the first, when there are several), or nullptr. */
	UObject* FindAssetInPackage() const;

	/**
	 * Writes the package's asset to Filename, which must be the package's own
	 * file under the project's Content folder. The write is atomic (a temporary
	 * file renamed over the old one); the package is clean afterwards and the
	 * asset registry sees the saved asset. Asset nullptr saves FindAssetInPackage().
	 */
	static bool SavePackage(UPackage* Package, UObject* Asset, std::string_view Filename);

private:
	bool bDirty = false;
	std::string LoadedPath;
};
