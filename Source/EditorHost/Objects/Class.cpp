#include "Objects/Class.h"

#include "Objects/ObjectInternals.h"
#include "Objects/Package.h"

#include <algorithm>
#include <array>

namespace
{
	struct FClassFlagName
	{
		std::string_view Name;
		EClassFlags Flag;
	};

	constexpr std::array ClassFlagNames{
		FClassFlagName{"Abstract", CLASS_Abstract},
		FClassFlagName{"Native", CLASS_Native},
		FClassFlagName{"NotPlaceable", CLASS_NotPlaceable},
		FClassFlagName{"EditInlineNew", CLASS_EditInlineNew},
		FClassFlagName{"Interface", CLASS_Interface},
		FClassFlagName{"Const", CLASS_Const},
		FClassFlagName{"CompiledFromBlueprint", CLASS_CompiledFromBlueprint},
		FClassFlagName{"Hidden", CLASS_Hidden},
		FClassFlagName{"Deprecated", CLASS_Deprecated},
	};
}

std::optional<EClassFlags> ParseClassFlag(std::string_view Name)
{
	const auto Found = std::find_if(ClassFlagNames.begin(), ClassFlagNames.end(), [Name](const FClassFlagName& Entry) { return Entry.Name == Name; });
	if (Found == ClassFlagNames.end())
	{
		return std::nullopt;
	}
	return Found->Flag;
}

bool UClass::IsChildOf(const UClass* SomeBase) const
{
	if (SomeBase == nullptr)
	{
		return false;
	}
	for (const UClass* Class = this; Class != nullptr; Class = Class->SuperClass)
	{
		if (Class == SomeBase)
		{
			return true;
		}
	}
	return false;
}

FTopLevelAssetPath UClass::GetClassPathName() const
{
	const UObject* Package = GetOuter();
	return FTopLevelAssetPath(Package != nullptr ? Package->GetName() : std::string(), GetName());
}

const FProperty* UClass::FindPropertyByName(std::string_view PropertyName) const
{
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		if (It->GetName() == PropertyName)
		{
			return *It;
		}
	}
	return nullptr;
}

const std::string& UClass::GetDefaultValueText(const FProperty& Property) const
{
	for (const UClass* Class = this; Class != nullptr && Class != Property.GetOwnerClass(); Class = Class->SuperClass)
	{
		const auto Found = std::find_if(Class->DefaultOverrides.begin(), Class->DefaultOverrides.end(),
			[&Property](const auto& Entry) { return Entry.first == Property.GetName(); });
		if (Found != Class->DefaultOverrides.end())
		{
			return Found->second;
		}
	}
	return Property.GetDefaultValueText();
}

std::unique_ptr<UObject> UClass::CreateNativeInstance() const
{
	for (const UClass* Class = this; Class != nullptr; Class = Class->SuperClass)
	{
		if (Class->NativeFactory)
		{
			return Class->NativeFactory();
		}
	}
	return std::make_unique<UObject>();
}

UObject* UClass::GetDefaultObject(bool bCreateIfNeeded) const
{
	if (DefaultObject == nullptr && bCreateIfNeeded && GetOuter() != nullptr)
	{
		DefaultObject = FObjectInternals::Construct(const_cast<UClass*>(this), *GetOuter(), "Default__" + GetName(), RF_Public | RF_Transient);
	}
	return DefaultObject;
}
