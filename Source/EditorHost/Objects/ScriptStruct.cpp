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
