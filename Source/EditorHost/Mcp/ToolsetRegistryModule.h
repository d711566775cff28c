#pragma once

#include "Mcp/ToolsetRegistry.h"
#include "Runtime/ModuleManager.h"

/**
 * The "ToolsetRegistry" plug-in module: the toolsets the editor's MCP server offers. Present
 * only when the editor has its own MCP plug-ins; callers look it up and cope with its absence.
 */
class FToolsetRegistryModule final : public IModuleInterface
{
public:
	static constexpr const char* ModuleName = "ToolsetRegistry";

	/** The loaded module, or nullptr. */
	static FToolsetRegistryModule* Get() { return FModuleManager::GetModulePtr<FToolsetRegistryModule>(ModuleName); }

	/** Withdraws every toolset. */
	void ShutdownModule() override { Registry.UnregisterAll(); }

	FToolsetRegistry& GetRegistry() { return Registry; }

private:
	FToolsetRegistry Registry;
};
