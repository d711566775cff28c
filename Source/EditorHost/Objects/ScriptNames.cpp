#include "Objects/ScriptNames.h"

namespace
{
	bool IsUpper(char Character) { return Character >= 'A' && Character <= 'Z'; }
	bool IsLower(char Character) { return Character >= 'a' && Character <= 'z'; }
}

std::string ToScriptName(std::string_view CppName)
{
	std::string Name;
	Name.reserve(CppName.size() + 8);
	for (std::size_t Index = 0; Index < CppName.size(); ++Index)
	{
		const char Character = CppName[Index];
		if (IsUpper(Character) && Index > 0)
		{
			const char Previous = CppName[Index - 1];
			const bool bNextIsLower = Index + 1 < CppName.size() && IsLower(CppName[Index + 1]);
			// A new word starts after a lower-case letter, and at the last capital of an acronym ("HTTPPort");
			// digits stay with the word they follow ("Vector2D" is "vector2d").
			if (IsLower(Previous) || (IsUpper(Previous) && bNextIsLower))
			{
				Name.push_back('_');
			}
		}
		Name.push_back(IsUpper(Character) ? static_cast<char>(Character - 'A' + 'a') : Character);
	}
	return Name;
}

std::string ToScriptParamName(const FScriptParam& Param)
{
	const std::string_view Name = Param.Name;
	if (Param.Type == EScriptValueType::Bool && Name.size() > 1 && Name[0] == 'b' && IsUpper(Name[1]))
	{
		return ToScriptName(Name.substr(1));
	}
	return ToScriptName(Name);
}

std::string_view GetScriptTypeName(EScriptValueType Type)
{
	switch (Type)
	{
	case EScriptValueType::Bool:
		return "bool";
	case EScriptValueType::Int:
		return "int";
	case EScriptValueType::Float:
		return "float";
	case EScriptValueType::String:
		return "str";
	case EScriptValueType::StringArray:
		return "list of str";
	}
	return "value";
}
