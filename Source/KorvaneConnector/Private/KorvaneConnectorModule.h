#pragma once

#include "Http/HttpRouter.h"
#include "Runtime/ModuleManager.h"

#include <memory>
#include <vector>

class FExtender;

/**
 * The KorvaneConnector editor module. Start-up wires the connector into the
 * editor (its style set, status tab and toolbar buttons, routes on the HTTP port 30010, the
 * working folder, the MCP tools);
 * shut-down undoes it in reverse order.
 */
class FKorvaneConnectorModule : public IModuleInterface
{
public:
	static constexpr const char* ModuleName = "KorvaneConnector";

	void StartupModule() override;
	void ShutdownModule() override;

	/** The bMcpToolsEnabled setting; a missing key or configuration system counts as enabled. */
	bool IsMcpToolsEnabled() const;
	/** Writes the setting and applies it at once. */
	void SetMcpToolsEnabled(bool bEnabled);
	/** True when the editor's own MCP server plug-ins are both present and enabled. */
	bool IsBuiltInMcpAvailable() const;
	/** Has Python enable the MCP toolset script from the plug-in's Resources folder. */
	void BootstrapMcpToolset();

	/** Binds the 53 routes of the route table, then the fallback MCP route when the mode asks for it. */
	void RegisterRoutes();
	void UnregisterRoutes();
	/** Binds POST and GET /korvane/mcp, once. */
	void BindFallbackMcpRoute();
	void UnbindFallbackMcpRoute();

	bool IsFallbackMcpBound() const { return bFallbackMcpBound; }
	const std::vector<FHttpRouteHandle>& GetMcpRouteHandles() const { return McpRouteHandles; }
	const std::vector<FHttpRouteHandle>& GetRouteHandles() const { return RouteHandles; }

private:
	void RegisterStyleSet();
	void RegisterStatusTab();
	void RegisterToolbarStartupCallback();
	/** The tool menus' start-up callback: adds the toolbar entries, owned by this module. */
	void RegisterToolbarExtensions();
	void UnregisterStatusTab();
	void UnregisterToolbarEntries();
	void UnregisterStyleSet();
	void RemoveLegacyTransientFiles();

	/** The Control Rig editor's toolbar extender, added to the RigVMEditor module while this module runs. */
	std::shared_ptr<FExtender> ControlRigToolBarExtender;
	bool bFallbackMcpBound = false;
	std::vector<FHttpRouteHandle> McpRouteHandles;
	std::vector<FHttpRouteHandle> RouteHandles;
};
