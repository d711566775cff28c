#pragma once

#include "Http/HttpTypes.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class FToolsetRegistry;

/** The MCP protocol revisions the editor's server speaks, newest first. */
inline constexpr std::array<std::string_view, 3> McpProtocolVersions = {"2025-06-18", "2025-03-26", "2024-11-05"};

/** The answer to one POST of the MCP endpoint. */
struct FMcpHttpReply
{
	EHttpServerResponseCodes Code = EHttpServerResponseCodes::Ok;
	/** One JSON-RPC response as JSON text; empty for an accepted notification or client response (202). */
	std::string Body;
};

/**
 * Answers one POST body of the MCP endpoint (Streamable HTTP, JSON responses only, no session):
 * one JSON-RPC message per POST. Requests `initialize`, `ping`, `tools/list` and `tools/call`
 * are answered with their result; notifications and responses from the client with 202 and no
 * body. A body that is not JSON (-32700), a batch or anything but one well-formed message
 * (-32600), and an MCP-Protocol-Version header naming a revision the server does not speak get
 * 400 with a JSON-RPC error; an unknown method (-32601) and bad params (-32602) are JSON-RPC
 * errors with 200. Tools run on the calling (game) thread; Registry may be nullptr (no tools).
 * Never throws, whatever the body.
 */
FMcpHttpReply DispatchMcpPost(std::string_view Body, std::optional<std::string_view> ProtocolVersionHeader, FToolsetRegistry* Registry);
