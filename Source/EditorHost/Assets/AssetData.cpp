#include "Assets/AssetData.h"

#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <algorithm>

FAssetData::FAssetData(std::string InPackageName, std::string InAssetName, FTopLevelAssetPath InAssetClassPath, std::vector<FAssetRegistryTag> InTags)
	: PackageName(std::move(InPackageName))
	, PackagePath(FPackageName::GetLongPackagePath(PackageName))
	, AssetName(std::move(InAssetName))
	, AssetClassPath(std::move(InAssetClassPath))
	, TagsAndValues(std::move(InTags))
{
}

FAssetData::FAssetData(const UObject& Asset)
	: FAssetData(Asset.GetPackage()->GetName(), Asset.GetName(), Asset.GetClass()->GetClassPathName())
{
	// An asset may publish a tag again that its file's header already held: the later
	// value is the asset's current one, and it takes the earlier one's place.
	std::vector<FAssetRegistryTag> Published;
	Asset.GetAssetRegistryTags(Published);
	for (FAssetRegistryTag& Tag : Published)
	{
		const auto Existing = std::find_if(TagsAndValues.begin(), TagsAndValues.end(), [&Tag](const FAssetRegistryTag& Entry) { return Entry.Name == Tag.Name; });
		if (Existing != TagsAndValues.end())
		{
			Existing->Value = std::move(Tag.Value);
		}
		else
		{
			TagsAndValues.push_back(std::move(Tag));
		}
	}
}

std::string FAssetData::GetObjectPathString() const
{
	std::string Path;
	Path.reserve(PackageName.size() + 1 + AssetName.size());
	Path.append(PackageName);
	Path.push_back('.');
	Path.append(AssetName);
	return Path;
}

FSoftObjectPath FAssetData::GetSoftObjectPath() const
{
	return FSoftObjectPath(GetObjectPathString());
}

UClass* FAssetData::GetClass() const
{
	return FClassDatabase::Get().FindClass(AssetClassPath);
}

UObject* FAssetData::GetAsset() const
{
	return IsValid() ? StaticLoadObject(nullptr, GetObjectPathString()) : nullptr;
}

bool FAssetData::GetTagValue(std::string_view Tag, std::string& OutValue) const
{
	const auto Found = std::find_if(TagsAndValues.begin(), TagsAndValues.end(), [Tag](const FAssetRegistryTag& Entry) { return Entry.Name == Tag; });
	if (Found == TagsAndValues.end())
	{
		return false;
	}
	OutValue = Found->Value;
	return true;
}
