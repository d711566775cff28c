#include "Core/FileSystem.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/LogHost.h"
#include "Core/Paths.h"
#include "Objects/Class.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <memory>

namespace
{
	/** The asset file: the header ("class", then "tags"), then the asset's own fields. */
	std::string WriteAssetFile(const UObject& Asset)
	{
		FJsonObject File;
		File.SetStringField("class", Asset.GetClass()->GetPathName());
		std::vector<FAssetRegistryTag> Tags;
		Asset.GetAssetRegistryTags(Tags);
		auto TagObject = std::make_shared<FJsonObject>();
		for (const FAssetRegistryTag& Tag : Tags)
		{
			TagObject->SetStringField(Tag.Name, Tag.Value);
		}
		File.SetObjectField("tags", std::move(TagObject));
		Asset.SaveAssetFields(File);
		return FJsonSerializer::SerializePretty(File);
	}
}

bool UPackage::SavePackage(UPackage* Package, UObject* Asset, std::string_view Filename)
{
	if (Package == nullptr)
	{
		return false;
	}
	if (Asset == nullptr)
	{
		Asset = Package->FindAssetInPackage();
	}
	if (Asset == nullptr || Asset->GetOuter() != Package || !Asset->IsAsset())
	{
		UE_LOG(LogHost, Warning, "Cannot save %s: it holds no asset to save", Package->GetName().c_str());
		return false;
	}
	if (FPackageName::IsReadOnlyPackage(Package->GetName()))
	{
		const bool bEngine = Package->GetName().starts_with(FPackageName::EngineRoot);
		const std::string_view Root = bEngine ? FPackageName::EngineRoot : FPackageName::ControlRigRoot;
		UE_LOG(LogHost, Warning, "Cannot save %s: the %s content under %.*s is read-only", Package->GetName().c_str(), bEngine ? "engine" : "plug-in",
			static_cast<int>(Root.size()), Root.data());
		return false;
	}
	// A package is only ever written to its own file inside the Content folder.
	const std::optional<std::string> OwnFile = FPackageName::TryConvertLongPackageNameToFilename(Package->GetName());
	if (!OwnFile || FPaths::ConvertRelativePathToFull(Filename) != *OwnFile)
	{
		UE_LOG(LogHost, Warning, "Cannot save %s to %.*s: a package is saved to its own file in the Content folder", Package->GetName().c_str(),
			static_cast<int>(Filename.size()), Filename.data());
		return false;
	}
	if (!FFileHelper::SaveStringToFile(WriteAssetFile(*Asset), *OwnFile))
	{
		UE_LOG(LogHost, Warning, "Cannot save %s: writing %s failed", Package->GetName().c_str(), OwnFile->c_str());
		return false;
	}
	Package->SetDirtyFlag(false);
	Package->SetLoadedPath(*OwnFile);
	FObjectStore::Get().BroadcastPackageSaved(*Package, *Asset);
	return true;
}
