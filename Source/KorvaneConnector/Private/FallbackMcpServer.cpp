#include "FallbackMcpServer.h"

#include "FallbackMcpTools.h"
#include "KorvaneMcpBridge.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Text.h"

#include <array>

namespace
{
	constexpr double ParseErrorCode = -32700;
	constexpr double InvalidRequestCode = -32600;
	constexpr double MethodNotFoundCode = -32601;
	constexpr double InvalidParamsCode = -32602;

	/** The protocol revisions the server speaks, newest first. */
	constexpr std::array<std::string_view, 3> OfferedProtocolVersions = {"2025-06-18", "2025-03-26", "2024-11-05"};

	/** Where the desktop app serves its own, richer MCP endpoint when it runs in dev mode. */
	constexpr std::string_view DesktopAppMcpAddress = "http://127.0.0.1:30303/mcp";

	std::string ResponseText(const FJsonValue& Id, std::string_view Member, std::shared_ptr<FJsonObject> Value)
	{
		FJsonObject Response;
		Response.SetStringField("jsonrpc", "2.0");
		Response.SetField("id", Id);
		Response.SetObjectField(Member, std::move(Value));
		return FJsonSerializer::SerializePretty(Response);
	}

	std::string ResultResponse(const FJsonValue& Id, std::shared_ptr<FJsonObject> Result)
	{
		return ResponseText(Id, "result", std::move(Result));
	}

	std::string ErrorResponse(const FJsonValue& Id, double Code, std::string Message)
	{
		auto Error = std::make_shared<FJsonObject>();
		Error->SetNumberField("code", Code);
		Error->SetStringField("message", std::move(Message));
		return ResponseText(Id, "error", std::move(Error));
	}

	std::shared_ptr<FJsonObject> InitializeResult(const FJsonObject* Params)
	{
		std::string ProtocolVersion(OfferedProtocolVersions.front());
		if (Params != nullptr)
		{
			if (const std::optional<std::string> Requested = Params->TryGetStringField("protocolVersion"))
			{
				for (const std::string_view Offered : OfferedProtocolVersions)
				{
					if (Text::EqualsIgnoreCase(*Requested, Offered))
					{
						ProtocolVersion = *Requested;
						break;
					}
				}
			}
		}

		auto Capabilities = std::make_shared<FJsonObject>();
		Capabilities->SetObjectField("tools", std::make_shared<FJsonObject>());
		auto ServerInfo = std::make_shared<FJsonObject>();
		ServerInfo->SetStringField("name", "korvane-connector");
		ServerInfo->SetStringField("title", "Korvane Connector");
		ServerInfo->SetStringField("version", "1.0.0");

		auto Result = std::make_shared<FJsonObject>();
		Result->SetStringField("protocolVersion", ProtocolVersion);
		Result->SetObjectField("capabilities", std::move(Capabilities));
		Result->SetObjectField("serverInfo", std::move(ServerInfo));
		Result->SetStringField("instructions",
			"Korvane Connector (in-editor fallback MCP server, engines without Unreal's built-in MCP). Tools: send_to_korvane / send_material_to_korvane queue an "
			"asset for pickup by the Korvane desktop app (the app polls and imports within seconds if running); compile_blueprint compiles and reports "
			"errors/warnings - use it to VERIFY blueprints after deploy or edit; check_assets_exist verifies asset references without loading; "
			"get_korvane_status reports the connector state. The Korvane app itself serves a much richer MCP (design, build, validate, deploy) at " +
				std::string(DesktopAppMcpAddress) +
				" when running in dev mode - prefer it for graph work and use this server to pull assets out of Unreal and verify results in-engine.");
		return Result;
	}

	/** The tool result: one text content item holding the bridge operation's JSON text. */
	std::shared_ptr<FJsonObject> ToolResult(std::string Text)
	{
		auto Item = std::make_shared<FJsonObject>();
		Item->SetStringField("type", "text");
		Item->SetStringField("text", std::move(Text));
		FJsonValueArray Content;
		Content.emplace_back(std::move(Item));
		auto Result = std::make_shared<FJsonObject>();
		Result->SetArrayField("content", std::move(Content));
		return Result;
	}

	/** A string member of the arguments, empty when the arguments or the member are missing or not text. */
	std::string StringArgument(const FJsonObject* Arguments, std::string_view Key)
	{
		return Arguments != nullptr ? Arguments->TryGetStringField(Key).value_or(std::string()) : std::string();
	}

