#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class FJsonObject;
class FJsonValue;

/**
 * Reading and writing JSON text.
 *
 * Reading is strict and validating: the text must be valid UTF-8 and hold exactly
 * one JSON value (surrounding whitespace allowed). Duplicate keys keep the last
 * value at the first key's position. The parser's limits also refuse nesting
 * deeper than 1024, integer literals beyond the 64-bit range, numbers beyond the
 * double range (1e400) and lone UTF-16 surrogate escapes.
 *
 * Writing follows the editor's two print policies:
 * - condensed: no whitespace at all;
 * - pretty: the editor's pretty writer (one member or element per line, one tab
 *   per nesting level, CR LF line ends, `"key": value`; a member that is an
 *   object opens its brace on the next line, an array opens on the key's line,
 *   and an empty array prints as `[]`).
 * Both escape the double quote and the backslash, write \b \t \n \f \r, every
 * other character below 0x20 as \u%04x, and everything else (the slash and
 * non-ASCII characters included) as it is. Numbers print with "%.17g"; a number
 * that is not finite has no JSON form and prints as null.
 */
class FJsonSerializer
{
public:
	/** One JSON value of any type, or empty when the text is not exactly one valid value. */
	static std::optional<FJsonValue> Deserialize(std::string_view Text);
	/** The object, or nullptr when the text is not exactly one JSON object. */
	static std::shared_ptr<FJsonObject> DeserializeObject(std::string_view Text);

	static std::string SerializeCondensed(const FJsonObject& Object);
	static std::string SerializePretty(const FJsonObject& Object);
	static void AppendCondensed(std::string& Out, const FJsonValue& Value);
	static void AppendPretty(std::string& Out, const FJsonObject& Object);
};
