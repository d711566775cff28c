#pragma once

#include "Http/HttpTypes.h"

#include <string>
#include <string_view>

/** Decodes one query key or value: %XX escapes and '+' as space; a malformed escape stays as written. */
std::string DecodeQueryComponent(std::string_view Text);

/**
 * Fills the request's RelativePath (the target up to '?', as sent) and QueryParams
 * (decoded; the first of repeated keys wins).
 */
void ParseRequestTarget(std::string_view Target, FHttpServerRequest& Request);