	std::string CallTool(const FJsonValue& Id, const FJsonObject* Params)
	{
		const std::optional<std::string> Name = Params != nullptr ? Params->TryGetStringField("name") : std::nullopt;
		if (!Name)
		{
			return ErrorResponse(Id, InvalidParamsCode, "tools/call requires params.name");
		}
		const std::shared_ptr<FJsonObject> Arguments = Params->TryGetObjectField("arguments");

		if (Text::EqualsIgnoreCase(*Name, "send_to_korvane"))
		{
			return ResultResponse(Id, ToolResult(UKorvaneMcpBridge::SendBlueprintToKorvane(StringArgument(Arguments.get(), "blueprint_path"))));
		}
		if (Text::EqualsIgnoreCase(*Name, "send_material_to_korvane"))
		{
			const bool bBundleTextures = Arguments != nullptr && Arguments->TryGetBoolField("bundle_textures").value_or(false);
			return ResultResponse(Id, ToolResult(UKorvaneMcpBridge::SendMaterialToKorvane(StringArgument(Arguments.get(), "material_path"), bBundleTextures)));
		}
		if (Text::EqualsIgnoreCase(*Name, "compile_blueprint"))
		{
			const std::optional<std::string> BlueprintPath = Arguments != nullptr ? Arguments->TryGetStringField("blueprint_path") : std::nullopt;
			if (!BlueprintPath)
			{
				return ErrorResponse(Id, InvalidParamsCode, "compile_blueprint requires arguments.blueprint_path");
			}
			return ResultResponse(Id, ToolResult(UKorvaneMcpBridge::CompileBlueprintAndReport(*BlueprintPath)));
		}
		if (Text::EqualsIgnoreCase(*Name, "check_assets_exist"))
		{
			const std::shared_ptr<FJsonValueArray> Elements = Arguments != nullptr ? Arguments->TryGetArrayField("asset_paths") : nullptr;
			if (Elements == nullptr)
			{
				return ErrorResponse(Id, InvalidParamsCode, "check_assets_exist requires arguments.asset_paths (string array)");
			}
			std::vector<std::string> AssetPaths;
			for (const FJsonValue& Element : *Elements)
			{
				if (const std::string* const Path = Element.TryGetString())
				{
					AssetPaths.push_back(*Path);
				}
			}
			return ResultResponse(Id, ToolResult(UKorvaneMcpBridge::CheckAssetsExist(AssetPaths)));
		}
		if (Text::EqualsIgnoreCase(*Name, "get_korvane_status"))
		{
			return ResultResponse(Id, ToolResult(UKorvaneMcpBridge::GetStatusJson()));
		}
		return ErrorResponse(Id, InvalidParamsCode, "Unknown tool '" + *Name + "'");
	}
}

std::string HandleMcpRequest(const std::string& Body, EHttpServerResponseCodes& OutStatus)
{
	OutStatus = EHttpServerResponseCodes::Ok;
	const std::shared_ptr<FJsonObject> Request = FJsonSerializer::DeserializeObject(Body);
	if (Request == nullptr)
	{
		return ErrorResponse(FJsonValue(), ParseErrorCode, "Parse error: request body is not valid JSON");
	}
	const FJsonValue* const IdField = Request->TryGetField("id");
	const FJsonValue Id = IdField != nullptr ? *IdField : FJsonValue();

	const std::optional<std::string> Method = Request->TryGetStringField("method");
	if (!Method)
	{
		return ErrorResponse(Id, InvalidRequestCode, "Invalid request: missing method");
	}
	if (Text::StartsWithIgnoreCase(*Method, "notifications/"))
	{
		OutStatus = EHttpServerResponseCodes::Accepted;
		return {};
	}
	const std::shared_ptr<FJsonObject> Params = Request->TryGetObjectField("params");

	if (Text::EqualsIgnoreCase(*Method, "initialize"))
	{
		return ResultResponse(Id, InitializeResult(Params.get()));
	}
	if (Text::EqualsIgnoreCase(*Method, "ping"))
	{
		return ResultResponse(Id, std::make_shared<FJsonObject>());
	}
	if (Text::EqualsIgnoreCase(*Method, "tools/list"))
	{
		auto Result = std::make_shared<FJsonObject>();
		Result->SetArrayField("tools", GetFallbackMcpToolList());
		return ResultResponse(Id, std::move(Result));
	}
	if (Text::EqualsIgnoreCase(*Method, "tools/call"))
	{
		return CallTool(Id, Params.get());
	}
	return ErrorResponse(Id, MethodNotFoundCode, "Method not found: " + *Method);
}
