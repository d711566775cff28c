#pragma once

#include "Objects/TopLevelAssetPath.h"

#include <string>
#include <string_view>

class UObject;

/**
 * A path to an object that may or may not be in memory: the asset's top-level
 * path and, for an object inside the asset, the sub-path after ':'
 * ("/Game/Hero.Hero:Mesh"). A text without an object name ("/Game/Hero") makes
 * an invalid path: the name is never completed.
 */
struct FSoftObjectPath
{
	FTopLevelAssetPath AssetPath;
	std::string SubPathString;

	FSoftObjectPath() = default;
	explicit FSoftObjectPath(std::string_view Path);
	explicit FSoftObjectPath(const UObject* Object);

	/** Points the path at another object path (an invalid text makes it null). */
	void SetPath(std::string_view Path) { *this = FSoftObjectPath(Path); }

	bool IsValid() const { return AssetPath.IsValid(); }
	bool IsNull() const { return AssetPath.IsNull(); }
	const std::string& GetLongPackageName() const { return AssetPath.PackageName; }
	const std::string& GetAssetName() const { return AssetPath.AssetName; }
	const std::string& GetSubPathString() const { return SubPathString; }
	std::string ToString() const;

	/** The object if it is in memory; never loads. */
	UObject* ResolveObject() const;
	/** The object, loading its package when needed; nullptr when it does not load. */
	UObject* TryLoad() const;

	friend bool operator==(const FSoftObjectPath&, const FSoftObjectPath&) = default;
};
