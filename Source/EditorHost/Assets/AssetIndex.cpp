#include "Assets/AssetIndex.h"

#include <algorithm>
#include <unordered_set>

void FAssetIndex::AddOrUpdate(FAssetData Data, bool bOnDisk)
{
	std::string ObjectPath = Data.GetObjectPathString();
	const auto Existing = ByObjectPath.find(ObjectPath);
	if (Existing != ByObjectPath.end())
	{
		const uint32_t Index = Existing->second;
		FEntry& Entry = Entries[Index];
		if (Entry.Data.AssetClassPath != Data.AssetClassPath)
		{
			std::erase(ByClass[Entry.Data.AssetClassPath.ToString()], Index);
			std::vector<uint32_t>& NewClassList = ByClass[Data.AssetClassPath.ToString()];
			NewClassList.insert(std::upper_bound(NewClassList.begin(), NewClassList.end(), Index), Index);
		}
		Entry.Data = std::move(Data);
		Entry.bOnDisk = Entry.bOnDisk || bOnDisk;
		return;
	}

	const uint32_t Index = static_cast<uint32_t>(Entries.size());
	AddFolder(Data.PackagePath);
	ByClass[Data.AssetClassPath.ToString()].push_back(Index);
	ByFolder[Data.PackagePath].push_back(Index);
	ByObjectPath.emplace(std::move(ObjectPath), Index);
	Entries.push_back({std::move(Data), bOnDisk});
}

void FAssetIndex::AddFolder(std::string_view Path)
{
	while (Path.size() > 1 && !Folders.contains(Path))
	{
		Folders.emplace(Path);
		const std::size_t Slash = Path.rfind('/');
		if (Slash == 0 || Slash == std::string_view::npos)
		{
			return;
		}
		Path = Path.substr(0, Slash);
	}
}

void FAssetIndex::ClearOnDisk()
{
	std::vector<FEntry> InMemory;
	for (FEntry& Entry : Entries)
	{
		if (!Entry.bOnDisk)
		{
			InMemory.push_back(std::move(Entry));
		}
	}
	Entries.clear();
	ByObjectPath.clear();
	ByClass.clear();
	ByFolder.clear();
	Folders.clear();
	for (FEntry& Entry : InMemory)
	{
		AddOrUpdate(std::move(Entry.Data), false);
	}
}

const FAssetData* FAssetIndex::Find(std::string_view ObjectPath, bool bOnlyOnDisk) const
{
	const auto Found = ByObjectPath.find(ObjectPath);
	if (Found == ByObjectPath.end())
	{
		return nullptr;
	}
	const FEntry& Entry = Entries[Found->second];
	return bOnlyOnDisk && !Entry.bOnDisk ? nullptr : &Entry.Data;
}

std::vector<std::string_view> FAssetIndex::ExpandPaths(const FAssetIndexQuery& Query) const
{
	std::vector<std::string_view> Paths;
	for (const std::string& Requested : Query.PackagePaths)
	{
		std::string_view Path = Requested;
		while (Path.size() > 1 && Path.back() == '/')
		{
			Path.remove_suffix(1);
		}
		Paths.push_back(Path);
		if (!Query.bRecursivePaths)
		{
			continue;
		}
		const std::string Prefix = std::string(Path) + "/";
		for (auto It = Folders.lower_bound(Prefix); It != Folders.end() && It->starts_with(Prefix); ++It)
		{
			Paths.push_back(*It);
		}
	}
	std::sort(Paths.begin(), Paths.end());
	Paths.erase(std::unique(Paths.begin(), Paths.end()), Paths.end());
	return Paths;
}

void FAssetIndex::AppendFolderEntries(std::string_view Path, std::vector<uint32_t>& OutIndices) const
{
	const auto Found = ByFolder.find(Path);
	if (Found != ByFolder.end())
	{
		OutIndices.insert(OutIndices.end(), Found->second.begin(), Found->second.end());
	}
}

void FAssetIndex::Query(const FAssetIndexQuery& Query, std::vector<FAssetData>& OutAssets) const
{
	std::vector<uint32_t> Hits;
	std::size_t ListsMerged = 0;
	if (!Query.bAnyClass)
	{
		for (const std::string& ClassPath : Query.ClassPaths)
		{
			const auto Found = ByClass.find(ClassPath);
			if (Found != ByClass.end())
			{
				Hits.insert(Hits.end(), Found->second.begin(), Found->second.end());
				++ListsMerged;
			}
		}
		if (!Query.bAnyPath)
		{
			const std::vector<std::string_view> Paths = ExpandPaths(Query);
			const std::unordered_set<std::string_view> Allowed(Paths.begin(), Paths.end());
			std::erase_if(Hits, [this, &Allowed](uint32_t Index) { return !Allowed.contains(Entries[Index].Data.PackagePath); });
		}
	}
	else if (!Query.bAnyPath)
	{
		for (const std::string_view Path : ExpandPaths(Query))
		{
			AppendFolderEntries(Path, Hits);
			++ListsMerged;
		}
	}
	else
	{
		Hits.resize(Entries.size());
		for (uint32_t Index = 0; Index < Hits.size(); ++Index)
		{
			Hits[Index] = Index;
		}
	}
	// Each list is in index order and the lists are disjoint; merged lists are put back in one order.
	if (ListsMerged > 1)
	{
		std::sort(Hits.begin(), Hits.end());
	}

	OutAssets.reserve(OutAssets.size() + Hits.size());
	for (const uint32_t Index : Hits)
	{
		if (!Query.bOnlyOnDisk || Entries[Index].bOnDisk)
		{
			OutAssets.push_back(Entries[Index].Data);
		}
	}
}

void FAssetIndex::GetSubPaths(std::string_view BasePath, std::vector<std::string>& OutPaths, bool bRecursive) const
{
	while (BasePath.size() > 1 && BasePath.back() == '/')
	{
		BasePath.remove_suffix(1);
	}
	const std::string Prefix = std::string(BasePath) + "/";
	for (auto It = Folders.lower_bound(Prefix); It != Folders.end() && It->starts_with(Prefix); ++It)
	{
		if (bRecursive || It->find('/', Prefix.size()) == std::string::npos)
		{
			OutPaths.push_back(*It);
		}
	}
}
