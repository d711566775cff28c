#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/** Standard Base64 (RFC 4648 alphabet with = padding). */
class FBase64
{
public:
	static std::string Encode(std::span<const uint8_t> Bytes);
	static std::string Encode(std::string_view Bytes);
	/** Refuses characters outside the alphabet, bad padding and lengths that are not a multiple of 4. */
	static std::optional<std::vector<uint8_t>> Decode(std::string_view Text);
};
