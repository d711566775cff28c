#include "PythonLiteral.h"

#include <algorithm>
#include <cstdio>

namespace
{
	bool FitsRawLiteral(std::string_view Text)
	{
		// A raw literal cannot hold its quote or a control character, and cannot end in a backslash.
		const bool bHasUnsafeCharacter = std::any_of(Text.begin(), Text.end(), [](char Character) {
			return Character == '\'' || static_cast<unsigned char>(Character) < 0x20;
		});
		return !bHasUnsafeCharacter && (Text.empty() || Text.back() != '\\');
	}
}

std::string PythonStringLiteral(std::string_view Text)
{
	if (FitsRawLiteral(Text))
	{
		return "r'" + std::string(Text) + "'";
	}

	std::string Literal = "'";
	for (const char Character : Text)
	{
		switch (Character)
		{
		case '\\': Literal += "\\\\"; break;
		case '\'': Literal += "\\'"; break;
		case '\n': Literal += "\\n"; break;
		case '\r': Literal += "\\r"; break;
		default:
			if (static_cast<unsigned char>(Character) < 0x20)
			{
				char Escape[5];
				std::snprintf(Escape, sizeof(Escape), "\\x%02x", static_cast<unsigned char>(Character));
				Literal += Escape;
			}
			else
			{
				Literal += Character;
			}
		}
	}
	Literal += "'";
	return Literal;
}
