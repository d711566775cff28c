#include "Endpoints/MaterialParameterJson.h"

#include "Endpoints/MaterialParameterInfos.h"

#include "Materials/Material.h"

std::shared_ptr<FJsonObject> MakeNamedParameterEntry(const FMaterialParameterInfo& Info)
{
	auto Entry = std::make_shared<FJsonObject>();
	Entry->SetStringField("name", Info.Name);
	return Entry;
}

FJsonValueArray MakeVectorParameterEntries(const UMaterialInterface& Material)
{
	FJsonValueArray Parameters;
	for (const FMaterialParameterInfo& Info : ListParameterInfos<&UMaterialInterface::GetAllVectorParameterInfo>(Material))
	{
		FLinearColor Value;
		Material.GetVectorParameterValue(Info, Value);
		std::shared_ptr<FJsonObject> Entry = MakeNamedParameterEntry(Info);
		Entry->SetArrayField("value", FJsonValueArray{Value.R, Value.G, Value.B, Value.A});
		Parameters.emplace_back(std::move(Entry));
	}
	return Parameters;
}

FJsonValueArray MakeStaticSwitchParameterEntries(const UMaterialInterface& Material)
{
	FJsonValueArray Parameters;
	for (const FMaterialParameterInfo& Info : ListParameterInfos<&UMaterialInterface::GetAllStaticSwitchParameterInfo>(Material))
	{
		Parameters.emplace_back(MakeNamedParameterEntry(Info));
	}
	return Parameters;
}
