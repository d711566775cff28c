#include "Graph/CopyPasteTextLines.h"

#include <charconv>

namespace
{
	bool IsKeyword(std::string_view Content, std::string_view Keyword)
	{
		return Content.starts_with(Keyword) && (Content.size() == Keyword.size() || Content[Keyword.size()] == ' ' || Content[Keyword.size()] == '\t');
	}

	bool IsIdentifierStart(char Char)
	{
		return (Char >= 'A' && Char <= 'Z') || (Char >= 'a' && Char <= 'z') || Char == '_';
	}

	bool IsIdentifierChar(char Char)
	{
		return IsIdentifierStart(Char) || (Char >= '0' && Char <= '9') || Char == '.';
	}

	/** Digits as the editor writes an index: no sign, no leading zero, within int. */
	std::optional<int> ReadIndex(std::string_view Digits)
	{
		if (Digits.empty() || Digits.size() > 9 || (Digits.size() > 1 && Digits.front() == '0'))
		{
			return std::nullopt;
		}
		int Index = 0;
		const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Index);
		if (Error != std::errc() || End != Digits.data() + Digits.size())
		{
			return std::nullopt;
		}
		return Index;
	}
}

namespace CopyPasteLines
{
	bool IsBegin(std::string_view Content)
	{
		return IsKeyword(Content, BeginKeyword);
	}

	bool IsEnd(std::string_view Content)
	{
		return IsKeyword(Content, EndKeyword);
	}

	std::optional<FCopyPasteCustomProperty> ReadCustomProperty(std::string_view Content)
	{
		if (!Content.starts_with(CustomKeyword) || Content.size() <= CustomKeyword.size() || Content[CustomKeyword.size()] != ' ')
		{
			return std::nullopt;
		}
		const std::string_view Rest = Content.substr(CustomKeyword.size() + 1);
		const std::size_t KindEnd = Rest.find(' ');
		const std::string_view Kind = Rest.substr(0, KindEnd);
		if (Kind.empty())
		{
			return std::nullopt;
		}
		const std::string_view Text = KindEnd == std::string_view::npos ? std::string_view() : Rest.substr(KindEnd + 1);
		return FCopyPasteCustomProperty{std::string(Kind), std::string(Text)};
	}

	std::optional<FCopyPasteProperty> ReadProperty(std::string_view Content)
	{
		if (Content.empty() || !IsIdentifierStart(Content.front()))
		{
			return std::nullopt;
		}
		std::size_t NameEnd = 1;
		while (NameEnd < Content.size() && IsIdentifierChar(Content[NameEnd]))
		{
			++NameEnd;
		}
		FCopyPasteProperty Property;
		Property.Name = Content.substr(0, NameEnd);
		std::size_t Equals = NameEnd;
		if (Equals < Content.size() && Content[Equals] == '(')
		{
			const std::size_t Close = Content.find(')', Equals);
			if (Close == std::string_view::npos)
			{
				return std::nullopt;
			}
			Property.ArrayIndex = ReadIndex(Content.substr(Equals + 1, Close - Equals - 1));
			if (!Property.ArrayIndex)
			{
				return std::nullopt;
			}
			Equals = Close + 1;
		}
		if (Equals >= Content.size() || Content[Equals] != '=')
		{
			return std::nullopt;
		}
		Property.Value = Content.substr(Equals + 1);
		return Property;
	}

	void AppendBegin(std::string& Out, const FCopyPasteObject& Object, bool bWithClass, const std::vector<FCopyPasteAttribute>& Attributes)
	{
		Out += BeginKeyword;
		if (bWithClass && !Object.Class.empty())
		{
			Out += " Class=";
			Out += Object.Class;
		}
		Out += " Name=\"";
		Out += Object.Name;
		Out += '"';
		for (const FCopyPasteAttribute& Attribute : Attributes)
		{
			Out += ' ';
			Out += Attribute.Key;
			if (Attribute.Value)
			{
				Out += '=';
				Out += *Attribute.Value;
			}
		}
	}

	void AppendCustomProperty(std::string& Out, std::string_view Kind, std::string_view Text)
	{
		Out += CustomKeyword;
		Out += ' ';
		Out += Kind;
		if (!Text.empty())
		{
			Out += ' ';
			Out += Text;
		}
	}

	void AppendProperty(std::string& Out, const FCopyPasteProperty& Property)
	{
		Out += Property.Name;
		if (Property.ArrayIndex)
		{
			Out += '(';
			Out += std::to_string(*Property.ArrayIndex);
			Out += ')';
		}
		Out += '=';
		Out += Property.Value;
	}
}
