#include "Http/HttpResponseWriter.h"

#include "Core/Text.h"

#include <charconv>

namespace
{
	bool IsFramingHeader(std::string_view Name)
	{
		return Text::EqualsIgnoreCase(Name, "content-length") || Text::EqualsIgnoreCase(Name, "transfer-encoding")
			|| Text::EqualsIgnoreCase(Name, "connection");
	}

	/** A line break in a name or value would let it forge headers or a second response. */
	bool CanWriteHeader(std::string_view Name, std::string_view Value)
	{
		constexpr std::string_view LineBreaks = "\r\n";
		return !Name.empty() && Name.find_first_of(LineBreaks) == std::string_view::npos
			&& Value.find_first_of(LineBreaks) == std::string_view::npos && !IsFramingHeader(Name);
	}

	/** "content-type" as "Content-Type". */
	void AppendHeaderName(std::string& Out, std::string_view Name)
	{
		bool bWordStart = true;
		for (const char Character : Name)
		{
			Out += bWordStart && Character >= 'a' && Character <= 'z' ? static_cast<char>(Character - 'a' + 'A') : Character;
			bWordStart = Character == '-';
		}
	}

	void AppendNumber(std::string& Out, std::size_t Number)
	{
		char Digits[24];
		const auto Result = std::to_chars(std::begin(Digits), std::end(Digits), Number);
		Out.append(Digits, Result.ptr);
	}
}

std::string_view GetReasonPhrase(EHttpServerResponseCodes Code)
{
	switch (Code)
	{
	case EHttpServerResponseCodes::Ok: return "OK";
	case EHttpServerResponseCodes::Accepted: return "Accepted";
	case EHttpServerResponseCodes::NoContent: return "No Content";
	case EHttpServerResponseCodes::BadRequest: return "Bad Request";
	case EHttpServerResponseCodes::Forbidden: return "Forbidden";
	case EHttpServerResponseCodes::NotFound: return "Not Found";
	case EHttpServerResponseCodes::BadMethod: return "Method Not Allowed";
	case EHttpServerResponseCodes::RequestTimeout: return "Request Timeout";
	case EHttpServerResponseCodes::PayloadTooLarge: return "Payload Too Large";
	case EHttpServerResponseCodes::ServerError: return "Internal Server Error";
	}
	return "Unknown";
}

void AppendHttpResponse(std::string& Out, const FHttpServerResponse& Response, const FHttpResponseFraming& Framing)
{
	const bool bNoContent = Response.Code == EHttpServerResponseCodes::NoContent;
	Out.reserve(Out.size() + 128 + Response.Body.size());
	Out += "HTTP/1.1 ";
	AppendNumber(Out, static_cast<std::size_t>(Response.Code));
	Out += ' ';
	Out += GetReasonPhrase(Response.Code);
	Out += "\r\n";
	for (const auto& [Name, Value] : Response.Headers)
	{
		if (CanWriteHeader(Name, Value))
		{
			AppendHeaderName(Out, Name);
			Out += ": ";
			Out += Value;
			Out += "\r\n";
		}
	}
	if (!bNoContent)
	{
		Out += "Content-Length: ";
		AppendNumber(Out, Response.Body.size());
		Out += "\r\n";
	}
	if (!Framing.bKeepAlive)
	{
		Out += "Connection: close\r\n";
	}
	else if (Framing.RequestVersion < 11)
	{
		Out += "Connection: keep-alive\r\n";
	}
	Out += "\r\n";
	if (!Framing.bHeadRequest && !bNoContent)
	{
		Out += Response.Body;
	}
}
