#pragma once

#include "Http/HttpTypes.h"

#include <string>
#include <string_view>

/** How a response goes on the wire for the request it answers. */
struct FHttpResponseFraming
{
	/** HEAD answers carry the body's length but not the body. */
	bool bHeadRequest = false;
	bool bKeepAlive = true;
	/** 10 for an HTTP/1.0 request, which needs keep-alive spelt out. */
	int RequestVersion = 11;
};

std::string_view GetReasonPhrase(EHttpServerResponseCodes Code);

/**
 * Appends the response as HTTP/1.1 bytes: status line, the response's headers with
 * their names capitalised, Content-Length (none for 204), Connection when needed,
 * then the body. The host owns framing headers, so the response's own
 * Content-Length, Transfer-Encoding and Connection are left out, as is any header
 * with a line break in its name or value.
 */
void AppendHttpResponse(std::string& Out, const FHttpServerResponse& Response, const FHttpResponseFraming& Framing);
