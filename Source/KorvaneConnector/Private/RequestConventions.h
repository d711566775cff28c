#pragma once

#include "Core/JsonObject.h"
#include "Http/HttpTypes.h"

#include <memory>
#include <string>
#include <string_view>

/** The request body as text: decoded as UTF-8 and cut at the first zero byte. */
std::string ReadBodyText(const FHttpServerRequest& Request);

/** The body as one JSON object, or nullptr when it is not one (answer "Invalid JSON body"). */
std::shared_ptr<FJsonObject> ParseJsonBody(std::string_view BodyText);

/** Prints the object condensed and completes the request with it as application/json, status 200. */
void SendJsonResponse(const FJsonObject& Object, const FHttpResultCallback& OnComplete);

/** True for a non-empty path without ".." under /Game/, /Engine/ or /Script/ (any letter case). */
bool IsValidAssetPath(std::string_view Path);

/** A read-style request naming one asset by `path`, as the detail routes take it. */
struct FAssetPathRequest
{
	/** The body object, when the body is one. */
	std::shared_ptr<FJsonObject> Body;
	std::string Path;
	/** The read-style answer when the request is not usable: "Invalid JSON body", "Missing 'path' field" or "Invalid asset path". */
	std::shared_ptr<FJsonObject> Error;
};

/** Parses the body, reads the string `path` and checks it, in that order. */
FAssetPathRequest ReadAssetPathRequest(std::string_view BodyText);

/** A read-style error answer: an object whose only key is `error`. */
std::shared_ptr<FJsonObject> MakeErrorResponse(std::string_view Message);
/** An action-style failure answer: `success` false, then `error`. */
std::shared_ptr<FJsonObject> MakeFailureResponse(std::string_view Message);
/** "Missing '<field>' field". */
std::string MissingFieldMessage(std::string_view FieldName);

inline constexpr std::string_view InvalidJsonBodyMessage = "Invalid JSON body";
inline constexpr std::string_view InvalidAssetPathMessage = "Invalid asset path";
