#include "Support/FakePythonScriptPlugin.h"
#include "Support/TestEditor.h"

#include "Core/Config.h"
#include "Core/Log.h"
#include "KorvaneConnectorModule.h"
#include "Runtime/Console.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace
{
	constexpr const char* Registered = "Registered 53 custom HTTP endpoints on port 30010.";
	constexpr const char* FallbackBound = "Fallback MCP server bound at POST /korvane/mcp (port 30010).";
	constexpr const char* Loaded = "Connector plugin loaded. Remote Control API enabled on port 30010.";
	constexpr const char* FallbackUnbound = "Fallback MCP route unbound.";
	constexpr const char* Unregistered = "Custom HTTP endpoints unregistered.";
	constexpr const char* NoIconPlugin = "Could not find plugin for icon registration.";

	/** What start-up logs: the style set's line, the toolbar's lines, then the lines of the routes and the MCP tools. */
	std::vector<std::string> StartupLines(std::string StyleLine, std::initializer_list<std::string> Rest)
	{
		std::vector<std::string> Lines{std::move(StyleLine), "Blueprint editor toolbar button registered.", "Material editor toolbar combo button registered.",
			"Widget Blueprint editor toolbar button registered.", "Control Rig editor toolbar extender registered."};
		Lines.insert(Lines.end(), Rest);
		return Lines;
	}

	FTestEditorOptions WithoutConnector()
	{
		FTestEditorOptions Options;
		Options.bLoadConnector = false;
		return Options;
	}

	void WriteSetting(FTestEditor& Editor, std::string_view Value)
	{
		Editor.Project().WriteFile("Config/DefaultEditorPerProjectUserSettings.ini", "[KorvaneConnector]\nbMcpToolsEnabled=" + std::string(Value) + "\n");
	}
}

TEST(ModuleLifecycle, StartupAndShutdownRunInOrderWithTheirLogLines)
{
	FLogCapture Log;
	{
		FTestEditorOptions Options;
		Options.ConnectorPluginDir = KORVANE_PLUGIN_DIR "/";
		FTestEditor Editor(Options);
		FKorvaneConnectorModule* Connector = Editor.Connector();
		ASSERT_NE(Connector, nullptr);
		EXPECT_EQ(Connector->GetRouteHandles().size(), 53u);
		EXPECT_EQ(Connector->GetMcpRouteHandles().size(), 2u);
		EXPECT_TRUE(Connector->IsFallbackMcpBound());
		EXPECT_TRUE(Editor.Project().Exists("Intermediate/Korvane"));
		EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAreArray(StartupLines("Custom icon style registered.", {Registered, FallbackBound, Loaded})));
		Log.Clear();
	}
	EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAre(FallbackUnbound, Unregistered));
}

TEST(ModuleLifecycle, MissingSettingOrConfigSystemCountsAsEnabled)
{
	{
		FTestEditor Editor;
		EXPECT_TRUE(Editor.Connector()->IsMcpToolsEnabled());
	}
	FTestEditorOptions NoConfig;
	NoConfig.bConfigSystem = false;
	FTestEditor Editor(NoConfig);
	EXPECT_TRUE(Editor.Connector()->IsMcpToolsEnabled());
	EXPECT_TRUE(Editor.Connector()->IsFallbackMcpBound());
}

TEST(ModuleLifecycle, StartupChoosesTheMcpPathFromSettingAndBuiltInServer)
{
	{
		FLogCapture Log;
		FTestEditor Editor(WithoutConnector());
		WriteSetting(Editor, "False");
		Editor.LoadConnector();
		EXPECT_FALSE(Editor.Connector()->IsFallbackMcpBound());
		EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAreArray(StartupLines(NoIconPlugin, {Registered, "MCP tools disabled in settings - no MCP endpoints exposed.", Loaded})));
	}
	{
		FLogCapture Log;
		FTestEditorOptions BuiltIn;
		BuiltIn.bBuiltInMcp = true;
		FTestEditor Editor(BuiltIn);
		EXPECT_TRUE(Editor.Connector()->IsBuiltInMcpAvailable());
		EXPECT_FALSE(Editor.Connector()->IsFallbackMcpBound());
		EXPECT_THAT(Log.Messages("LogKorvane"),
			ElementsAreArray(StartupLines(NoIconPlugin,
				{Registered, "UE built-in MCP detected - fallback MCP route not bound (KorvaneToolset registers with the engine server instead).", Loaded})));
	}
}

TEST(ModuleLifecycle, FallbackBindTwiceKeepsTwoHandlesAndUnbindWhenUnboundLogsNothing)
{
	FTestEditor Editor;
	FKorvaneConnectorModule& Connector = *Editor.Connector();
	FLogCapture Log;
	Connector.BindFallbackMcpRoute();
	EXPECT_EQ(Connector.GetMcpRouteHandles().size(), 2u);
	EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAre("Fallback MCP route already bound."));

	Connector.UnbindFallbackMcpRoute();
	EXPECT_TRUE(Connector.GetMcpRouteHandles().empty());
	Log.Clear();
	Connector.UnbindFallbackMcpRoute();
	EXPECT_THAT(Log.Messages("LogKorvane"), IsEmpty());
}

