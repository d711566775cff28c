#include "Core/JsonScalarWriter.h"

#include "Core/JsonNumberText.h"
#include "Core/JsonValue.h"

#include <array>
#include <cmath>

namespace
{
	/** For each byte: 0 when it is written as is, 'u' for the \u00XX form, otherwise the letter after the backslash. */
	constexpr std::array<char, 256> MakeEscapeTable()
	{
		std::array<char, 256> Table{};
		for (int Byte = 0; Byte < 0x20; ++Byte)
		{
			Table[Byte] = 'u';
		}
		Table['"'] = '"';
		Table['\\'] = '\\';
		Table['\b'] = 'b';
		Table['\t'] = 't';
		Table['\n'] = 'n';
		Table['\f'] = 'f';
		Table['\r'] = 'r';
		return Table;
	}
	constexpr std::array<char, 256> EscapeTable = MakeEscapeTable();

	/** Numbers as "%.17g"; NaN and the infinities have no JSON form and become null. */
	void AppendNumber(std::string& Out, double Number)
	{
		if (!std::isfinite(Number))
		{
			Out += "null";
			return;
		}
		AppendNumberText(Out, Number);
	}
}

void AppendJsonString(std::string& Out, std::string_view Text)
{
	constexpr std::string_view HexDigits = "0123456789abcdef";
	Out += '"';
	std::size_t RunStart = 0;
	for (std::size_t Position = 0; Position < Text.size(); ++Position)
	{
		const unsigned char Byte = static_cast<unsigned char>(Text[Position]);
		const char Escape = EscapeTable[Byte];
		if (Escape == 0)
		{
			continue;
		}
		Out.append(Text.data() + RunStart, Position - RunStart);
		RunStart = Position + 1;
		if (Escape == 'u')
		{
			const char Unicode[] = {'\\', 'u', '0', '0', HexDigits[Byte >> 4], HexDigits[Byte & 0xf]};
			Out.append(Unicode, sizeof(Unicode));
		}
		else
		{
			const char Short[] = {'\\', Escape};
			Out.append(Short, sizeof(Short));
		}
	}
	Out.append(Text.data() + RunStart, Text.size() - RunStart);
	Out += '"';
}

void AppendJsonScalar(std::string& Out, const FJsonValue& Value)
{
	switch (Value.Type())
	{
	case EJson::String:
		AppendJsonString(Out, *Value.TryGetString());
		return;
	case EJson::Number:
		AppendNumber(Out, *Value.TryGetNumber());
		return;
	case EJson::Boolean:
		Out += *Value.TryGetBool() ? "true" : "false";
		return;
	case EJson::Null:
	case EJson::Array:
	case EJson::Object:
		break;
	}
	Out += "null";
}
