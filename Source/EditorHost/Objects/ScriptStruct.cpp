#include "Objects/ScriptStruct.h"

std::vector<const FProperty*> UScriptStruct::GetAllProperties() const
{
	std::vector<const FProperty*> All;
	for (const UScriptStruct* Struct = this; Struct != nullptr; Struct = Struct->SuperStruct)
	{
		for (const FProperty& Property : Struct->Properties)
		{
			All.push_back(&Property);
		}
	}
	return All;
}

std::optional<EStructFlags> ParseStructFlag(std::string_view Name)
{
	if (Name == "Atomic")
	{
		return STRUCT_Atomic;
	}
	if (Name == "Immutable")
	{
		return STRUCT_Immutable;
	}
	return std::nullopt;
}
