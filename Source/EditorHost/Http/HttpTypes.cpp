#include "Http/HttpTypes.h"

std::string_view LexToString(EHttpServerRequestVerbs Verb)
{
	switch (Verb)
	{
	case EHttpServerRequestVerbs::VERB_GET: return "GET";
	case EHttpServerRequestVerbs::VERB_POST: return "POST";
	case EHttpServerRequestVerbs::VERB_PUT: return "PUT";
	case EHttpServerRequestVerbs::VERB_DELETE: return "DELETE";
	case EHttpServerRequestVerbs::VERB_PATCH: return "PATCH";
	case EHttpServerRequestVerbs::VERB_OPTIONS: return "OPTIONS";
	case EHttpServerRequestVerbs::VERB_HEAD: return "HEAD";
	case EHttpServerRequestVerbs::VERB_NONE: return "NONE";
	}
	return "UNKNOWN";
}

std::unique_ptr<FHttpServerResponse> FHttpServerResponse::Create(std::string_view Text, std::string_view ContentType)
{
	auto Response = std::make_unique<FHttpServerResponse>();
	Response->Headers.emplace("content-type", ContentType);
	Response->Body = Text;
	return Response;
}

std::unique_ptr<FHttpServerResponse> FHttpServerResponse::Error(EHttpServerResponseCodes Code)
{
	auto Response = std::make_unique<FHttpServerResponse>();
	Response->Code = Code;
	return Response;
}
