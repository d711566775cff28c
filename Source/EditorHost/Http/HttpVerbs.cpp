#include "Http/HttpVerbs.h"

#include <array>

namespace
{
	constexpr std::array AllVerbs = {
		EHttpServerRequestVerbs::VERB_GET,
		EHttpServerRequestVerbs::VERB_POST,
		EHttpServerRequestVerbs::VERB_PUT,
		EHttpServerRequestVerbs::VERB_DELETE,
		EHttpServerRequestVerbs::VERB_PATCH,
		EHttpServerRequestVerbs::VERB_OPTIONS,
		EHttpServerRequestVerbs::VERB_HEAD};
}

EHttpServerRequestVerbs ParseHttpVerb(std::string_view Method)
{
	// Methods are case-sensitive: "get" is not GET.
	for (const EHttpServerRequestVerbs Verb : AllVerbs)
	{
		if (LexToString(Verb) == Method)
		{
			return Verb;
		}
	}
	return EHttpServerRequestVerbs::VERB_NONE;
}

std::string FormatAllowedVerbs(EHttpServerRequestVerbs Verbs)
{
	std::string Allowed;
	for (const EHttpServerRequestVerbs Verb : AllVerbs)
	{
		if (EnumHasAnyFlags(Verbs, Verb))
		{
			if (!Allowed.empty())
			{
				Allowed += ", ";
			}
			Allowed += LexToString(Verb);
		}
	}
	return Allowed;
}
