#pragma once

#include "Assets/AssetData.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/** A registry query with its classes already expanded to the exact class paths that match. */
struct FAssetIndexQuery
{
	/** Exact class paths ("/Script/Engine.AnimSequence"); ignored when bAnyClass. */
	std::vector<std::string> ClassPaths;
	bool bAnyClass = true;
	/** Folders ("/Game/Characters"); ignored when bAnyPath. */
	std::vector<std::string> PackagePaths;
	bool bAnyPath = true;
	bool bRecursivePaths = false;
	bool bOnlyOnDisk = false;
};

/**
 * The asset registry's data: every asset entry in the order it was first
 * added, with indexes by object path (a hash map), by class path and by folder,
 * and the sorted set of known folders. It knows nothing of files or objects.
 */
class FAssetIndex
{
public:
	/** Adds the asset, or replaces the entry with the same object path where it stands. */
	void AddOrUpdate(FAssetData Data, bool bOnDisk);
	/** Adds the folder and every folder above it. */
	void AddFolder(std::string_view Path);
	/** Drops every entry that is on disk and every folder; assets only in memory stay (with their folders). */
	void ClearOnDisk();

	/** The entry at "/Game/Folder/Asset.Asset", or nullptr. */
	const FAssetData* Find(std::string_view ObjectPath, bool bOnlyOnDisk) const;
	void Query(const FAssetIndexQuery& Query, std::vector<FAssetData>& OutAssets) const;
	void GetSubPaths(std::string_view BasePath, std::vector<std::string>& OutPaths, bool bRecursive) const;

	std::size_t Num() const { return Entries.size(); }
	std::size_t NumFolders() const { return Folders.size(); }

private:
	struct FEntry
	{
		FAssetData Data;
		bool bOnDisk = false;
	};

	struct FTextHash
	{
		using is_transparent = void;
		std::size_t operator()(std::string_view Text) const noexcept { return std::hash<std::string_view>{}(Text); }
	};
	template <typename TValue>
	using TTextMap = std::unordered_map<std::string, TValue, FTextHash, std::equal_to<>>;

	void AppendFolderEntries(std::string_view Path, std::vector<uint32_t>& OutIndices) const;
	std::vector<std::string_view> ExpandPaths(const FAssetIndexQuery& Query) const;

	std::vector<FEntry> Entries;
	TTextMap<uint32_t> ByObjectPath;
	TTextMap<std::vector<uint32_t>> ByClass;
	TTextMap<std::vector<uint32_t>> ByFolder;
	std::set<std::string, std::less<>> Folders;
};
