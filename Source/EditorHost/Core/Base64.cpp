#include "Core/Base64.h"

#include <array>

namespace
{
	constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
	constexpr uint8_t Invalid = 0xFF;

	constexpr std::array<uint8_t, 256> MakeDecodeTable()
	{
		std::array<uint8_t, 256> Table{};
		Table.fill(Invalid);
		for (std::size_t Index = 0; Index < Alphabet.size(); ++Index)
		{
			Table[static_cast<unsigned char>(Alphabet[Index])] = static_cast<uint8_t>(Index);
		}
		return Table;
	}

	constexpr std::array<uint8_t, 256> DecodeTable = MakeDecodeTable();

	uint8_t DecodeChar(char Character)
	{
		return DecodeTable[static_cast<unsigned char>(Character)];
	}
}

std::string FBase64::Encode(std::span<const uint8_t> Bytes)
{
	std::string Text((Bytes.size() + 2) / 3 * 4, '=');
	char* Out = Text.data();
	std::size_t Index = 0;
	for (; Index + 3 <= Bytes.size(); Index += 3)
	{
		const uint32_t Group = (uint32_t{Bytes[Index]} << 16) | (uint32_t{Bytes[Index + 1]} << 8) | Bytes[Index + 2];
		*Out++ = Alphabet[(Group >> 18) & 0x3F];
		*Out++ = Alphabet[(Group >> 12) & 0x3F];
		*Out++ = Alphabet[(Group >> 6) & 0x3F];
		*Out++ = Alphabet[Group & 0x3F];
	}
	const std::size_t Remaining = Bytes.size() - Index;
	if (Remaining > 0)
	{
		const uint32_t Group = (uint32_t{Bytes[Index]} << 16) | (Remaining == 2 ? uint32_t{Bytes[Index + 1]} << 8 : 0);
		*Out++ = Alphabet[(Group >> 18) & 0x3F];
		*Out++ = Alphabet[(Group >> 12) & 0x3F];
		if (Remaining == 2)
		{
			*Out = Alphabet[(Group >> 6) & 0x3F];
		}
	}
	return Text;
}

std::string FBase64::Encode(std::string_view Bytes)
{
	return Encode(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()));
}

std::optional<std::vector<uint8_t>> FBase64::Decode(std::string_view Text)
{
	if (Text.size() % 4 != 0)
	{
		return std::nullopt;
	}
	std::size_t Padding = 0;
	if (!Text.empty() && Text.back() == '=')
	{
		Padding = Text[Text.size() - 2] == '=' ? 2 : 1;
	}
	std::vector<uint8_t> Bytes(Text.size() / 4 * 3 - Padding);
	uint8_t* Out = Bytes.data();
	const std::size_t FullEnd = Padding > 0 ? Text.size() - 4 : Text.size();
	for (std::size_t Index = 0; Index < FullEnd; Index += 4)
	{
		const uint8_t C0 = DecodeChar(Text[Index]);
		const uint8_t C1 = DecodeChar(Text[Index + 1]);
		const uint8_t C2 = DecodeChar(Text[Index + 2]);
		const uint8_t C3 = DecodeChar(Text[Index + 3]);
		if ((C0 | C1 | C2 | C3) & 0xC0)
		{
			return std::nullopt;
		}
		const uint32_t Group = (uint32_t{C0} << 18) | (uint32_t{C1} << 12) | (uint32_t{C2} << 6) | C3;
		*Out++ = static_cast<uint8_t>(Group >> 16);
		*Out++ = static_cast<uint8_t>(Group >> 8);
		*Out++ = static_cast<uint8_t>(Group);
	}
	if (Padding > 0)
	{
		// The last group holds one byte ("xx==") or two ("xxx="); "=" appears nowhere else.
		const std::size_t Index = FullEnd;
		const uint8_t C0 = DecodeChar(Text[Index]);
		const uint8_t C1 = DecodeChar(Text[Index + 1]);
		const uint8_t C2 = Padding == 1 ? DecodeChar(Text[Index + 2]) : 0;
		if ((C0 | C1 | C2) & 0xC0)
		{
			return std::nullopt;
		}
		const uint32_t Group = (uint32_t{C0} << 18) | (uint32_t{C1} << 12) | (uint32_t{C2} << 6);
		*Out++ = static_cast<uint8_t>(Group >> 16);
		if (Padding == 1)
		{
			*Out = static_cast<uint8_t>(Group >> 8);
		}
	}
	return Bytes;
}
