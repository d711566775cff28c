#include "Core/StringConv.h"

#include <cstdint>

namespace
{
	constexpr char BogusCharacter = '?';

	bool IsContinuation(unsigned char Byte)
	{
		return (Byte & 0xC0) == 0x80;
	}

	/** The length of the well-formed sequence starting at Index, or 0 when it is malformed. */
	std::size_t WellFormedLength(std::string_view Bytes, std::size_t Index)
	{
		const auto At = [&Bytes](std::size_t I) { return static_cast<unsigned char>(Bytes[I]); };
		const unsigned char Lead = At(Index);
		const std::size_t Remaining = Bytes.size() - Index;
		if (Lead < 0x80)
		{
			return 1;
		}
		if (Lead >= 0xC2 && Lead <= 0xDF)
		{
			return Remaining >= 2 && IsContinuation(At(Index + 1)) ? 2 : 0;
		}
		if (Lead >= 0xE0 && Lead <= 0xEF)
		{
			if (Remaining < 3 || !IsContinuation(At(Index + 1)) || !IsContinuation(At(Index + 2)))
			{
				return 0;
			}
			const unsigned char Second = At(Index + 1);
			const bool bOverlong = Lead == 0xE0 && Second < 0xA0;
			const bool bSurrogate = Lead == 0xED && Second >= 0xA0;
			return bOverlong || bSurrogate ? 0 : 3;
		}
		if (Lead >= 0xF0 && Lead <= 0xF4)
		{
			if (Remaining < 4 || !IsContinuation(At(Index + 1)) || !IsContinuation(At(Index + 2)) || !IsContinuation(At(Index + 3)))
			{
				return 0;
			}
			const unsigned char Second = At(Index + 1);
			const bool bOverlong = Lead == 0xF0 && Second < 0x90;
			const bool bTooLarge = Lead == 0xF4 && Second >= 0x90;
			return bOverlong || bTooLarge ? 0 : 4;
		}
		return 0;
	}
}

std::string Utf8ToText(std::string_view Bytes)
{
	std::string Result;
	Result.reserve(Bytes.size());
	std::size_t Index = 0;
	while (Index < Bytes.size())
	{
		const std::size_t Length = WellFormedLength(Bytes, Index);
		if (Length == 0)
		{
			Result.push_back(BogusCharacter);
			++Index;
			continue;
		}
		Result.append(Bytes.substr(Index, Length));
		Index += Length;
	}
	return Result;
}
