#pragma once

#include "Editor/Factories/Factory.h"

/** Makes a new, empty base Material (the editor's "Material" entry of the new-asset menu). */
class UMaterialFactoryNew : public UFactory
{
	DECLARE_ENGINE_CLASS(UMaterialFactoryNew, UFactory, "/Script/UnrealEd.MaterialFactoryNew")

public:
	UMaterialFactoryNew();

	UObject* FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, EObjectFlags Flags, UObject* Context) override;
};
