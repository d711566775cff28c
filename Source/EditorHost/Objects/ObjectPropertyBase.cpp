#include "Objects/ObjectPropertyBase.h"

#include "Graph/NodeTitleNames.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PropertyValues.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace
{
	constexpr std::array<std::string_view, 3> ObjectTemplates{"TObjectPtr<", "TWeakObjectPtr<", "TSubclassOf<"};

	bool IsPointerToEngineObject(std::string_view Type)
	{
		return Type.size() > 2 && Type.ends_with('*') && (Type.front() == 'U' || Type.front() == 'A');
	}
}

std::optional<FObjectPropertyBase> FObjectPropertyBase::From(const FProperty* Property)
{
	if (Property == nullptr)
	{
		return std::nullopt;
	}
	const std::string_view Type = Property->GetCPPType();
	const bool bTemplate = Type.ends_with('>') && std::any_of(ObjectTemplates.begin(), ObjectTemplates.end(), [Type](std::string_view Prefix) { return Type.starts_with(Prefix); });
	if (!bTemplate && !IsPointerToEngineObject(Type))
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
	if (!Text || Text->empty() || *Text == "None")
	{
		return nullptr;
	}
	const std::string Path = ReferencedObjectPath(*Text);
	return Path.empty() ? nullptr : StaticLoadObject(IsClassReference() ? UClass::StaticClass() : nullptr, Path);
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
