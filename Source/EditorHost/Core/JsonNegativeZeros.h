#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

/**
 * simdjson reads both "0" and "-0" as the integer 0, losing the sign that the
 * editor keeps. Given text that simdjson has already accepted, this counts those
 * two tokens in document order (strings skipped) and returns the positions, in
 * that count, of the "-0" ones. Text without "-0" anywhere is not scanned.
 */
std::vector<std::size_t> FindNegativeZeros(std::string_view Text);
