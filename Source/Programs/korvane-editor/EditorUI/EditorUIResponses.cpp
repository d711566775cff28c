#include "EditorUI/EditorUIResponses.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

namespace EditorUIResponses
{
	std::unique_ptr<FHttpServerResponse> Content(std::string_view Body, std::string_view ContentType)
	{
		std::unique_ptr<FHttpServerResponse> Response = FHttpServerResponse::Create(Body, ContentType);
		Response->Headers.emplace("cache-control", "no-store");
		Response->Headers.emplace("x-content-type-options", "nosniff");
		Response->Headers.emplace("content-security-policy", "default-src 'self'; img-src 'self' data:; frame-ancestors 'none'");
		return Response;
	}

	std::unique_ptr<FHttpServerResponse> Json(std::string_view Body)
	{
		return Content(Body, "application/json");
	}

	std::unique_ptr<FHttpServerResponse> Json(const FJsonObject& Object)
	{
		return Json(FJsonSerializer::SerializeCondensed(Object));
	}

	std::unique_ptr<FHttpServerResponse> Failure(EHttpServerResponseCodes Code, std::string_view Message)
	{
		FJsonObject Object;
		Object.SetBoolField("success", false);
		Object.SetStringField("error", Message);
		std::unique_ptr<FHttpServerResponse> Response = Json(Object);
		Response->Code = Code;
		return Response;
	}
}
