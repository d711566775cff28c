#include "Endpoints/GameAssetQuery.h"

#include "Assets/AssetRegistry.h"

std::vector<FAssetData> GetGameAssetsOfClass(std::string_view PackageName, std::string_view AssetName, bool bIncludeSubclasses)
{
	FARFilter Filter;
	Filter.ClassPaths.emplace_back(std::string(PackageName), std::string(AssetName));
	Filter.PackagePaths.emplace_back("/Game");
	Filter.bRecursivePaths = true;
	Filter.bRecursiveClasses = bIncludeSubclasses;
	std::vector<FAssetData> Assets;
	if (IAssetRegistry* Registry = IAssetRegistry::Get())
	{
		Registry->GetAssets(Filter, Assets);
	}
	return Assets;
}

std::shared_ptr<FJsonObject> MakeAssetListEntry(const FAssetData& Asset)
{
	auto Entry = std::make_shared<FJsonObject>();
	Entry->SetStringField("name", Asset.AssetName);
	Entry->SetStringField("path", Asset.PackageName + "." + Asset.AssetName);
	return Entry;
}
