#include "Objects/PropertyValues.h"

#include "Objects/Class.h"
#include "Objects/ObjectTable.h"

#include <algorithm>
#include <unordered_map>

namespace
{
	using FValues = std::vector<std::pair<std::string, std::string>>;

	/** The values set on one object; the serial number tells a later object in the same slot apart. */
	struct FObjectValues
	{
		int32_t SerialNumber = 0;
		FValues Values;
	};

	/** Keyed by the objects' slots in the object table, so values die with their object. */
	std::unordered_map<int32_t, FObjectValues>& ValuesBySlot()
	{
		static std::unordered_map<int32_t, FObjectValues> Table;
		return Table;
	}

	const FValues* FindValues(const UObject& Object)
	{
		const auto Found = ValuesBySlot().find(Object.GetUniqueID());
		if (Found == ValuesBySlot().end() || Found->second.SerialNumber != FObjectTable::Get().GetSerialNumber(Object.GetUniqueID()))
		{
			return nullptr;
		}
		return &Found->second.Values;
	}

	FValues& FindOrAddValues(const UObject& Object)
	{
		const int32_t SerialNumber = FObjectTable::Get().GetSerialNumber(Object.GetUniqueID());
		FObjectValues& Entry = ValuesBySlot()[Object.GetUniqueID()];
		if (Entry.SerialNumber != SerialNumber)
		{
			Entry = FObjectValues{SerialNumber, {}};
		}
		return Entry.Values;
	}

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
	if (const FValues* const Values = FindValues(Object))
	{
		const auto Found = std::find_if(Values->begin(), Values->end(), [PropertyName](const auto& Entry) { return Entry.first == PropertyName; });
		if (Found != Values->end())
		{
			return Found->second;
		}
	}
	return Property->GetDefaultValueText();
}

bool SetPropertyValueText(UObject& Object, std::string_view PropertyName, std::string_view ValueText)
{
	const FProperty* const Property = FindProperty(Object, PropertyName);
	if (Property == nullptr || Object.GetUniqueID() < 0)
	{
		return false;
	}
	if (ValueText == Property->GetDefaultValueText())
	{
		ResetPropertyValue(Object, PropertyName);
		return true;
	}
	FValues& Values = FindOrAddValues(Object);
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
	if (FindValues(Object) != nullptr)
	{
		std::erase_if(FindOrAddValues(Object), [PropertyName](const auto& Entry) { return Entry.first == PropertyName; });
	}
}

std::vector<std::pair<std::string, std::string>> GetChangedPropertyValues(const UObject& Object)
{
	const FValues* const Values = FindValues(Object);
	return Values != nullptr ? *Values : FValues();
}
