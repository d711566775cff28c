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
	// Words that stay lower case after a space unless a lower-case letter follows them ("Is in Range").
	static constexpr std::string_view Articles[] = {"In", "As", "To", "Or", "At", "On", "If", "Be", "By", "The", "For", "And", "With", "When", "From"};
	const auto StartsArticle = [Name](std::size_t Index) {
		for (const std::string_view Article : Articles)
		{
			const std::size_t End = Index + Article.size();
			if (End < Name.size() && !IsLower(Name[End]) && Name.substr(Index, Article.size()) == Article)
			{
				return true;
			}
		}
		return false;
	};

	// No reservation up front: most display names fit the string's inline buffer.
	std::string Result;
	// A run of capitals and digits stays one word ("Draw Scale 3D", "HUD").
	bool bInARun = false;
	bool bWasSpace = false;
	bool bWasOpenParen = false;
	bool bWasNumber = false;
	bool bWasMinusSign = false;
	for (std::size_t Index = 0; Index < Name.size(); ++Index)
	{
		char Char = Name[Index];
		const bool bLowerCase = IsLower(Char);
		const bool bUpperCase = IsUpper(Char);
		const bool bIsDigit = IsDigit(Char);
		if (Index == 0 && bIsBool && Char == 'b' && Name.size() > 1 && IsUpper(Name[1]))
		{
			continue;
		}
		const auto AddSpace = [&]() {
			if (!bWasSpace && !Result.empty())
			{
				Result += ' ';
				bWasSpace = true;
			}
		};
		if ((bUpperCase || (bIsDigit && !bWasMinusSign)) && !bInARun && !bWasOpenParen && !bWasNumber)
		{
			AddSpace();
			bInARun = true;
		}
		if (bLowerCase)
		{
			bInARun = false;
		}
		// The last capital of a run before lower case starts the next word ("3D Widget", "HUD Scale").
		if (bInARun && !bWasSpace && !bWasOpenParen && Index + 1 < Name.size() && IsLower(Name[Index + 1]))
		{
			AddSpace();
		}
		if (Char == '_')
		{
			Char = ' ';
			bInARun = true;
		}
		if (Result.empty())
		{
			Char = static_cast<char>(std::toupper(static_cast<unsigned char>(Char)));
		}
		else if (!bIsDigit && (bWasSpace || bWasOpenParen))
		{
			Char = static_cast<char>(StartsArticle(Index) ? std::tolower(static_cast<unsigned char>(Char)) : std::toupper(static_cast<unsigned char>(Char)));
		}
		bWasSpace = Char == ' ';
		bWasOpenParen = Char == '(';
		bWasMinusSign = Char == '-';
		bWasNumber = bIsDigit || (bWasNumber && (bWasMinusSign || Char == '.'));
		Result += Char;
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
