#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

/**
 * The path of a top-level object (an asset or a class): its package name and
 * its object name, written "/Script/Engine.AnimSequence" or "/Game/Hero.Hero".
 */
struct FTopLevelAssetPath
{
	std::string PackageName;
	std::string AssetName;

	FTopLevelAssetPath() = default;
	FTopLevelAssetPath(std::string InPackageName, std::string InAssetName)
		: PackageName(std::move(InPackageName))
		, AssetName(std::move(InAssetName))
	{
	}
	/** Parses "Package.Asset"; an unparsable text gives an empty (invalid) path. */
	explicit FTopLevelAssetPath(std::string_view Path);

	/** Package name starting with '/', and an asset name; no sub-object part. */
	static bool IsValidText(std::string_view Path);

	bool IsValid() const { return !PackageName.empty() && !AssetName.empty(); }
	bool IsNull() const { return PackageName.empty() && AssetName.empty(); }
	std::string ToString() const;
	/** Appends "Package.Asset" to Out. */
	void AppendString(std::string& Out) const;

	friend bool operator==(const FTopLevelAssetPath&, const FTopLevelAssetPath&) = default;
};

template <>
struct std::hash<FTopLevelAssetPath>
{
	std::size_t operator()(const FTopLevelAssetPath& Path) const noexcept
	{
		return std::hash<std::string>{}(Path.PackageName) * 31 + std::hash<std::string>{}(Path.AssetName);
	}
};
