#include "Core/JsonNumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace
{
	/** Every integer of smaller magnitude is exact in a double and has at most 16 digits, so "%.17g" prints it without exponent. */
	constexpr double ExactIntegerLimit = 0x1p53;
	/** 2^63: the first double beyond the int64 range (exact, unlike INT64_MAX). */
	constexpr double Int64Limit = 0x1p63;

	void AppendInteger(std::string& Out, int64_t Integer)
	{
		char Buffer[24];
		const std::to_chars_result Result = std::to_chars(Buffer, Buffer + sizeof(Buffer), Integer);
		Out.append(Buffer, Result.ptr);
	}

	bool IsIntegral(double Number)
	{
		return std::trunc(Number) == Number;
	}
}

void AppendNumberText(std::string& Out, double Number)
{
	if (Number == 0.0)
	{
		Out += std::signbit(Number) ? "-0" : "0";
		return;
	}
	if (std::fabs(Number) < ExactIntegerLimit && IsIntegral(Number))
	{
		AppendInteger(Out, static_cast<int64_t>(Number));
		return;
	}
	// 17 significant digits with sign and exponent ("-1.2345678901234567e-308") fit easily.
	char Buffer[40];
	const std::to_chars_result Result = std::to_chars(Buffer, Buffer + sizeof(Buffer), Number, std::chars_format::general, 17);
	Out.append(Buffer, Result.ptr);
}

void AppendNumberAsIntegerWherePossible(std::string& Out, double Number)
{
	if (IsIntegral(Number) && Number >= -Int64Limit && Number < Int64Limit)
	{
		AppendInteger(Out, static_cast<int64_t>(Number));
		return;
	}
	AppendNumberText(Out, Number);
}
