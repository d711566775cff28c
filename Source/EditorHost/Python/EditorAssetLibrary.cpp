#include "Python/EditorAssetLibrary.h"

#include "Assets/AssetRegistry.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

std::string EditorAssetLibrary::ToObjectPath(std::string_view AssetPath)
{
	if (AssetPath.find('.') != std::string_view::npos || !FPackageName::IsValidLongPackageName(AssetPath))
	{
		return std::string(AssetPath);
	}
	return std::string(AssetPath) + "." + std::string(FPackageName::GetShortName(AssetPath));
}

UObject* EditorAssetLibrary::LoadAsset(std::string_view AssetPath)
{
	return StaticLoadObject(nullptr, ToObjectPath(AssetPath));
}

bool EditorAssetLibrary::DoesAssetExist(std::string_view AssetPath)
{
	const IAssetRegistry* Registry = IAssetRegistry::Get();
	return Registry != nullptr && Registry->GetAssetByObjectPath(FSoftObjectPath(ToObjectPath(AssetPath))).IsValid();
}

std::vector<std::string> EditorAssetLibrary::ListAssets(std::string_view FolderPath, const UClass* Class, bool bRecursive)
{
	std::vector<std::string> Paths;
	const IAssetRegistry* Registry = IAssetRegistry::Get();
	if (Registry == nullptr)
	{
		return Paths;
	}
	FARFilter Filter;
	Filter.PackagePaths.emplace_back(FolderPath);
	Filter.bRecursivePaths = bRecursive;
	if (Class != nullptr)
	{
		Filter.ClassPaths.push_back(Class->GetClassPathName());
		Filter.bRecursiveClasses = true;
	}
	std::vector<FAssetData> Assets;
	Registry->GetAssets(Filter, Assets);
	Paths.reserve(Assets.size());
	for (const FAssetData& Asset : Assets)
	{
		Paths.push_back(Asset.GetObjectPathString());
	}
	return Paths;
}

bool EditorAssetLibrary::SaveLoadedAsset(UObject* Asset)
{
	if (Asset == nullptr || !Asset->IsAsset())
	{
		return false;
	}
	UPackage* Package = Asset->GetPackage();
	const std::optional<std::string> Filename = FPackageName::TryConvertLongPackageNameToFilename(Package->GetName());
	return Filename && UPackage::SavePackage(Package, Asset, *Filename);
}
