#pragma once

#include "Objects/Object.h"

#include <string_view>

/**
 * Makes new assets of one class (SupportedClass), as the editor's asset factories do. The asset
 * tools create the package and hand it to FactoryCreateNew as the new asset's outer.
 */
class UFactory : public UObject
{
	DECLARE_ENGINE_CLASS(UFactory, UObject, "/Script/UnrealEd.Factory")

public:
	/** The class of the assets the factory makes. */
	UClass* SupportedClass = nullptr;

	UClass* GetSupportedClass() const { return SupportedClass; }
	/** Whether the factory can make assets of AssetClass (its supported class or one below it). */
	bool DoesSupportClass(const UClass* AssetClass) const;
	/** A new asset of InClass named InName inside InParent; nullptr when this factory makes none. */
	virtual UObject* FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, EObjectFlags Flags, UObject* Context);
};
