#include "Core/Guid.h"

#include <array>
#include <cstdio>
#include <random>
#include <utility>

namespace
{
	std::optional<uint32_t> HexDigitValue(char Character)
	{
		if (Character >= '0' && Character <= '9')
		{
			return static_cast<uint32_t>(Character - '0');
		}
		if (Character >= 'a' && Character <= 'f')
		{
			return static_cast<uint32_t>(Character - 'a' + 10);
		}
		if (Character >= 'A' && Character <= 'F')
		{
			return static_cast<uint32_t>(Character - 'A' + 10);
		}
		return std::nullopt;
	}

	/** The text without the hyphens of the 8-4-4-4-12 form, or empty when the text has neither form's shape. */
	std::optional<std::string> DigitsOf(std::string_view Text)
	{
		if (Text.size() == 32)
		{
			return std::string(Text);
		}
		if (Text.size() != 36 || Text[8] != '-' || Text[13] != '-' || Text[18] != '-' || Text[23] != '-')
		{
			return std::nullopt;
		}
		std::string Digits;
		Digits.reserve(32);
		constexpr std::array<std::pair<std::size_t, std::size_t>, 5> Groups = {{{0, 8}, {9, 4}, {14, 4}, {19, 4}, {24, 12}}};
		for (const auto& [Start, Length] : Groups)
		{
			Digits.append(Text.substr(Start, Length));
		}
		return Digits;
	}
}

FGuid FGuid::NewGuid()
{
	// Seeded once per thread from the system's random source; asking that source for every
	// GUID costs a device read each time.
	thread_local std::mt19937_64 Random(std::random_device{}() ^ (uint64_t(std::random_device{}()) << 32));
	const uint64_t High = Random();
	const uint64_t Low = Random();
	FGuid Guid{uint32_t(High >> 32), uint32_t(High), uint32_t(Low >> 32), uint32_t(Low)};
	// Version 4 in the third group's first digit, RFC 4122 variant in the fourth group's first digit.
	Guid.B = (Guid.B & 0xFFFF0FFFu) | 0x00004000u;
	Guid.C = (Guid.C & 0x3FFFFFFFu) | 0x80000000u;
	return Guid;
}

std::optional<FGuid> FGuid::Parse(std::string_view Text)
{
	const std::optional<std::string> Digits = DigitsOf(Text);
	if (!Digits)
	{
		return std::nullopt;
	}
	std::array<uint32_t, 4> Words{};
	for (std::size_t Index = 0; Index < 32; ++Index)
	{
		const std::optional<uint32_t> Value = HexDigitValue((*Digits)[Index]);
		if (!Value)
		{
			return std::nullopt;
		}
		Words[Index / 8] = (Words[Index / 8] << 4) | *Value;
	}
	return FGuid{Words[0], Words[1], Words[2], Words[3]};
}

std::string FGuid::ToString(EGuidFormats Format) const
{
	char Buffer[40];
	switch (Format)
	{
	case EGuidFormats::DigitsWithHyphens:
		std::snprintf(Buffer, sizeof(Buffer), "%08X-%04X-%04X-%04X-%04X%08X", A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
		break;
	case EGuidFormats::DigitsWithHyphensLower:
		std::snprintf(Buffer, sizeof(Buffer), "%08x-%04x-%04x-%04x-%04x%08x", A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
		break;
	case EGuidFormats::Digits:
	default:
		std::snprintf(Buffer, sizeof(Buffer), "%08X%08X%08X%08X", A, B, C, D);
		break;
	}
	return Buffer;
}
