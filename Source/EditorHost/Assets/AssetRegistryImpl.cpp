#include "Assets/AssetRegistryImpl.h"

#include "Assets/ContentScanner.h"
#include "Core/LogHost.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PackageName.h"

#include <algorithm>
#include <chrono>

FAssetRegistry::FAssetRegistry(std::vector<FContentRoot> InRoots)
	: Roots(std::move(InRoots))
{
	SearchAllAssets();
}

FAssetIndexQuery FAssetRegistry::Compile(const FARFilter& Filter)
{
	FAssetIndexQuery Query;
	Query.bOnlyOnDisk = Filter.bIncludeOnlyOnDiskAssets;
	Query.bAnyPath = Filter.PackagePaths.empty();
	Query.PackagePaths = Filter.PackagePaths;
	Query.bRecursivePaths = Filter.bRecursivePaths;
	Query.bAnyClass = Filter.ClassPaths.empty();
	if (Query.bAnyClass)
	{
		return Query;
	}

	const FClassDatabase& Classes = FClassDatabase::Get();
	std::vector<const UClass*> Excluded;
	for (const FTopLevelAssetPath& Path : Filter.RecursiveClassPathsExclusionSet)
	{
		if (const UClass* Class = Classes.FindClass(Path))
		{
			Excluded.push_back(Class);
		}
	}
	const auto IsExcluded = [&Excluded](const UClass* Class) {
		return std::any_of(Excluded.begin(), Excluded.end(), [Class](const UClass* Base) { return Class->IsChildOf(Base); });
	};

	for (const FTopLevelAssetPath& Path : Filter.ClassPaths)
	{
		const UClass* Class = Classes.FindClass(Path);
		if (!Filter.bRecursiveClasses || Class == nullptr)
		{
			// A class the database does not know still matches its own assets.
			Query.ClassPaths.push_back(Path.ToString());
			continue;
		}
		std::vector<UClass*> Derived;
		Classes.GetDerivedClasses(Class, Derived, true);
		if (!IsExcluded(Class))
		{
			Query.ClassPaths.push_back(Path.ToString());
		}
		for (const UClass* Subclass : Derived)
		{
			if (!IsExcluded(Subclass))
			{
				Query.ClassPaths.push_back(Subclass->GetPathName());
			}
		}
	}
	std::sort(Query.ClassPaths.begin(), Query.ClassPaths.end());
	Query.ClassPaths.erase(std::unique(Query.ClassPaths.begin(), Query.ClassPaths.end()), Query.ClassPaths.end());
	return Query;
}

bool FAssetRegistry::GetAssets(const FARFilter& Filter, std::vector<FAssetData>& OutAssetData) const
{
	Index.Query(Compile(Filter), OutAssetData);
	return true;
}

bool FAssetRegistry::GetAssetsByClass(const FTopLevelAssetPath& ClassPathName, std::vector<FAssetData>& OutAssetData, bool bSearchSubClasses) const
{
	FARFilter Filter;
	Filter.ClassPaths.push_back(ClassPathName);
	Filter.bRecursiveClasses = bSearchSubClasses;
	return GetAssets(Filter, OutAssetData);
}

bool FAssetRegistry::GetAssetsByPath(std::string_view PackagePath, std::vector<FAssetData>& OutAssetData, bool bRecursive) const
{
	FARFilter Filter;
	Filter.PackagePaths.emplace_back(PackagePath);
	Filter.bRecursivePaths = bRecursive;
	return GetAssets(Filter, OutAssetData);
}

bool FAssetRegistry::GetAllAssets(std::vector<FAssetData>& OutAssetData, bool bIncludeOnlyOnDiskAssets) const
{
	FARFilter Filter;
	Filter.bIncludeOnlyOnDiskAssets = bIncludeOnlyOnDiskAssets;
	return GetAssets(Filter, OutAssetData);
}

FAssetData FAssetRegistry::GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets) const
{
	if (!ObjectPath.IsValid() || !ObjectPath.GetSubPathString().empty())
	{
		return FAssetData();
	}
	const std::string Path = ObjectPath.ToString();
	if (!bIncludeOnlyOnDiskAssets)
	{
		const UObject* InMemory = StaticFindObject(nullptr, nullptr, Path);
		if (InMemory != nullptr && InMemory->IsAsset())
		{
			return FAssetData(*InMemory);
		}
	}
	const FAssetData* Found = Index.Find(Path, bIncludeOnlyOnDiskAssets);
	return Found != nullptr ? *Found : FAssetData();
}

void FAssetRegistry::GetSubPaths(std::string_view InBasePath, std::vector<std::string>& OutPathList, bool bInRecurse) const
{
	Index.GetSubPaths(InBasePath, OutPathList, bInRecurse);
}

void FAssetRegistry::AssetCreated(UObject* NewAsset)
{
	if (NewAsset != nullptr && NewAsset->IsAsset())
	{
		Index.AddOrUpdate(FAssetData(*NewAsset), false);
	}
}

void FAssetRegistry::SearchAllAssets()
{
	const auto Start = std::chrono::steady_clock::now();
	std::vector<FContentScan> Scans;
	for (const FContentRoot& Root : Roots)
	{
		Scans.push_back(ScanContentFolder(Root.ContentDir, Root.RootPath));
	}
	Index.ClearOnDisk();
	std::size_t SkippedFiles = 0;
	for (std::size_t RootIndex = 0; RootIndex < Roots.size(); ++RootIndex)
	{
		FContentScan& Scan = Scans[RootIndex];
		Index.AddFolder(Roots[RootIndex].RootPath);
		for (const std::string& Folder : Scan.Folders)
		{
			Index.AddFolder(Folder);
		}
		for (FAssetData& Asset : Scan.Assets)
		{
			Index.AddOrUpdate(std::move(Asset), true);
		}
		SkippedFiles += Scan.SkippedFiles;
	}
	const double Milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
	UE_LOG(LogHost, Log, "Asset registry: %zu assets in %zu folders read in %.1f ms (%zu files skipped)", Index.Num(), Index.NumFolders(), Milliseconds,
		SkippedFiles);
}

void FAssetRegistry::OnAssetCreated(UObject& Asset)
{
	AssetCreated(&Asset);
}

void FAssetRegistry::OnPackageSaved([[maybe_unused]] UPackage& Package, UObject& Asset)
{
	Index.AddOrUpdate(FAssetData(Asset), true);
}
