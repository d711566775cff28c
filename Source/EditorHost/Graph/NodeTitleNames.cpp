#include "Graph/NodeTitleNames.h"

#include <cctype>

namespace
{
	bool IsUpper(char Char)
	{
		return std::isupper(static_cast<unsigned char>(Char)) != 0;
	}

	bool IsLower(char Char)
	{
		return std::islower(static_cast<unsigned char>(Char)) != 0;
	}

	bool IsDigit(char Char)
	{
		return std::isdigit(static_cast<unsigned char>(Char)) != 0;
	}
}

std::string NameToDisplayString(std::string_view Name, bool bIsBool)
{
	if (bIsBool && Name.size() > 1 && Name[0] == 'b' && IsUpper(Name[1]))
	{
		Name.remove_prefix(1);
	}
	std::string Result;
	for (std::size_t Index = 0; Index < Name.size(); ++Index)
	{
		const char Char = Name[Index];
		if (Char == '_')
		{
			if (!Result.empty() && Result.back() != ' ')
			{
				Result += ' ';
			}
			continue;
		}
		const char Previous = Index > 0 ? Name[Index - 1] : '\0';
		const char Next = Index + 1 < Name.size() ? Name[Index + 1] : '\0';
		const bool bWordStart = IsUpper(Char) && (IsLower(Previous) || IsDigit(Previous) || (IsUpper(Previous) && IsLower(Next)));
		if (bWordStart && !Result.empty() && Result.back() != ' ')
		{
			Result += ' ';
		}
		Result += Char;
	}
	while (!Result.empty() && Result.back() == ' ')
	{
		Result.pop_back();
	}
	return Result;
}

std::string ReferencedObjectPath(std::string_view Reference)
{
	const std::size_t Open = Reference.find('\'');
	const std::size_t Close = Reference.rfind('\'');
	if (Open != std::string_view::npos && Close > Open)
	{
		Reference = Reference.substr(Open + 1, Close - Open - 1);
	}
	if (Reference.size() >= 2 && Reference.front() == '"' && Reference.back() == '"')
	{
		Reference = Reference.substr(1, Reference.size() - 2);
	}
	return Reference == "None" ? std::string() : std::string(Reference);
}

std::string ReferencedObjectName(std::string_view Reference)
{
	const std::string Path = ReferencedObjectPath(Reference);
	const std::size_t Separator = Path.find_last_of(".:");
	return Separator == std::string::npos ? Path : Path.substr(Separator + 1);
}
