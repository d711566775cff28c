#include "FallbackMcpServer.h"
#include "KorvaneConnectorModule.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"
#include "RouteTable.h"

#include "Http/HttpServerModule.h"

#include <memory>
#include <string>

namespace
{
	constexpr uint16_t ConnectorPort = 30010;

	std::shared_ptr<IHttpRouter> GetConnectorRouter()
	{
		if (!FHttpServerModule::IsAvailable())
		{
			return nullptr;
		}
		return FHttpServerModule::Get().GetHttpRouter(ConnectorPort, false);
	}

	/** Reads the body (body kind only), runs the handler, and answers its object condensed with status 200. */
	FHttpRequestHandler MakeRouteCallback(const FRouteTableRow& Row)
	{
		return [&Row](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete) {
			const std::shared_ptr<FJsonObject> Result = Row.TakesBody()
				? std::get<FBodyRouteHandler>(Row.Handler)(ReadBodyText(Request))
				: std::get<FNoBodyRouteHandler>(Row.Handler)();
			SendJsonResponse(*Result, OnComplete);
			return true;
		};
	}

	bool HandleMcpPost(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
	{
		EHttpServerResponseCodes Status = EHttpServerResponseCodes::Ok;
		const std::string ResponseText = HandleMcpRequest(ReadBodyText(Request), Status);
		std::unique_ptr<FHttpServerResponse> Response = FHttpServerResponse::Create(ResponseText, "application/json");
		Response->Code = Status;
		OnComplete(std::move(Response));
		return true;
	}

	bool HandleMcpGet(const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
	{
		std::unique_ptr<FHttpServerResponse> Response = FHttpServerResponse::Create("", "application/json");
		Response->Code = EHttpServerResponseCodes::BadMethod;
		OnComplete(std::move(Response));
		return true;
	}
}

void FKorvaneConnectorModule::RegisterRoutes()
{
	const std::shared_ptr<IHttpRouter> Router = GetConnectorRouter();
	if (!Router)
	{
		UE_LOG(LogKorvane, Warning, "Could not get HTTP router on port 30010. Routes not registered.");
		return;
	}

	for (const FRouteTableRow& Row : GetRouteTable())
	{
		RouteHandles.push_back(Router->BindRoute(FHttpPath(std::string(Row.Path)), Row.Verb, MakeRouteCallback(Row)));
	}
	UE_LOG(LogKorvane, Log, "Registered %d custom HTTP endpoints on port 30010.", static_cast<int>(RouteHandles.size()));

	if (!IsMcpToolsEnabled())
	{
		UE_LOG(LogKorvane, Log, "MCP tools disabled in settings - no MCP endpoints exposed.");
	}
	else if (IsBuiltInMcpAvailable())
	{
		UE_LOG(LogKorvane, Log, "UE built-in MCP detected - fallback MCP route not bound (KorvaneToolset registers with the engine server instead).");
	}
	else
	{
		BindFallbackMcpRoute();
	}
}

void FKorvaneConnectorModule::UnregisterRoutes()
{
	if (const std::shared_ptr<IHttpRouter> Router = GetConnectorRouter())
	{
		for (const FHttpRouteHandle& Handle : RouteHandles)
		{
			Router->UnbindRoute(Handle);
		}
	}
	RouteHandles.clear();
	UE_LOG(LogKorvane, Log, "Custom HTTP endpoints unregistered.");
}

void FKorvaneConnectorModule::BindFallbackMcpRoute()
{
	if (bFallbackMcpBound)
	{
		UE_LOG(LogKorvane, Log, "Fallback MCP route already bound.");
		return;
	}
	const std::shared_ptr<IHttpRouter> Router = GetConnectorRouter();
	if (!Router)
	{
		UE_LOG(LogKorvane, Warning, "Could not get HTTP router on port 30010. Fallback MCP route not bound.");
		return;
	}

	McpRouteHandles.push_back(Router->BindRoute(FHttpPath("/korvane/mcp"), EHttpServerRequestVerbs::VERB_POST, HandleMcpPost));
	McpRouteHandles.push_back(Router->BindRoute(FHttpPath("/korvane/mcp"), EHttpServerRequestVerbs::VERB_GET, HandleMcpGet));
	bFallbackMcpBound = true;
	UE_LOG(LogKorvane, Log, "Fallback MCP server bound at POST /korvane/mcp (port 30010).");
}

void FKorvaneConnectorModule::UnbindFallbackMcpRoute()
{
	if (!bFallbackMcpBound)
	{
		return;
	}
	if (const std::shared_ptr<IHttpRouter> Router = GetConnectorRouter())
	{
		for (const FHttpRouteHandle& Handle : McpRouteHandles)
		{
			Router->UnbindRoute(Handle);
		}
	}
	McpRouteHandles.clear();
	bFallbackMcpBound = false;
	UE_LOG(LogKorvane, Log, "Fallback MCP route unbound.");
}
