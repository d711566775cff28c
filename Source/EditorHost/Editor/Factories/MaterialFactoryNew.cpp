#include "Editor/Factories/MaterialFactoryNew.h"

#include "Materials/Material.h"
#include "Objects/ObjectGlobals.h"

UMaterialFactoryNew::UMaterialFactoryNew()
{
	SupportedClass = UMaterial::StaticClass();
}

UObject* UMaterialFactoryNew::FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, EObjectFlags Flags, [[maybe_unused]] UObject* Context)
{
	return DoesSupportClass(InClass) ? NewObject<UMaterial>(InParent, InClass, InName, Flags) : nullptr;
}
