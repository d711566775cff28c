#include "Objects/ObjectPropertyBase.h"

#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"

#include <string_view>

std::optional<FObjectPropertyBase> FObjectPropertyBase::From(const FProperty* Property)
{
	if (Property == nullptr || !IsObjectReferenceProperty(*Property))
	{
		return std::nullopt;
	}
	return FObjectPropertyBase(*Property);
}

bool FObjectPropertyBase::IsClassReference() const
{
	const std::string_view Type = Property.GetCPPType();
	return Type.starts_with("TSubclassOf<") || Type == "UClass*" || Type == "TObjectPtr<UClass>";
}

UObject* FObjectPropertyBase::GetObjectPropertyValue_InContainer(const UObject& Container) const
{
	const std::optional<std::string> Text = GetPropertyValueText(Container, Property.GetName());
	if (!Text)
	{
		return nullptr;
	}
	const std::optional<std::string> Path = GetObjectReferencePath(Property, *Text);
	return !Path || Path->empty() ? nullptr : StaticLoadObject(IsClassReference() ? UClass::StaticClass() : nullptr, *Path);
}

bool FObjectPropertyBase::SetObjectPropertyValue_InContainer(UObject* Container, UObject* Value) const
{
	if (Container == nullptr || Container->GetClass() == nullptr || Container->GetClass()->FindPropertyByName(Property.GetName()) != &Property)
	{
		return false;
	}
	if (Value == nullptr)
	{
		return SetPropertyValueText(*Container, Property.GetName(), "None");
	}
	if (IsClassReference() && Cast<UClass>(Value) == nullptr)
	{
		return false;
	}
	return SetPropertyValueText(*Container, Property.GetName(), Value->GetClass()->GetPathName() + "'" + Value->GetPathName() + "'");
}
