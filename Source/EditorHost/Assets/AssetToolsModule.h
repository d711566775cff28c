#pragma once

#include "Core/Log.h"
#include "Runtime/ModuleManager.h"

#include <memory>
#include <string_view>

class UClass;
class UFactory;
class UObject;

DECLARE_LOG_CATEGORY_EXTERN(LogAssetTools, Log, All);

/** The editor's asset operations that scripts and tools call. */
class IAssetTools
{
public:
	virtual ~IAssetTools() = default;

	/**
	 * A new asset named AssetName in a new package under PackagePath ("/Game/Materials"), made by
	 * Factory as an object of AssetClass (the factory's supported class when nullptr; without a
	 * factory, a plain new object of AssetClass). The package name is sanitized as the editor does
	 * (refused characters become '_', doubled slashes one). nullptr, with a warning, when the
	 * name is not valid, the folder is read-only, an asset already exists there, or the factory
	 * cannot make that class; no package is left behind then.
	 */
	virtual UObject* CreateAsset(std::string_view AssetName, std::string_view PackagePath, UClass* AssetClass, UFactory* Factory) = 0;
};

/** The host module "AssetTools", loaded by the editor host before any plug-in. */
class FAssetToolsModule : public IModuleInterface
{
public:
	FAssetToolsModule();
	~FAssetToolsModule() override;

	/** The running host's module (loading it when needed). */
	static FAssetToolsModule& GetModule();
	IAssetTools& Get() const { return *AssetTools; }

private:
	std::unique_ptr<IAssetTools> AssetTools;
};
