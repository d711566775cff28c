#include "Assets/AssetToolsModule.h"

#include "Editor/Factories/Factory.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <cassert>

DEFINE_LOG_CATEGORY(LogAssetTools);

namespace
{
	class FAssetTools final : public IAssetTools
	{
	public:
		UObject* CreateAsset(std::string_view AssetName, std::string_view PackagePath, UClass* AssetClass, UFactory* Factory) override
		{
			const std::string PackageName = std::string(PackagePath) + "/" + std::string(AssetName);
			const auto Refuse = [&PackageName](const char* Reason) -> UObject* {
				UE_LOG(LogAssetTools, Warning, "Cannot create asset %s: %s", PackageName.c_str(), Reason);
				return nullptr;
			};
			if (Factory == nullptr)
			{
				return Refuse("no factory");
			}
			UClass* const Class = AssetClass != nullptr ? AssetClass : Factory->GetSupportedClass();
			if (!Factory->DoesSupportClass(Class))
			{
				return Refuse("the factory does not make assets of that class");
			}
			if (!FPackageName::IsValidPath(PackagePath) || !FPackageName::IsValidLongPackageName(PackageName) || AssetName.find('.') != std::string_view::npos)
			{
				return Refuse("not a valid asset name and folder");
			}
			if (FPackageName::IsReadOnlyPackage(PackageName))
			{
				return Refuse("the folder is read-only");
			}
			UPackage* const Existing = LoadPackage(PackageName);
			if (Existing != nullptr && Existing->FindAssetInPackage() != nullptr)
			{
				return Refuse("an asset already exists there");
			}
			UPackage* const Package = Existing != nullptr ? Existing : CreatePackage(PackageName);
			UObject* const Asset = Package != nullptr ? Factory->FactoryCreateNew(Class, Package, AssetName, RF_Public | RF_Standalone | RF_Transactional, nullptr) : nullptr;
			if (Asset == nullptr)
			{
				if (Existing == nullptr)
				{
					FObjectStore::Get().DestroyPackage(PackageName);
				}
				return Refuse("the factory made nothing");
			}
			Asset->MarkPackageDirty();
			return Asset;
		}
	};
}

FAssetToolsModule::FAssetToolsModule()
	: AssetTools(std::make_unique<FAssetTools>())
{
}

FAssetToolsModule::~FAssetToolsModule() = default;

FAssetToolsModule& FAssetToolsModule::GetModule()
{
	auto* Module = dynamic_cast<FAssetToolsModule*>(FModuleManager::Get().LoadModule("AssetTools"));
	assert(Module != nullptr && "the editor host registers the AssetTools module");
	return *Module;
}
