#include "Core/TextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
	unsigned char FoldAscii(char Character)
	{
		const auto Byte = static_cast<unsigned char>(Character);
		return (Byte >= 'A' && Byte <= 'Z') ? static_cast<unsigned char>(Byte + ('a' - 'A')) : Byte;
	}

	bool EqualIgnoreCase(char A, char B)
	{
		return FoldAscii(A) == FoldAscii(B);
	}

	bool IsContinuation(unsigned char Byte)
	{
		return (Byte & 0xC0) == 0x80;
	}

	/**
	 * The length in bytes of the well-formed UTF-8 sequence starting at Offset, or
	 * empty when the bytes there are not one (overlong forms, surrogates, code points
	 * above U+10FFFF, truncated sequences and stray continuation bytes).
	 */
	std::optional<std::size_t> SequenceLength(std::string_view Bytes, std::size_t Offset)
	{
		const auto Lead = static_cast<unsigned char>(Bytes[Offset]);
		if (Lead < 0x80)
		{
			return 1;
		}
		std::size_t Length = 0;
		unsigned char SecondMin = 0x80;
		unsigned char SecondMax = 0xBF;
		if (Lead >= 0xC2 && Lead <= 0xDF)
		{
			Length = 2;
		}
		else if (Lead >= 0xE0 && Lead <= 0xEF)
		{
			Length = 3;
			SecondMin = Lead == 0xE0 ? 0xA0 : 0x80;
			SecondMax = Lead == 0xED ? 0x9F : 0xBF;
		}
		else if (Lead >= 0xF0 && Lead <= 0xF4)
		{
			Length = 4;
			SecondMin = Lead == 0xF0 ? 0x90 : 0x80;
			SecondMax = Lead == 0xF4 ? 0x8F : 0xBF;
		}
		else
		{
			return std::nullopt;
		}
		if (Bytes.size() - Offset < Length)
		{
			return std::nullopt;
		}
		const auto Second = static_cast<unsigned char>(Bytes[Offset + 1]);
		if (Second < SecondMin || Second > SecondMax)
		{
			return std::nullopt;
		}
		for (std::size_t Index = 2; Index < Length; ++Index)
		{
			if (!IsContinuation(static_cast<unsigned char>(Bytes[Offset + Index])))
			{
				return std::nullopt;
			}
		}
		return Length;
	}

	constexpr std::size_t WordSize = sizeof(uint64_t);

	bool IsAsciiWord(const char* Bytes)
	{
		uint64_t Word = 0;
		std::memcpy(&Word, Bytes, WordSize);
		return (Word & 0x8080808080808080ull) == 0;
	}

	/** How many bytes from Offset on are ASCII; whole 8-byte words are checked at once. */
	std::size_t AsciiRunLength(std::string_view Bytes, std::size_t Offset)
	{
		std::size_t End = Offset;
		while (Bytes.size() - End >= WordSize && IsAsciiWord(Bytes.data() + End))
		{
			End += WordSize;
		}
		while (End < Bytes.size() && static_cast<unsigned char>(Bytes[End]) < 0x80)
		{
			++End;
		}
		return End - Offset;
	}
}

namespace Text
{
	int Stricmp(std::string_view A, std::string_view B)
	{
		const std::size_t Common = std::min(A.size(), B.size());
		for (std::size_t Index = 0; Index < Common; ++Index)
		{
			const unsigned char Left = FoldAscii(A[Index]);
			const unsigned char Right = FoldAscii(B[Index]);
			if (Left != Right)
			{
				return Left < Right ? -1 : 1;
			}
		}
		if (A.size() == B.size())
		{
			return 0;
		}
		return A.size() < B.size() ? -1 : 1;
	}

	bool EqualsIgnoreCase(std::string_view A, std::string_view B)
	{
		return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), EqualIgnoreCase);
	}

	bool StartsWithIgnoreCase(std::string_view Text, std::string_view Prefix)
	{
		return Text.size() >= Prefix.size() && EqualsIgnoreCase(Text.substr(0, Prefix.size()), Prefix);
	}

	bool EndsWithIgnoreCase(std::string_view Text, std::string_view Suffix)
	{
		return Text.size() >= Suffix.size() && EqualsIgnoreCase(Text.substr(Text.size() - Suffix.size()), Suffix);
	}

	std::optional<std::size_t> FindIgnoreCase(std::string_view Text, std::string_view Needle)
	{
		const auto Found = std::search(Text.begin(), Text.end(), Needle.begin(), Needle.end(), EqualIgnoreCase);
		if (Found == Text.end() && !Needle.empty())
		{
			return std::nullopt;
		}
		return static_cast<std::size_t>(Found - Text.begin());
	}

	std::string_view TrimWhitespace(std::string_view Text)
	{
		const auto IsSpace = [](char Character) { return Character == ' ' || Character == '\t' || Character == '\n' || Character == '\r' || Character == '\f' || Character == '\v'; };
		while (!Text.empty() && IsSpace(Text.front()))
		{
			Text.remove_prefix(1);
		}
		while (!Text.empty() && IsSpace(Text.back()))
		{
			Text.remove_suffix(1);
		}
		return Text;
	}

	std::size_t Utf16Length(std::string_view Utf8)
	{
		std::size_t Units = 0;
		std::size_t Offset = 0;
		while (Offset < Utf8.size())
		{
			// Each ASCII byte is one code unit.
			const std::size_t Ascii = AsciiRunLength(Utf8, Offset);
			Units += Ascii;
			Offset += Ascii;
			if (Offset == Utf8.size())
			{
				break;
			}
			// A byte that does not start a well-formed sequence stands for one
			// replacement character (one code unit), as a decoder would write it.
			const std::size_t Length = SequenceLength(Utf8, Offset).value_or(1);
			Units += Length == 4 ? 2 : 1;
			Offset += Length;
		}
		return Units;
	}

	bool IsValidUtf8(std::string_view Bytes)
	{
		std::size_t Offset = 0;
		while (Offset < Bytes.size())
		{
			const std::optional<std::size_t> Length = SequenceLength(Bytes, Offset);
			if (!Length)
			{
				return false;
			}
			Offset += *Length;
		}
		return true;
	}
}
