#include "Core/JsonNegativeZeros.h"

namespace
{
	/** The 'e' of true and false also matches; such a token is never "0" or "-0", so it does no harm. */
	bool IsNumberCharacter(char Character)
	{
		return (Character >= '0' && Character <= '9') || Character == '-' || Character == '+' || Character == '.' || Character == 'e' || Character == 'E';
	}

	/** The position just past the string whose contents start at Position; the text is valid JSON, so the closing quote exists. */
	std::size_t SkipString(std::string_view Text, std::size_t Position)
	{
		for (;;)
		{
			const std::size_t Quote = Text.find('"', Position);
			std::size_t Backslashes = 0;
			while (Text[Quote - 1 - Backslashes] == '\\')
			{
				++Backslashes;
			}
			if (Backslashes % 2 == 0)
			{
				return Quote + 1;
			}
			Position = Quote + 1;
		}
	}
}

std::vector<std::size_t> FindNegativeZeros(std::string_view Text)
{
	std::vector<std::size_t> Negative;
	if (Text.find("-0") == std::string_view::npos)
	{
		return Negative;
	}
	std::size_t ZeroOrdinal = 0;
	std::size_t Position = 0;
	while (Position < Text.size())
	{
		if (Text[Position] == '"')
		{
			Position = SkipString(Text, Position + 1);
			continue;
		}
		if (!IsNumberCharacter(Text[Position]))
		{
			++Position;
			continue;
		}
		const std::size_t Start = Position;
		while (Position < Text.size() && IsNumberCharacter(Text[Position]))
		{
			++Position;
		}
		const std::string_view Token = Text.substr(Start, Position - Start);
		if (Token == "-0")
		{
			Negative.push_back(ZeroOrdinal);
		}
		if (Token == "-0" || Token == "0")
		{
			++ZeroOrdinal;
		}
	}
	return Negative;
}