TEST(ModuleLifecycle, TogglingToolsWritesTheSettingAndRebindsTheFallback)
{
	FTestEditor Editor;
	FKorvaneConnectorModule& Connector = *Editor.Connector();
	FLogCapture Log;

	Connector.SetMcpToolsEnabled(false);
	EXPECT_FALSE(Connector.IsFallbackMcpBound());
	EXPECT_FALSE(Connector.IsMcpToolsEnabled());
	EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAre(FallbackUnbound, "MCP tools disabled."));
	EXPECT_NE(Editor.Project().ReadFile("Config/DefaultEditorPerProjectUserSettings.ini").find("bMcpToolsEnabled=False"), std::string::npos);

	Log.Clear();
	Connector.SetMcpToolsEnabled(true);
	EXPECT_TRUE(Connector.IsFallbackMcpBound());
	EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAre(FallbackBound, "MCP tools enabled."));
	EXPECT_NE(Editor.Project().ReadFile("Config/DefaultEditorPerProjectUserSettings.ini").find("bMcpToolsEnabled=True"), std::string::npos);
}

TEST(ModuleLifecycle, EnablingWithBuiltInServerAndPythonNotUpDoesNothingElse)
{
	FTestEditorOptions Options;
	Options.bBuiltInMcp = true;
	Options.bFakePython = true;
	Options.bPythonInitialized = false;
	FTestEditor Editor(Options);
	FLogCapture Log;
	Editor.Connector()->SetMcpToolsEnabled(true);
	EXPECT_FALSE(Editor.Connector()->IsFallbackMcpBound());
	EXPECT_THAT(Editor.Python()->Commands, IsEmpty());
	EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAre("MCP tools enabled."));
}

TEST(ModuleLifecycle, DisablingToolsAsksPythonToDisableTheToolset)
{
	FTestEditorOptions Options;
	Options.bFakePython = true;
	FTestEditor Editor(Options);
	Editor.Python()->Commands.clear();
	Editor.Connector()->SetMcpToolsEnabled(false);
	EXPECT_THAT(Editor.Python()->Commands,
		ElementsAre("try:\n    import korvane_mcp_toolset\n    korvane_mcp_toolset.disable()\nexcept Exception: pass\n"));
}

TEST(ModuleLifecycle, ConsoleCommandActsOnlyWhileTheModuleIsLoaded)
{
	FTestEditor Editor(WithoutConnector());
	FLogCapture Log;
	ASSERT_TRUE(FConsoleManager::Get().FindCommand("Korvane.MCP.RegisterFallback").has_value());
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("Korvane.MCP.RegisterFallback"));
	EXPECT_THAT(Log.Lines(), IsEmpty());

	// Loaded with tools off, the command still binds: it looks at neither the setting nor the built-in server.
	WriteSetting(Editor, "False");
	Editor.LoadConnector();
	ASSERT_FALSE(Editor.Connector()->IsFallbackMcpBound());
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("korvane.mcp.registerfallback"));
	EXPECT_TRUE(Editor.Connector()->IsFallbackMcpBound());
	EXPECT_EQ(Editor.Connector()->GetMcpRouteHandles().size(), 2u);
}

TEST(ModuleLifecycle, LegacyCleanupDeletesOnlyPrefixedFilesIgnoringCase)
{
	FTestEditor Editor(WithoutConnector());
	Editor.Project().WriteFile("Content/Python/_kv_payload.json", "{}");
	Editor.Project().WriteFile("Content/Python/_KV_deploy.py", "pass");
	Editor.Project().WriteFile("Content/Python/keep_me.py", "pass");
	Editor.Project().WriteFile("Content/Python/_kv_notes.txt", "not a json or py file");
	FLogCapture Log;
	Editor.LoadConnector();

	EXPECT_FALSE(Editor.Project().Exists("Content/Python/_kv_payload.json"));
	EXPECT_FALSE(Editor.Project().Exists("Content/Python/_KV_deploy.py"));
	EXPECT_TRUE(Editor.Project().Exists("Content/Python/keep_me.py"));
	EXPECT_TRUE(Editor.Project().Exists("Content/Python/_kv_notes.txt"));
	EXPECT_EQ(Log.Count("Removed 2 legacy transient file(s) from Content/Python/ (now stored in Intermediate/Korvane/)."), 1u);
}

TEST(ModuleLifecycle, LegacyCleanupWithNothingToDeleteLogsNothing)
{
	FTestEditor Editor(WithoutConnector());
	Editor.Project().WriteFile("Content/Python/keep_me.py", "pass");
	FLogCapture Log;
	Editor.LoadConnector();
	for (const std::string& Message : Log.Messages("LogKorvane"))
	{
		EXPECT_EQ(Message.find("legacy"), std::string::npos) << Message;
	}
}
