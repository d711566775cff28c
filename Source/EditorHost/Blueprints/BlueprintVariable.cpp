#include "Blueprints/BlueprintVariable.h"

#include "Objects/ClassDatabase.h"

#include <algorithm>

template <>
const UEnum* StaticEnum<ELifetimeCondition>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/Engine.ELifetimeCondition");
	return Enum;
}

namespace
{
	auto HasKey(std::string_view Key)
	{
		return [Key](const FBPVariableMetaDataEntry& Entry) { return Entry.DataKey == Key; };
	}
}

bool FBPVariableDescription::HasMetaData(std::string_view Key) const
{
	return std::any_of(MetaDataArray.begin(), MetaDataArray.end(), HasKey(Key));
}

const std::string& FBPVariableDescription::GetMetaData(std::string_view Key) const
{
	static const std::string Empty;
	const auto Found = std::find_if(MetaDataArray.begin(), MetaDataArray.end(), HasKey(Key));
	return Found == MetaDataArray.end() ? Empty : Found->DataValue;
}

void FBPVariableDescription::SetMetaData(std::string_view Key, std::string Value)
{
	const auto Found = std::find_if(MetaDataArray.begin(), MetaDataArray.end(), HasKey(Key));
	if (Found != MetaDataArray.end())
	{
		Found->DataValue = std::move(Value);
		return;
	}
	MetaDataArray.push_back({std::string(Key), std::move(Value)});
}

void FBPVariableDescription::RemoveMetaData(std::string_view Key)
{
	std::erase_if(MetaDataArray, HasKey(Key));
}
