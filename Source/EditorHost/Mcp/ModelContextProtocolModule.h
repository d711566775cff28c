#pragma once

#include "Http/HttpRouter.h"
#include "Runtime/ModuleManager.h"

#include <cstdint>
#include <optional>

/**
 * The "ModelContextProtocol" plug-in module: the editor's own MCP server. It serves the tools of
 * the toolset registry over Streamable HTTP at /mcp on the editor's MCP port (8000, which the host
 * may map to another real port), answering each POST with one JSON response; GET (no event
 * stream) and every other verb get 405. The port listens once the host starts its listeners.
 */
class FModelContextProtocolModule final : public IModuleInterface
{
public:
	static constexpr const char* ModuleName = "ModelContextProtocol";
	/** The editor's MCP port. */
	static constexpr uint16_t McpHttpPort = 8000;

	static FModelContextProtocolModule* Get() { return FModuleManager::GetModulePtr<FModelContextProtocolModule>(ModuleName); }

	void StartupModule() override;
	void ShutdownModule() override;

	/** The real port the server listens on, once the listeners started. */
	std::optional<uint16_t> GetListenPort() const;
	/** Logs the address agents connect to ("MCP server listening on http://127.0.0.1:8000/mcp"). */
	void LogListenAddress() const;

private:
	FHttpRouteHandle RouteHandle;
};
