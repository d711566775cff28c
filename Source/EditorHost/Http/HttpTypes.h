#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

/** Request verbs as a bit set, as the engine's HTTP server encodes them. */
enum class EHttpServerRequestVerbs : uint16_t
{
	VERB_NONE = 0,
	VERB_GET = 1 << 0,
	VERB_POST = 1 << 1,
	VERB_PUT = 1 << 2,
	VERB_DELETE = 1 << 3,
	VERB_PATCH = 1 << 4,
	VERB_OPTIONS = 1 << 5,
	VERB_HEAD = 1 << 6
};

constexpr EHttpServerRequestVerbs operator|(EHttpServerRequestVerbs A, EHttpServerRequestVerbs B)
{
	return static_cast<EHttpServerRequestVerbs>(static_cast<uint16_t>(A) | static_cast<uint16_t>(B));
}

/** True when the two verb sets share a verb. */
constexpr bool EnumHasAnyFlags(EHttpServerRequestVerbs Set, EHttpServerRequestVerbs Verbs)
{
	return (static_cast<uint16_t>(Set) & static_cast<uint16_t>(Verbs)) != 0;
}

/** The name of one verb ("GET"); "NONE" for the empty set, "UNKNOWN" for a combination. */
std::string_view LexToString(EHttpServerRequestVerbs Verb);

enum class EHttpServerResponseCodes : uint16_t
{
	Ok = 200,
	Accepted = 202,
	NoContent = 204,
	BadRequest = 400,
	Forbidden = 403,
	NotFound = 404,
	BadMethod = 405,
	RequestTimeout = 408,
	PayloadTooLarge = 413,
	ServerError = 500
};

/** A route path: matched exactly and case-sensitively, never with the query string. */
class FHttpPath
{
public:
	FHttpPath(std::string InPath) : Path(std::move(InPath)) {}
	FHttpPath(const char* InPath) : Path(InPath) {}
	const std::string& GetPath() const { return Path; }

private:
	std::string Path;
};

/** Header names are stored in lower case. */
using FHttpHeaderMap = std::map<std::string, std::string, std::less<>>;

struct FHttpServerRequest
{
	EHttpServerRequestVerbs Verb = EHttpServerRequestVerbs::VERB_NONE;
	/** The path without query string, e.g. /korvane/status. */
	std::string RelativePath;
	/** Query parameters in the order of the URL; keys and values percent-decoded. */
	std::map<std::string, std::string, std::less<>> QueryParams;
	FHttpHeaderMap Headers;
	/** The body bytes as received. */
	std::string Body;
};

struct FHttpServerResponse
{
	EHttpServerResponseCodes Code = EHttpServerResponseCodes::Ok;
	FHttpHeaderMap Headers;
	std::string Body;

	/** A 200 response with the text as body and the given content type. */
	static std::unique_ptr<FHttpServerResponse> Create(std::string_view Text, std::string_view ContentType);
	/** A response with the code and an empty body. */
	static std::unique_ptr<FHttpServerResponse> Error(EHttpServerResponseCodes Code);
};

/** Called once with the response. */
using FHttpResultCallback = std::function<void(std::unique_ptr<FHttpServerResponse>)>;
/** Returns true when it handled the request (and called, or will call, OnComplete). */
using FHttpRequestHandler = std::function<bool(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)>;
