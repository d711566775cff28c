#include "Assets/AssetFileHeader.h"
#include "Core/FileSystem.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/LogHost.h"
#include "Core/Paths.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

// Loading a package reads its asset file: the header names the class, the
// object of that class is made with the package's short name, and the object
// reads its own fields. A file that does not load leaves no package behind.
UPackage* LoadPackage(std::string_view PackageName)
{
	FObjectStore& Store = FObjectStore::Get();
	if (UPackage* Existing = Store.FindPackage(PackageName))
	{
		return Existing;
	}
	const std::optional<std::string> Filename = FPackageName::TryConvertLongPackageNameToFilename(PackageName);
	if (!Filename || !FPaths::FileExists(*Filename))
	{
		return nullptr;
	}

	const auto Refuse = [&Filename](const std::string& Reason) -> UPackage* {
		UE_LOG(LogHost, Warning, "Cannot load asset file %s: %s", Filename->c_str(), Reason.c_str());
		return nullptr;
	};
	const std::optional<std::string> Text = FFileHelper::LoadFileToString(*Filename);
	if (!Text)
	{
		return Refuse("it cannot be read");
	}
	std::string Error;
	const std::optional<FAssetFileHeader> Header = ReadAssetFileHeader(*Text, Error);
	if (!Header)
	{
		return Refuse(Error);
	}
	UClass* Class = FClassDatabase::Get().FindClass(Header->ClassPath);
	if (Class == nullptr || Class->HasAnyClassFlags(CLASS_Abstract))
	{
		return Refuse("its class " + Header->ClassPath + (Class == nullptr ? " is unknown" : " is abstract"));
	}
	const std::shared_ptr<FJsonObject> File = FJsonSerializer::DeserializeObject(*Text);
	if (!File)
	{
		return Refuse("not valid JSON");
	}

	UPackage* Package = Store.CreatePackage(PackageName);
	UObject* Asset = FObjectInternals::Construct(Class, *Package, std::string(FPackageName::GetShortName(PackageName)), RF_Public | RF_Standalone | RF_Transactional);
	if (!Asset->LoadAssetFields(*File, Error))
	{
		Store.DestroyPackage(PackageName);
		return Refuse(Error);
	}
	Package->SetLoadedPath(*Filename);
	Package->SetDirtyFlag(false);
	return Package;
}
