#include "Objects/ObjectStore.h"

#include "Objects/Class.h"
#include "Objects/ObjectInternals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <algorithm>
#include <cassert>

namespace
{
	FObjectStore* GObjectStore = nullptr;

	constexpr std::string_view TransientPackageName = "/Engine/Transient";
}

FObjectStore::FObjectStore()
{
	assert(GObjectStore == nullptr && "one object store at a time");
	GObjectStore = this;
	TransientPackage = CreatePackage(TransientPackageName);
	TransientPackage->SetFlags(RF_Transient);
}

FObjectStore::~FObjectStore()
{
	Packages.clear();
	GObjectStore = nullptr;
}

FObjectStore& FObjectStore::Get()
{
	assert(GObjectStore != nullptr && "no editor host is running");
	return *GObjectStore;
}

UPackage* FObjectStore::FindPackage(std::string_view PackageName) const
{
	const auto Found = Packages.find(PackageName);
	return Found == Packages.end() ? nullptr : Found->second.get();
}

UPackage* FObjectStore::CreatePackage(std::string_view PackageName)
{
	if (UPackage* Existing = FindPackage(PackageName))
	{
		return Existing;
	}
	if (!FPackageName::IsValidLongPackageName(PackageName) || PackageName.starts_with("/Script/"))
	{
		return nullptr;
	}
	std::unique_ptr<UObject> Object = UPackage::StaticClass()->CreateNativeInstance();
	std::unique_ptr<UPackage> Package(static_cast<UPackage*>(Object.release()));
	FObjectInternals::Initialize(*Package, UPackage::StaticClass(), nullptr, std::string(PackageName), RF_Public);
	UPackage* Raw = Package.get();
	Packages.emplace(std::string(PackageName), std::move(Package));
	return Raw;
}

bool FObjectStore::DestroyPackage(std::string_view PackageName)
{
	const auto Found = Packages.find(PackageName);
	if (Found == Packages.end() || Found->second.get() == TransientPackage)
	{
		return false;
	}
	// Take the package out of the map before it dies.
	std::unique_ptr<UPackage> Doomed = std::move(Found->second);
	Packages.erase(Found);
	return true;
}

std::vector<UPackage*> FObjectStore::GetPackages() const
{
	std::vector<UPackage*> All;
	All.reserve(Packages.size());
	for (const auto& Entry : Packages)
	{
		All.push_back(Entry.second.get());
	}
	return All;
}

void FObjectStore::CollectGarbage()
{
	std::vector<std::unique_ptr<UPackage>> Doomed;
	for (auto It = Packages.begin(); It != Packages.end();)
	{
		if (It->second->IsGarbage() && It->second.get() != TransientPackage)
		{
			Doomed.push_back(std::move(It->second));
			It = Packages.erase(It);
		}
		else
		{
			FObjectInternals::CollectGarbageInside(*It->second);
			++It;
		}
	}
}

void FObjectStore::AddListener(IObjectStoreListener& Listener)
{
	Listeners.push_back(&Listener);
}

void FObjectStore::RemoveListener(IObjectStoreListener& Listener)
{
	std::erase(Listeners, &Listener);
}

void FObjectStore::BroadcastAssetCreated(UObject& Asset) const
{
	for (IObjectStoreListener* Listener : Listeners)
	{
		Listener->OnAssetCreated(Asset);
	}
}

void FObjectStore::BroadcastPackageSaved(UPackage& Package, UObject& Asset) const
{
	for (IObjectStoreListener* Listener : Listeners)
	{
		Listener->OnPackageSaved(Package, Asset);
	}
}
