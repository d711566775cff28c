#include "Support/FakePythonScriptPlugin.h"
#include "Support/TestEditor.h"

#include "Core/Log.h"
#include "KorvaneConnectorModule.h"
#include "PythonLiteral.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
	std::string EnableCommand(const std::string& ResourcesLiteral)
	{
		return "import sys\n_kv_dir = " + ResourcesLiteral +
			"\nif _kv_dir not in sys.path: sys.path.insert(0, _kv_dir)\nimport korvane_mcp_toolset\nkorvane_mcp_toolset.enable()\n";
	}

	/** A plug-in folder with the toolset script, inside the test project's folder. */
	std::string MakePluginDir(FTestEditor& Editor, std::string_view Name)
	{
		Editor.Project().WriteFile(std::string(Name) + "/Resources/korvane_mcp_toolset.py", "def enable(): pass\n");
		return Editor.Project().PathOf(Name) + "/";
	}
}

TEST(McpToolsetBootstrap, RunsAtStartupWhenPythonIsUp)
{
	FTestEditorOptions Options;
	Options.bFakePython = true;
	Options.bLoadConnector = false;
	FTestEditor Editor(Options);
	const std::string PluginDir = MakePluginDir(Editor, "Plugins/KorvaneConnector");
	Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", PluginDir, true);

	Editor.LoadConnector();
	EXPECT_THAT(Editor.Python()->Commands, ElementsAre(EnableCommand("r'" + PluginDir + "Resources'")));
}

TEST(McpToolsetBootstrap, WaitsForPythonToComeUpThenRunsOnce)
{
	FTestEditorOptions Options;
	Options.bFakePython = true;
	Options.bPythonInitialized = false;
	Options.bLoadConnector = false;
	FTestEditor Editor(Options);
	Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", MakePluginDir(Editor, "Plugin"), true);

	Editor.LoadConnector();
	EXPECT_THAT(Editor.Python()->Commands, IsEmpty());
	Editor.Python()->Initialize();
	EXPECT_EQ(Editor.Python()->Commands.size(), 1u);

	// After shut-down the module's binding is gone.
	Editor.Host().GetModuleManager().UnloadModule("KorvaneConnector");
	EXPECT_FALSE(Editor.Python()->OnPythonInitialized().IsBound());
}

TEST(McpToolsetBootstrap, SkippedWhenToolsAreOffOrPythonUnavailable)
{
	{
		FTestEditorOptions Options;
		Options.bFakePython = true;
		Options.bLoadConnector = false;
		FTestEditor Editor(Options);
		Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", MakePluginDir(Editor, "Plugin"), true);
		Editor.Project().WriteFile("Config/DefaultEditorPerProjectUserSettings.ini", "[KorvaneConnector]\nbMcpToolsEnabled=False\n");
		Editor.LoadConnector();
		EXPECT_THAT(Editor.Python()->Commands, IsEmpty());
	}
	{
		FTestEditorOptions Options;
		Options.bFakePython = true;
		Options.bPythonAvailable = false;
		FTestEditor Editor(Options);
		Editor.Connector()->BootstrapMcpToolset();
		EXPECT_THAT(Editor.Python()->Commands, IsEmpty());
	}
}

TEST(McpToolsetBootstrap, MissingScriptWarnsWithThePathAsBuilt)
{
	FTestEditorOptions Options;
	Options.bFakePython = true;
	FTestEditor Editor(Options);
	FLogCapture Log;
	Editor.Connector()->BootstrapMcpToolset();

	// The plug-in is not listed, so the script is looked for under the project's Plugins folder.
	const std::string Expected = "MCP toolset script not found at " + Editor.Project().PathOf("Plugins/KorvaneConnector/Resources/korvane_mcp_toolset.py");
	EXPECT_THAT(Log.Messages("LogKorvane"), ElementsAre(Expected));
	EXPECT_THAT(Editor.Python()->Commands, IsEmpty());
}

TEST(McpToolsetBootstrap, FolderWithAQuoteCannotBreakOutOfTheLiteral)
{
	FTestEditorOptions Options;
	Options.bFakePython = true;
	Options.bLoadConnector = false;
	FTestEditor Editor(Options);
	const std::string PluginDir = MakePluginDir(Editor, "it's here");
	Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", PluginDir, true);
	Editor.LoadConnector();
	ASSERT_EQ(Editor.Python()->Commands.size(), 1u);
	EXPECT_EQ(Editor.Python()->Commands[0], EnableCommand(PythonStringLiteral(PluginDir + "Resources")));
	EXPECT_NE(Editor.Python()->Commands[0].find("it\\'s here"), std::string::npos);
}

TEST(PythonStringLiteral, RawWhenSafeEscapedOtherwise)
{
	EXPECT_EQ(PythonStringLiteral("/home/me/Plugins/KorvaneConnector/Resources"), "r'/home/me/Plugins/KorvaneConnector/Resources'");
	EXPECT_EQ(PythonStringLiteral("C:/a'b"), "'C:/a\\'b'");
	EXPECT_EQ(PythonStringLiteral("line\nbreak"), "'line\\nbreak'");
	EXPECT_EQ(PythonStringLiteral("ends\\"), "'ends\\\\'");
	EXPECT_EQ(PythonStringLiteral("tab\t"), "'tab\\x09'");
	EXPECT_EQ(PythonStringLiteral(std::string("q'\x01", 3)), "'q\\'\\x01'");
}
