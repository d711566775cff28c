#include "Mcp/ToolsetRegistry.h"

#include <algorithm>
#include <utility>

std::optional<std::string> FToolsetRegistry::RegisterToolset(std::string_view ToolsetName, std::vector<FMcpTool> Tools)
{
	if (ToolsetName.empty())
	{
		return std::string("a toolset needs a name");
	}
	for (std::size_t Index = 0; Index < Tools.size(); ++Index)
	{
		const FMcpTool& Tool = Tools[Index];
		if (Tool.Name.empty())
		{
			return "tool " + std::to_string(Index) + " of toolset '" + std::string(ToolsetName) + "' has no name";
		}
		if (!Tool.Call || !Tool.InputSchema)
		{
			return "tool '" + Tool.Name + "' needs an input schema and something to call";
		}
		const auto Same = [&Tool](const FMcpTool& Other) { return Other.Name == Tool.Name; };
		if (std::any_of(Tools.begin(), Tools.begin() + static_cast<std::ptrdiff_t>(Index), Same))
		{
			return "toolset '" + std::string(ToolsetName) + "' names tool '" + Tool.Name + "' twice";
		}
		for (const FToolset& Other : Toolsets)
		{
			if (Other.Name != ToolsetName && std::any_of(Other.Tools.begin(), Other.Tools.end(), Same))
			{
				return "tool '" + Tool.Name + "' belongs to toolset '" + Other.Name + "'";
			}
		}
	}
	const auto Existing = std::find_if(Toolsets.begin(), Toolsets.end(), [ToolsetName](const FToolset& Toolset) { return Toolset.Name == ToolsetName; });
	if (Existing != Toolsets.end())
	{
		// The old tools go after the new ones are in place: releasing one may run script code.
		std::vector<FMcpTool> Replaced = std::exchange(Existing->Tools, std::move(Tools));
		return std::nullopt;
	}
	Toolsets.push_back({std::string(ToolsetName), std::move(Tools)});
	return std::nullopt;
}

bool FToolsetRegistry::UnregisterToolset(std::string_view ToolsetName)
{
	const auto Found = std::find_if(Toolsets.begin(), Toolsets.end(), [ToolsetName](const FToolset& Toolset) { return Toolset.Name == ToolsetName; });
	if (Found == Toolsets.end())
	{
		return false;
	}
	FToolset Withdrawn = std::move(*Found);
	Toolsets.erase(Found);
	return true;
}

void FToolsetRegistry::UnregisterAll()
{
	std::vector<FToolset> Withdrawn = std::move(Toolsets);
	Toolsets.clear();
}

std::vector<std::string> FToolsetRegistry::GetToolsetNames() const
{
	std::vector<std::string> Names;
	for (const FToolset& Toolset : Toolsets)
	{
		Names.push_back(Toolset.Name);
	}
	return Names;
}

std::vector<const FMcpTool*> FToolsetRegistry::GetTools() const
{
	std::vector<const FMcpTool*> Tools;
	for (const FToolset& Toolset : Toolsets)
	{
		for (const FMcpTool& Tool : Toolset.Tools)
		{
			Tools.push_back(&Tool);
		}
	}
	return Tools;
}

const FMcpTool* FToolsetRegistry::FindTool(std::string_view ToolName) const
{
	for (const FToolset& Toolset : Toolsets)
	{
		for (const FMcpTool& Tool : Toolset.Tools)
		{
			if (Tool.Name == ToolName)
			{
				return &Tool;
			}
		}
	}
	return nullptr;
}
