#include "Mcp/McpDispatcher.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Text.h"
#include "Mcp/ToolsetRegistry.h"
#include "Runtime/EngineVersion.h"

#include <algorithm>
#include <exception>
#include <memory>

namespace
{
	constexpr int ParseError = -32700;
	constexpr int InvalidRequest = -32600;
	constexpr int MethodNotFound = -32601;
	constexpr int InvalidParams = -32602;

	bool IsSupportedVersion(std::string_view Version)
	{
		return std::find(McpProtocolVersions.begin(), McpProtocolVersions.end(), Version) != McpProtocolVersions.end();
	}

	std::string SupportedVersionsText()
	{
		std::string Text;
		for (const std::string_view Version : McpProtocolVersions)
		{
			Text += (Text.empty() ? "" : ", ") + std::string(Version);
		}
		return Text;
	}

	FMcpHttpReply Respond(EHttpServerResponseCodes Code, const FJsonValue& Id, std::string_view Member, std::shared_ptr<FJsonObject> Content)
	{
		FJsonObject Envelope;
		Envelope.SetStringField("jsonrpc", "2.0");
		Envelope.SetField("id", Id);
		Envelope.SetObjectField(Member, std::move(Content));
		return {Code, FJsonSerializer::SerializeCondensed(Envelope)};
	}

	FMcpHttpReply RespondResult(const FJsonValue& Id, std::shared_ptr<FJsonObject> Result)
	{
		return Respond(EHttpServerResponseCodes::Ok, Id, "result", std::move(Result));
	}

	FMcpHttpReply RespondError(EHttpServerResponseCodes Code, const FJsonValue& Id, int ErrorCode, std::string_view Message)
	{
		auto Error = std::make_shared<FJsonObject>();
		Error->SetNumberField("code", ErrorCode);
		Error->SetStringField("message", Message);
		return Respond(Code, Id, "error", std::move(Error));
	}

	/** A malformed message: 400, as the transport refuses what is not one JSON-RPC message. */
	FMcpHttpReply RefuseMessage(const FJsonValue& Id, int ErrorCode, std::string_view Message)
	{
		return RespondError(EHttpServerResponseCodes::BadRequest, Id, ErrorCode, Message);
	}

	FMcpHttpReply RespondInvalidParams(const FJsonValue& Id, std::string_view Message)
	{
		return RespondError(EHttpServerResponseCodes::Ok, Id, InvalidParams, Message);
	}

	FMcpHttpReply Initialize(const FJsonValue& Id, const FJsonObject* Params)
	{
		const std::optional<std::string> Requested = Params != nullptr ? Params->TryGetStringField("protocolVersion") : std::nullopt;
		const std::string_view Version = Requested && IsSupportedVersion(*Requested) ? std::string_view(*Requested) : McpProtocolVersions.front();

		auto Tools = std::make_shared<FJsonObject>();
		Tools->SetBoolField("listChanged", false);
		auto Capabilities = std::make_shared<FJsonObject>();
		Capabilities->SetObjectField("tools", Tools);
		auto ServerInfo = std::make_shared<FJsonObject>();
		ServerInfo->SetStringField("name", "unreal-editor-mcp");
		ServerInfo->SetStringField("title", "Unreal Editor MCP");
		ServerInfo->SetStringField("version", FEngineVersion::Current().ToString());

		auto Result = std::make_shared<FJsonObject>();
		Result->SetStringField("protocolVersion", Version);
		Result->SetObjectField("capabilities", Capabilities);
		Result->SetObjectField("serverInfo", ServerInfo);
		return RespondResult(Id, Result);
	}

	FMcpHttpReply ListTools(const FJsonValue& Id, const FToolsetRegistry* Registry)
	{
		FJsonValueArray Tools;
		if (Registry != nullptr)
		{
			for (const FMcpTool* Tool : Registry->GetTools())
			{
				auto Entry = std::make_shared<FJsonObject>();
				Entry->SetStringField("name", Tool->Name);
				Entry->SetStringField("description", Tool->Description);
				Entry->SetObjectField("inputSchema", Tool->InputSchema);
				Tools.emplace_back(std::move(Entry));
			}
		}
		auto Result = std::make_shared<FJsonObject>();
		Result->SetArrayField("tools", std::move(Tools));
		return RespondResult(Id, Result);
	}

