#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FJsonObject;

/** What a tool call gives back: the text content, and whether it reports a failure of the tool. */
struct FMcpToolResult
{
	std::string Text;
	bool bIsError = false;
};

/** One tool an agent can call through the editor's MCP server. */
struct FMcpTool
{
	std::string Name;
	std::string Description;
	/** The JSON Schema of the arguments object ("type": "object"). */
	std::shared_ptr<FJsonObject> InputSchema;
	/** Runs the tool on the game thread with the arguments object (empty when the call had none). */
	std::function<FMcpToolResult(const FJsonObject& Arguments)> Call;
};

/**
 * The editor's toolsets: named groups of tools, in the order first registered. Registering a
 * name again replaces its tools where the toolset stands. A tool name belongs to one toolset at a
 * time, so an agent's call always means one tool. Game thread only.
 */
class FToolsetRegistry
{
public:
	/** Adds or replaces the toolset; the reason when it is refused (nothing changes then). */
	std::optional<std::string> RegisterToolset(std::string_view ToolsetName, std::vector<FMcpTool> Tools);
	/** Withdraws the toolset; false when no toolset has that name. */
	bool UnregisterToolset(std::string_view ToolsetName);
	void UnregisterAll();

	std::vector<std::string> GetToolsetNames() const;
	/** Every tool, toolset by toolset in registration order, each toolset's tools in their order. */
	std::vector<const FMcpTool*> GetTools() const;
	/** The tool of that exact name, or nullptr; valid until the registry changes. */
	const FMcpTool* FindTool(std::string_view ToolName) const;

private:
	struct FToolset
	{
		std::string Name;
		std::vector<FMcpTool> Tools;
	};

	std::vector<FToolset> Toolsets;
};
