#include "Core/JsonObject.h"
#include "Mcp/ToolsetRegistry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::Optional;

namespace
{
	FMcpTool Tool(std::string Name, std::string Answer = "")
	{
		FMcpTool Made;
		Made.Name = std::move(Name);
		Made.InputSchema = std::make_shared<FJsonObject>();
		Made.Call = [Answer](const FJsonObject&) { return FMcpToolResult{Answer, false}; };
		return Made;
	}

	std::vector<std::string> ToolNames(const FToolsetRegistry& Registry)
	{
		std::vector<std::string> Names;
		for (const FMcpTool* Listed : Registry.GetTools())
		{
			Names.push_back(Listed->Name);
		}
		return Names;
	}
}

TEST(ToolsetRegistry, ToolsetsKeepTheirPlaceAndEachToolNameOneOwner)
{
	FToolsetRegistry Registry;
	EXPECT_EQ(Registry.RegisterToolset("A", {Tool("a1"), Tool("a2")}), std::nullopt);
	EXPECT_EQ(Registry.RegisterToolset("B", {Tool("b1")}), std::nullopt);
	EXPECT_EQ(Registry.RegisterToolset("A", {Tool("a3", "new")}), std::nullopt);
	EXPECT_THAT(Registry.GetToolsetNames(), ElementsAre("A", "B"));
	EXPECT_THAT(ToolNames(Registry), ElementsAre("a3", "b1"));
	EXPECT_EQ(Registry.FindTool("a1"), nullptr);
	ASSERT_NE(Registry.FindTool("a3"), nullptr);
	EXPECT_EQ(Registry.FindTool("a3")->Call(FJsonObject()).Text, "new");
	EXPECT_EQ(Registry.FindTool("A3"), nullptr) << "tool names are exact";

	EXPECT_THAT(Registry.RegisterToolset("C", {Tool("b1")}), Optional(std::string("tool 'b1' belongs to toolset 'B'")));
	EXPECT_THAT(Registry.RegisterToolset("B", {Tool("b1"), Tool("b1")}), Optional(std::string("toolset 'B' names tool 'b1' twice")));
	EXPECT_THAT(Registry.RegisterToolset("", {}), Optional(std::string("a toolset needs a name")));
	FMcpTool NoSchema = Tool("c1");
	NoSchema.InputSchema = nullptr;
	EXPECT_THAT(Registry.RegisterToolset("C", {NoSchema}), Optional(std::string("tool 'c1' needs an input schema and something to call")));
	FMcpTool NoCall = Tool("c1");
	NoCall.Call = nullptr;
	EXPECT_THAT(Registry.RegisterToolset("C", {NoCall}), Optional(std::string("tool 'c1' needs an input schema and something to call")));
	EXPECT_THAT(Registry.RegisterToolset("C", {Tool("")}), Optional(std::string("tool 0 of toolset 'C' has no name")));
	EXPECT_THAT(Registry.GetToolsetNames(), ElementsAre("A", "B"));

	EXPECT_TRUE(Registry.UnregisterToolset("A"));
	EXPECT_FALSE(Registry.UnregisterToolset("A"));
	EXPECT_EQ(Registry.RegisterToolset("C", {Tool("a3")}), std::nullopt) << "a withdrawn toolset's names are free again";
	Registry.UnregisterAll();
	EXPECT_TRUE(Registry.GetTools().empty());
}
