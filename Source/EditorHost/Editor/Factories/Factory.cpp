#include "Editor/Factories/Factory.h"

#include "Objects/Class.h"

bool UFactory::DoesSupportClass(const UClass* AssetClass) const
{
	return AssetClass != nullptr && SupportedClass != nullptr && AssetClass->IsChildOf(SupportedClass);
}

UObject* UFactory::FactoryCreateNew([[maybe_unused]] UClass* InClass, [[maybe_unused]] UObject* InParent, [[maybe_unused]] std::string_view InName,
	[[maybe_unused]] EObjectFlags Flags, [[maybe_unused]] UObject* Context)
{
	return nullptr;
}
