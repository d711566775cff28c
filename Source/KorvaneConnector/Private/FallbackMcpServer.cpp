#include "FallbackMcpServer.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

namespace
{
	/** JSON-RPC's code for a request the server cannot carry out. */
	constexpr double InternalErrorCode = -32603;
}

std::string HandleMcpRequest(const std::string& Body, EHttpServerResponseCodes& OutStatus)
{
	// The agent tools are not served by this build yet: every request gets a
	// JSON-RPC error that says so, echoing the request's id when it has one.
	OutStatus = EHttpServerResponseCodes::Ok;
	const std::shared_ptr<FJsonObject> Request = FJsonSerializer::DeserializeObject(Body);
	const FJsonValue* Id = Request ? Request->TryGetField("id") : nullptr;

	auto Error = std::make_shared<FJsonObject>();
	Error->SetNumberField("code", InternalErrorCode);
	Error->SetStringField("message", "Not implemented: /korvane/mcp");

	FJsonObject Response;
	Response.SetStringField("jsonrpc", "2.0");
	Response.SetField("id", Id ? *Id : FJsonValue());
	Response.SetObjectField("error", Error);
	return FJsonSerializer::SerializePretty(Response);
}
