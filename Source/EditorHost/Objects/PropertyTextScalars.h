#pragma once

#include "Objects/PropertyTextType.h"

#include <optional>
#include <string>
#include <string_view>

/**
 * Single values (not structures or arrays) in the form the editor writes inside a structure:
 * booleans `True`/`False`, floats with six decimals (`0.500000`), whole numbers, enumerator
 * names without their scope (`HAlign_Left`), names and strings quoted with the editor's escapes,
 * texts as NSLOCTEXT(...), INVTEXT(...), LOCTABLE(...) or a quoted string, references as written
 * (`None` when empty). Other kinds are kept as written.
 */

/** Text read as a value of Type, in the form above; nothing when it is no such value. */
std::optional<std::string> ImportScalarText(const FPropertyTextType& Type, std::string_view Text);

/** The value of Type that a type's default-constructed value exports: False, 0, 0.000000, the first enumerator, "", None. */
std::string DefaultScalarText(const FPropertyTextType& Type);

/**
 * Whether two values of Type are the same value, whatever their spelling: numbers by value
 * (floats at float precision), names and references ignoring case, texts by their key and
 * source (or source alone for texts that are not localised), empty texts always alike.
 */
bool AreScalarTextsIdentical(const FPropertyTextType& Type, std::string_view A, std::string_view B);

/** A name or string as the editor writes it outside a structure: its content without quotes. Other values are unchanged. */
std::string UndelimitScalarText(const FPropertyTextType& Type, std::string_view CanonicalText);
