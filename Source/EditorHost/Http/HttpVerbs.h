#pragma once

#include "Http/HttpTypes.h"

#include <string>
#include <string_view>

/** The verb of a request line's method; VERB_NONE for a method the host does not serve. */
EHttpServerRequestVerbs ParseHttpVerb(std::string_view Method);

/** A verb set as an Allow header value, e.g. "GET, POST". */
std::string FormatAllowedVerbs(EHttpServerRequestVerbs Verbs);
