#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class EGuidFormats
{
	/** 32 upper-case hexadecimal digits: 00000000000000000000000000000000. */
	Digits,
	/** 8-4-4-4-12 upper-case digits with hyphens. */
	DigitsWithHyphens,
	/** Like DigitsWithHyphens, in lower case. */
	DigitsWithHyphensLower
};

/** A 128-bit globally unique identifier, as four 32-bit words. */
struct FGuid
{
	uint32_t A = 0, B = 0, C = 0, D = 0;

	/** A new random (version 4) identifier, from a per-thread generator seeded by the system's random source. */
	static FGuid NewGuid();
	/** Parses the 32-digit or the 8-4-4-4-12 form, any letter case. */
	static std::optional<FGuid> Parse(std::string_view Text);

	bool IsValid() const { return (A | B | C | D) != 0; }
	std::string ToString(EGuidFormats Format = EGuidFormats::Digits) const;
	friend bool operator==(const FGuid&, const FGuid&) = default;
};
