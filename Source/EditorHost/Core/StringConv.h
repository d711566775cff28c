#pragma once

#include <string>
#include <string_view>

/**
 * Decodes bytes as UTF-8 the way the editor converts them to its text: every
 * well-formed character is kept, and every byte that does not start one (a stray
 * continuation byte, an overlong form, a surrogate, a value past U+10FFFF, a
 * cut-off sequence) becomes '?'. The result is always valid UTF-8.
 */
std::string Utf8ToText(std::string_view Bytes);
