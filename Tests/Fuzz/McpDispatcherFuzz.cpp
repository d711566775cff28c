#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Mcp/McpDispatcher.h"
#include "Mcp/ToolsetRegistry.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace
{
	[[noreturn]] void Fail(const char* What, std::string_view Body, std::string_view Reply)
	{
		std::fprintf(stderr, "%s\nbody:  %.*s\nreply: %.*s\n", What, static_cast<int>(Body.size()), Body.data(), static_cast<int>(Reply.size()), Reply.data());
		std::abort();
	}

	FMcpTool MakeTool(std::string Name, std::function<FMcpToolResult(const FJsonObject&)> Call)
	{
		FMcpTool Tool;
		Tool.Name = std::move(Name);
		Tool.InputSchema = std::make_shared<FJsonObject>();
		Tool.InputSchema->SetStringField("type", "object");
		Tool.Call = std::move(Call);
		return Tool;
	}

	/** Tools that answer with their arguments, throw, return bytes that are not UTF-8, and withdraw their own toolset. */
	FToolsetRegistry& GetRegistry()
	{
		static FToolsetRegistry Registry;
		if (Registry.GetToolsetNames().empty())
		{
			Registry.RegisterToolset("Fuzz", {
				MakeTool("echo", [](const FJsonObject& Arguments) { return FMcpToolResult{FJsonSerializer::SerializeCondensed(Arguments), false}; }),
				MakeTool("throw", [](const FJsonObject&) -> FMcpToolResult { throw std::runtime_error("tool failed"); }),
				MakeTool("bytes", [](const FJsonObject&) { return FMcpToolResult{"\xff\xfe", false}; }),
				MakeTool("withdraw", [](const FJsonObject&) {
					Registry.UnregisterToolset("Fuzz");
					return FMcpToolResult{"withdrawn", false};
				}),
			});
		}
		return Registry;
	}
}

// The first byte chooses the MCP-Protocol-Version header (none, a supported one, or the next
// line of the input); the rest is the POST body. Every answer is 202 with no body, or one
// JSON-RPC response object with an id and exactly one of result and error.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	std::string_view Input(reinterpret_cast<const char*>(Data), Size);
	std::optional<std::string_view> Header;
	if (!Input.empty())
	{
		const char Choice = Input.front();
		Input.remove_prefix(1);
		if (Choice == 'v')
		{
			Header = "2025-06-18";
		}
		else if (Choice == 'h')
		{
			const std::size_t LineEnd = Input.find('\n');
			Header = Input.substr(0, LineEnd);
			Input.remove_prefix(LineEnd == std::string_view::npos ? Input.size() : LineEnd + 1);
		}
	}

	const FMcpHttpReply Reply = DispatchMcpPost(Input, Header, &GetRegistry());
	if (Reply.Code == EHttpServerResponseCodes::Accepted)
	{
		if (!Reply.Body.empty())
		{
			Fail("202 with a body", Input, Reply.Body);
		}
		return 0;
	}
	if (Reply.Code != EHttpServerResponseCodes::Ok && Reply.Code != EHttpServerResponseCodes::BadRequest)
	{
		Fail("unexpected status", Input, Reply.Body);
	}
	const std::shared_ptr<FJsonObject> Message = FJsonSerializer::DeserializeObject(Reply.Body);
	if (!Message || Message->TryGetStringField("jsonrpc") != std::optional<std::string>("2.0") || !Message->HasField("id"))
	{
		Fail("the reply is not a JSON-RPC response", Input, Reply.Body);
	}
	if (Message->HasField("result") == Message->HasField("error"))
	{
		Fail("the reply needs exactly one of result and error", Input, Reply.Body);
	}
	if (Reply.Code == EHttpServerResponseCodes::BadRequest && !Message->HasField("error"))
	{
		Fail("400 without an error", Input, Reply.Body);
	}
	return 0;
}
