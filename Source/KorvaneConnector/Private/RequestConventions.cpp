#include "RequestConventions.h"

#include "Core/JsonSerializer.h"
#include "Core/StringConv.h"
#include "Core/Text.h"

#include <array>

std::string ReadBodyText(const FHttpServerRequest& Request)
{
	const std::string_view Body = Request.Body;
	return Utf8ToText(Body.substr(0, Body.find('\0')));
}

std::shared_ptr<FJsonObject> ParseJsonBody(std::string_view BodyText)
{
	return FJsonSerializer::DeserializeObject(BodyText);
}

void SendJsonResponse(const FJsonObject& Object, const FHttpResultCallback& OnComplete)
{
	OnComplete(FHttpServerResponse::Create(FJsonSerializer::SerializeCondensed(Object), "application/json"));
}

bool IsValidAssetPath(std::string_view Path)
{
	if (Path.empty())
	{
		return false;
	}
	if (Path.find("..") != std::string_view::npos)
	{
		return false;
	}
	static constexpr std::array<std::string_view, 3> Roots = {"/Game/", "/Engine/", "/Script/"};
	for (const std::string_view Root : Roots)
	{
		if (Text::StartsWithIgnoreCase(Path, Root))
		{
			return true;
		}
	}
	return false;
}

std::shared_ptr<FJsonObject> MakeErrorResponse(std::string_view Message)
{
	auto Response = std::make_shared<FJsonObject>();
	Response->SetStringField("error", Message);
	return Response;
}

std::shared_ptr<FJsonObject> MakeFailureResponse(std::string_view Message)
{
	auto Response = std::make_shared<FJsonObject>();
	Response->SetBoolField("success", false);
	Response->SetStringField("error", Message);
	return Response;
}

std::string MissingFieldMessage(std::string_view FieldName)
{
	return "Missing '" + std::string(FieldName) + "' field";
}

FAssetPathRequest ReadAssetPathRequest(std::string_view BodyText)
{
	FAssetPathRequest Request;
	Request.Body = ParseJsonBody(BodyText);
	if (!Request.Body)
	{
		Request.Error = MakeErrorResponse(InvalidJsonBodyMessage);
		return Request;
	}
	const std::optional<std::string> Path = Request.Body->TryGetStringField("path");
	if (!Path)
	{
		Request.Error = MakeErrorResponse(MissingFieldMessage("path"));
		return Request;
	}
	if (!IsValidAssetPath(*Path))
	{
		Request.Error = MakeErrorResponse(InvalidAssetPathMessage);
		return Request;
	}
	Request.Path = *Path;
	return Request;
}
