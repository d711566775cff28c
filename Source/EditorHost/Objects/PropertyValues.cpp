#include "Objects/PropertyValues.h"

#include "Objects/Class.h"

#include <algorithm>

/** Reaches the values an object keeps beside its own fields. */
class FPropertyValueStore
{
public:
	using FValues = std::vector<std::pair<std::string, std::string>>;

	static const FValues& Of(const UObject& Object) { return Object.PropertyValueTexts; }
	static FValues& Of(UObject& Object) { return Object.PropertyValueTexts; }
};

namespace
{
	using FValues = FPropertyValueStore::FValues;

	const FProperty* FindProperty(const UObject& Object, std::string_view PropertyName)
	{
		const UClass* const Class = Object.GetClass();
		return Class != nullptr ? Class->FindPropertyByName(PropertyName) : nullptr;
	}
}

std::optional<std::string> GetPropertyValueText(const UObject& Object, std::string_view PropertyName)
{
	const FProperty* const Property = FindProperty(Object, PropertyName);
	if (Property == nullptr)
	{
		return std::nullopt;
	}
	const FValues& Values = FPropertyValueStore::Of(Object);
	const auto Found = std::find_if(Values.begin(), Values.end(), [PropertyName](const auto& Entry) { return Entry.first == PropertyName; });
	if (Found != Values.end())
	{
		return Found->second;
	}
	return Object.GetClass()->GetDefaultValueText(*Property);
}

bool SetPropertyValueText(UObject& Object, std::string_view PropertyName, std::string_view ValueText)
{
	const FProperty* const Property = FindProperty(Object, PropertyName);
	if (Property == nullptr)
	{
		return false;
	}
	if (ValueText == Object.GetClass()->GetDefaultValueText(*Property))
	{
		ResetPropertyValue(Object, PropertyName);
		return true;
	}
	FValues& Values = FPropertyValueStore::Of(Object);
	const auto Found = std::find_if(Values.begin(), Values.end(), [PropertyName](const auto& Entry) { return Entry.first == PropertyName; });
	if (Found != Values.end())
	{
		Found->second = std::string(ValueText);
	}
	else
	{
		Values.emplace_back(std::string(PropertyName), std::string(ValueText));
	}
	return true;
}

void ResetPropertyValue(UObject& Object, std::string_view PropertyName)
{
	std::erase_if(FPropertyValueStore::Of(Object), [PropertyName](const auto& Entry) { return Entry.first == PropertyName; });
}

std::vector<std::pair<std::string, std::string>> GetChangedPropertyValues(const UObject& Object)
{
	return FPropertyValueStore::Of(Object);
}
