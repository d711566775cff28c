#pragma once

#include <string>
#include <string_view>
#include <vector>

class UClass;
class UObject;

/**
 * The asset operations scripts use (the editor's EditorAssetLibrary). An asset
 * path is an object path ("/Game/Props/Crate.Crate") or a package path
 * ("/Game/Props/Crate"), which stands for the asset named like its package.
 */
namespace EditorAssetLibrary
{
	/** The object path of an asset path: a package path gets ".<Name>" appended; anything else is returned as given. */
	std::string ToObjectPath(std::string_view AssetPath);
	/** The asset, loaded on first use; nullptr when there is none at that path. */
	UObject* LoadAsset(std::string_view AssetPath);
	/** Whether the asset registry lists the asset (on disk or created in memory). Never loads. */
	bool DoesAssetExist(std::string_view AssetPath);
	/**
	 * The object paths of the registry's assets in a folder ("/Game/Props"), and
	 * below it when recursive, of Class or a class derived from it (any class when
	 * nullptr). Never loads.
	 */
	std::vector<std::string> ListAssets(std::string_view FolderPath, const UClass* Class, bool bRecursive);
	/** Saves an asset to its package's file under Content (atomically); false when it is not an asset or the write fails. */
	bool SaveLoadedAsset(UObject* Asset);
}
