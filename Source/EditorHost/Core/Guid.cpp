#include "Core/Guid.h"

#include <algorithm>
#include <array>
#include <random>
#include <utility>

namespace
{
	/** Each byte's value as a hexadecimal digit; 0xFF for a byte that is none. */
	constexpr std::array<uint8_t, 256> HexDigitValues = [] {
		std::array<uint8_t, 256> Values{};
		Values.fill(0xFF);
		for (int Digit = 0; Digit < 10; ++Digit)
		{
			Values[static_cast<std::size_t>('0' + Digit)] = static_cast<uint8_t>(Digit);
		}
		for (int Digit = 0; Digit < 6; ++Digit)
		{
			Values[static_cast<std::size_t>('a' + Digit)] = static_cast<uint8_t>(10 + Digit);
			Values[static_cast<std::size_t>('A' + Digit)] = static_cast<uint8_t>(10 + Digit);
		}
		return Values;
	}();

	using FGuidDigits = std::array<char, 32>;

	/** Where each group of the 8-4-4-4-12 form starts in the text, and how many digits it has. */
	constexpr std::array<std::pair<std::size_t, std::size_t>, 5> HyphenatedGroups = {{{0, 8}, {9, 4}, {14, 4}, {19, 4}, {24, 12}}};

	/** The text without the hyphens of the 8-4-4-4-12 form, or empty when the text has neither form's shape. */
	std::optional<FGuidDigits> DigitsOf(std::string_view Text)
	{
		FGuidDigits Digits{};
		if (Text.size() == Digits.size())
		{
			std::copy(Text.begin(), Text.end(), Digits.begin());
			return Digits;
		}
		if (Text.size() != 36 || Text[8] != '-' || Text[13] != '-' || Text[18] != '-' || Text[23] != '-')
		{
			return std::nullopt;
		}
		auto Out = Digits.begin();
		for (const auto& [Start, Length] : HyphenatedGroups)
		{
			const std::string_view Group = Text.substr(Start, Length);
			Out = std::copy(Group.begin(), Group.end(), Out);
		}
		return Digits;
	}

	/** The four words as 32 hexadecimal digits, most significant first, drawn from Alphabet. */
	FGuidDigits FormatDigits(const FGuid& Guid, std::string_view Alphabet)
	{
		FGuidDigits Digits{};
		const std::array<uint32_t, 4> Words = {Guid.A, Guid.B, Guid.C, Guid.D};
		for (std::size_t Index = 0; Index < Digits.size(); ++Index)
		{
			const unsigned Shift = 28 - 4 * static_cast<unsigned>(Index % 8);
			Digits[Index] = Alphabet[(Words[Index / 8] >> Shift) & 0xF];
		}
		return Digits;
	}

	/** The digits in the 8-4-4-4-12 form. */
	std::string Hyphenate(const FGuidDigits& Digits)
	{
		std::string Text(36, '-');
		std::size_t Next = 0;
		for (const auto& [Start, Length] : HyphenatedGroups)
		{
			std::copy_n(Digits.begin() + static_cast<std::ptrdiff_t>(Next), Length, Text.begin() + static_cast<std::ptrdiff_t>(Start));
			Next += Length;
		}
		return Text;
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
	const std::optional<FGuidDigits> Digits = DigitsOf(Text);
	if (!Digits)
	{
		return std::nullopt;
	}
	// Pin and node ids are parsed by the ten thousand when a graph is pasted: the digits are
	// read without a branch per digit, and any byte that is no digit spoils the whole id.
	std::array<uint32_t, 4> Words{};
	uint32_t Invalid = 0;
	for (std::size_t Index = 0; Index < 32; ++Index)
	{
		const uint32_t Value = HexDigitValues[static_cast<unsigned char>((*Digits)[Index])];
		Invalid |= Value & 0xF0;
		Words[Index / 8] = (Words[Index / 8] << 4) | (Value & 0xF);
	}
	if (Invalid != 0)
	{
		return std::nullopt;
	}
	return FGuid{Words[0], Words[1], Words[2], Words[3]};
}

std::string FGuid::ToString(EGuidFormats Format) const
{
	constexpr std::string_view UpperCase = "0123456789ABCDEF";
	switch (Format)
	{
	case EGuidFormats::DigitsWithHyphens:
		return Hyphenate(FormatDigits(*this, UpperCase));
	case EGuidFormats::DigitsWithHyphensLower:
		return Hyphenate(FormatDigits(*this, "0123456789abcdef"));
	case EGuidFormats::Digits:
	default:
	{
		const FGuidDigits Digits = FormatDigits(*this, UpperCase);
		return std::string(Digits.begin(), Digits.end());
	}
	}
}
