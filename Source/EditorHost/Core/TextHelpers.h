#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

/** Text helpers with the editor's ASCII case-insensitive comparisons. */
namespace Text
{
	/** Compares ASCII letters without regard to case (FCString::Stricmp); <0, 0 or >0. */
	int Stricmp(std::string_view A, std::string_view B);
	bool EqualsIgnoreCase(std::string_view A, std::string_view B);
	bool StartsWithIgnoreCase(std::string_view Text, std::string_view Prefix);
	bool EndsWithIgnoreCase(std::string_view Text, std::string_view Suffix);
	/** Byte offset of the first match, ignoring ASCII case. */
	std::optional<std::size_t> FindIgnoreCase(std::string_view Text, std::string_view Needle);
	/** Text without the ASCII white space at either end. */
	std::string_view TrimWhitespace(std::string_view Text);

	/** The length of UTF-8 text in UTF-16 code units (4-byte sequences count 2). */
	std::size_t Utf16Length(std::string_view Utf8);
	/** Whether the bytes are well-formed UTF-8. */
	bool IsValidUtf8(std::string_view Bytes);
}
