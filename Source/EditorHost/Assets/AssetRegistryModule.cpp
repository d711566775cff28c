#include "Assets/AssetRegistry.h"
#include "Assets/AssetRegistryImpl.h"
#include "Objects/ObjectStore.h"
#include "Objects/PackageName.h"

#include <cassert>

FAssetRegistryModule::FAssetRegistryModule() = default;
FAssetRegistryModule::~FAssetRegistryModule() = default;

void FAssetRegistryModule::StartupModule()
{
	Registry = std::make_unique<FAssetRegistry>(FPackageName::GetContentRoots());
	FObjectStore::Get().AddListener(*Registry);
}

void FAssetRegistryModule::ShutdownModule()
{
	FObjectStore::Get().RemoveListener(*Registry);
	Registry.reset();
}

IAssetRegistry& FAssetRegistryModule::Get() const
{
	assert(Registry && "the asset registry module is not started");
	return *Registry;
}

void FAssetRegistryModule::AssetCreated(UObject* NewAsset)
{
	if (IAssetRegistry* Registry = IAssetRegistry::Get())
	{
		Registry->AssetCreated(NewAsset);
	}
}

IAssetRegistry* IAssetRegistry::Get()
{
	const FAssetRegistryModule* Module = FModuleManager::GetModulePtr<FAssetRegistryModule>("AssetRegistry");
	return Module != nullptr ? &Module->Get() : nullptr;
}