	FMcpHttpReply CallTool(const FJsonValue& Id, const FJsonObject* Params, FToolsetRegistry* Registry)
	{
		const std::optional<std::string> Name = Params != nullptr ? Params->TryGetStringField("name") : std::nullopt;
		if (!Name)
		{
			return RespondInvalidParams(Id, "Invalid params: tools/call needs params.name (a string)");
		}
		const FJsonValue* ArgumentsField = Params->TryGetField("arguments");
		const std::shared_ptr<FJsonObject> Arguments = ArgumentsField != nullptr ? ArgumentsField->TryGetObject() : std::make_shared<FJsonObject>();
		if (!Arguments)
		{
			return RespondInvalidParams(Id, "Invalid params: params.arguments must be an object");
		}
		const FMcpTool* Tool = Registry != nullptr ? Registry->FindTool(*Name) : nullptr;
		if (Tool == nullptr)
		{
			return RespondInvalidParams(Id, "Unknown tool: " + *Name);
		}

		// A copy: the tool may withdraw its own toolset while it runs.
		const auto Call = Tool->Call;
		FMcpToolResult Outcome;
		try
		{
			Outcome = Call(*Arguments);
		}
		catch (const std::exception& Error)
		{
			Outcome = {Error.what(), true};
		}
		catch (...)
		{
			Outcome = {"tool '" + *Name + "' failed", true};
		}
		if (!Text::IsValidUtf8(Outcome.Text))
		{
			Outcome = {"tool '" + *Name + "' returned text that is not valid UTF-8", true};
		}

		auto Content = std::make_shared<FJsonObject>();
		Content->SetStringField("type", "text");
		Content->SetStringField("text", Outcome.Text);
		auto Result = std::make_shared<FJsonObject>();
		Result->SetArrayField("content", FJsonValueArray{FJsonValue(Content)});
		Result->SetBoolField("isError", Outcome.bIsError);
		return RespondResult(Id, Result);
	}

	FMcpHttpReply DispatchMessage(const FJsonObject& Message, FToolsetRegistry* Registry)
	{
		const FJsonValue* IdField = Message.TryGetField("id");
		const bool bValidId = IdField != nullptr && (IdField->Type() == EJson::String || IdField->Type() == EJson::Number);
		const FJsonValue Id = bValidId ? *IdField : FJsonValue();
		if (Message.TryGetStringField("jsonrpc") != std::optional<std::string>("2.0"))
		{
			return RefuseMessage(Id, InvalidRequest, "Invalid Request: jsonrpc must be \"2.0\"");
		}
		const FJsonValue* MethodField = Message.TryGetField("method");
		if (MethodField == nullptr)
		{
			// A response to a request of the server's: the server sends none, so there is nothing to match it with.
			if (bValidId && (Message.HasField("result") || Message.HasField("error")))
			{
				return {EHttpServerResponseCodes::Accepted, std::string()};
			}
			return RefuseMessage(Id, InvalidRequest, "Invalid Request: missing method");
		}
		const std::string* Method = MethodField->TryGetString();
		if (Method == nullptr)
		{
			return RefuseMessage(Id, InvalidRequest, "Invalid Request: method must be a string");
		}
		if (IdField == nullptr)
		{
			// A notification: nothing to answer, and none asks the server for work.
			return {EHttpServerResponseCodes::Accepted, std::string()};
		}
		if (!bValidId)
		{
			return RefuseMessage(Id, InvalidRequest, "Invalid Request: id must be a string or a number");
		}

		const FJsonValue* ParamsField = Message.TryGetField("params");
		const std::shared_ptr<FJsonObject> Params = ParamsField != nullptr ? ParamsField->TryGetObject() : nullptr;
		if (ParamsField != nullptr && !Params)
		{
			return RespondInvalidParams(Id, "Invalid params: params must be an object");
		}
		if (*Method == "initialize")
		{
			return Initialize(Id, Params.get());
		}
		if (*Method == "ping")
		{
			return RespondResult(Id, std::make_shared<FJsonObject>());
		}
		if (*Method == "tools/list")
		{
			return ListTools(Id, Registry);
		}
		if (*Method == "tools/call")
		{
			return CallTool(Id, Params.get(), Registry);
		}
		return RespondError(EHttpServerResponseCodes::Ok, Id, MethodNotFound, "Method not found: " + *Method);
	}
}

FMcpHttpReply DispatchMcpPost(std::string_view Body, std::optional<std::string_view> ProtocolVersionHeader, FToolsetRegistry* Registry)
{
	if (ProtocolVersionHeader && !IsSupportedVersion(*ProtocolVersionHeader))
	{
		const std::string Named = Text::IsValidUtf8(*ProtocolVersionHeader) ? " '" + std::string(*ProtocolVersionHeader) + "'" : std::string();
		return RefuseMessage(FJsonValue(), InvalidRequest,
			"Bad Request: unsupported MCP-Protocol-Version" + Named + " (supported: " + SupportedVersionsText() + ")");
	}
	const std::optional<FJsonValue> Parsed = FJsonSerializer::Deserialize(Body);
	if (!Parsed)
	{
		return RefuseMessage(FJsonValue(), ParseError, "Parse error: the body is not valid JSON");
	}
	if (Parsed->Type() == EJson::Array)
	{
		return RefuseMessage(FJsonValue(), InvalidRequest, "Invalid Request: batches are not supported; send one JSON-RPC message per POST");
	}
	const std::shared_ptr<FJsonObject> Message = Parsed->TryGetObject();
	if (!Message)
	{
		return RefuseMessage(FJsonValue(), InvalidRequest, "Invalid Request: the body is not a JSON-RPC message object");
	}
	return DispatchMessage(*Message, Registry);
}
