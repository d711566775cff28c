#include "Mcp/ModelContextProtocolModule.h"

#include "Core/LogHost.h"
#include "Http/HttpServerModule.h"
#include "Mcp/McpDispatcher.h"
#include "Mcp/ToolsetRegistryModule.h"

namespace
{
	bool HandleMcpPost(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
	{
		const auto Header = Request.Headers.find("mcp-protocol-version");
		const std::optional<std::string_view> ProtocolVersion = Header != Request.Headers.end() ? std::optional<std::string_view>(Header->second) : std::nullopt;
		FToolsetRegistryModule* Toolsets = FToolsetRegistryModule::Get();
		FMcpHttpReply Reply = DispatchMcpPost(Request.Body, ProtocolVersion, Toolsets != nullptr ? &Toolsets->GetRegistry() : nullptr);
		if (Reply.Body.empty())
		{
			OnComplete(FHttpServerResponse::Error(Reply.Code));
			return true;
		}
		std::unique_ptr<FHttpServerResponse> Response = FHttpServerResponse::Create(Reply.Body, "application/json");
		Response->Code = Reply.Code;
		OnComplete(std::move(Response));
		return true;
	}
}

void FModelContextProtocolModule::StartupModule()
{
	RouteHandle = FHttpServerModule::Get().GetHttpRouter(McpHttpPort)->BindRoute(FHttpPath("/mcp"), EHttpServerRequestVerbs::VERB_POST, HandleMcpPost);
}

void FModelContextProtocolModule::ShutdownModule()
{
	if (RouteHandle && FHttpServerModule::IsAvailable())
	{
		FHttpServerModule::Get().GetHttpRouter(McpHttpPort)->UnbindRoute(RouteHandle);
	}
	RouteHandle.reset();
}

std::optional<uint16_t> FModelContextProtocolModule::GetListenPort() const
{
	return FHttpServerModule::Get().GetBoundPort(McpHttpPort);
}

void FModelContextProtocolModule::LogListenAddress() const
{
	if (const std::optional<uint16_t> Port = GetListenPort())
	{
		UE_LOG(LogHost, Log, "MCP server listening on http://%s:%u/mcp", FHttpServerModule::Get().GetSettings().BindAddress.c_str(), static_cast<unsigned>(*Port));
	}
}
