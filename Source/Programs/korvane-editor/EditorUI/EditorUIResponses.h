#pragma once

#include "Http/HttpTypes.h"

#include <memory>
#include <string_view>

class FJsonObject;

/**
 * Answers of the editor's UI port. None is cached (the page always shows the editor as it is
 * now), none is sniffed into another type, and the page may load nothing from elsewhere.
 */
namespace EditorUIResponses
{
	std::unique_ptr<FHttpServerResponse> Content(std::string_view Body, std::string_view ContentType);
	std::unique_ptr<FHttpServerResponse> Json(std::string_view Body);
	std::unique_ptr<FHttpServerResponse> Json(const FJsonObject& Object);
	/** A JSON answer {"success":false,"error":Message} with the code. */
	std::unique_ptr<FHttpServerResponse> Failure(EHttpServerResponseCodes Code, std::string_view Message);
}
