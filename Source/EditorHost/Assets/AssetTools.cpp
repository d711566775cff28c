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
	/**
	 * The package name as the editor makes it for a new asset: each character a package name
	 * cannot hold becomes '_', and doubled slashes become one (a folder given with a trailing
	 * slash still names the same folder).
	 */
	std::string SanitizePackageName(std::string_view PackageName)
	{
		static constexpr std::string_view InvalidCharacters = "\\:*?\"<>|' ,.&!~\n\r\t@#";
		std::string Sanitized;
		for (const char Character : PackageName)
		{
			Sanitized.push_back(InvalidCharacters.find(Character) != std::string_view::npos ? '_' : Character);
		}
		for (std::size_t Found = Sanitized.find("//"); Found != std::string::npos; Found = Sanitized.find("//", Found + 1))
		{
			Sanitized.erase(Found, 1);
		}
		return Sanitized;
	}

	class FAssetTools final : public IAssetTools
	{
	public:
		UObject* CreateAsset(std::string_view AssetName, std::string_view PackagePath, UClass* AssetClass, UFactory* Factory) override
		{
			const std::string PackageName = SanitizePackageName(std::string(PackagePath) + "/" + std::string(AssetName));
			const auto Refuse = [&PackageName](const char* Reason) -> UObject* {
				UE_LOG(LogAssetTools, Warning, "Cannot create asset %s: %s", PackageName.c_str(), Reason);
				return nullptr;
			};
			UClass* const Class = AssetClass != nullptr ? AssetClass : Factory != nullptr ? Factory->GetSupportedClass() : nullptr;
			if (Class == nullptr || (Factory != nullptr && !Factory->DoesSupportClass(Class)))
			{
				return Refuse("the factory does not make assets of that class");
			}
			if (!FPackageName::IsValidLongPackageName(PackageName))
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
			constexpr EObjectFlags Flags = RF_Public | RF_Standalone | RF_Transactional;
			UObject* Asset = nullptr;
			if (Package != nullptr)
			{
				Asset = Factory != nullptr ? Factory->FactoryCreateNew(Class, Package, AssetName, Flags, nullptr) : NewObject<UObject>(Package, Class, AssetName, Flags);
			}
			if (Asset == nullptr)
			{
				if (Existing == nullptr)
				{
					FObjectStore::Get().DestroyPackage(PackageName);
				}
				return Refuse("no asset was made");
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
