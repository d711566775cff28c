#include "Assets/AssetFiles.h"
#include "Core/Log.h"
#include "Editor/AssetEditorCommands.h"
#include "Editor/EditorEngine.h"
#include "Runtime/Console.h"

#include <gtest/gtest.h>

namespace
{
	class AssetEditorConsole : public ::testing::Test
	{
	protected:
		FTestEditor Editor{[] {
			FTestEditorOptions Options = HostOnly();
			Options.bDemoProject = true;
			return Options;
		}()};
		FLogCapture Log;

		/** What the command reported: its LogHost lines at Display verbosity. */
		std::vector<std::string> Run(std::string_view Line)
		{
			Log.Clear();
			EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput(Line)) << Line;
			std::vector<std::string> Reported;
			for (const FLogLine& Logged : Log.Lines())
			{
				if (Logged.Category == "LogHost" && Logged.Verbosity == ELogVerbosity::Display)
				{
					Reported.push_back(Logged.Message);
				}
			}
			return Reported;
		}
	};

	using FLines = std::vector<std::string>;
}

TEST(AssetEditorConsolePaths, PackagePathsNameTheirAssetObject)
{
	EXPECT_EQ(FAssetEditorCommands::CompleteObjectPath("/Game/Blueprints/BP_Campfire"), "/Game/Blueprints/BP_Campfire.BP_Campfire");
	EXPECT_EQ(FAssetEditorCommands::CompleteObjectPath("/Game/Blueprints/BP_Campfire.BP_Campfire"), "/Game/Blueprints/BP_Campfire.BP_Campfire");
	EXPECT_EQ(FAssetEditorCommands::CompleteObjectPath("/Game/Odd.Name/Asset"), "/Game/Odd.Name/Asset") << "a dot anywhere means an object path";
	EXPECT_EQ(FAssetEditorCommands::CompleteObjectPath("Loose"), "Loose.Loose");
}

TEST_F(AssetEditorConsole, OpenFocusListAndCloseReportWhatTheyDid)
{
	EXPECT_EQ(Run("AssetEditor.List"), FLines{"No asset editors are open"});
	EXPECT_EQ(Run("AssetEditor.Open /Game/Blueprints/BP_Campfire"), FLines{"Opened BlueprintEditor for /Game/Blueprints/BP_Campfire.BP_Campfire"});
	EXPECT_EQ(Run("AssetEditor.Open /Game/Materials/M_Master.M_Master"), FLines{"Opened MaterialEditor for /Game/Materials/M_Master.M_Master"});
	EXPECT_EQ(Run("AssetEditor.List"), (FLines{"/Game/Blueprints/BP_Campfire.BP_Campfire BlueprintEditor", "/Game/Materials/M_Master.M_Master MaterialEditor (foreground)"}));

	EXPECT_EQ(Run("assetEditor.open /Game/Blueprints/BP_Campfire"), FLines{"Focused BlueprintEditor for /Game/Blueprints/BP_Campfire.BP_Campfire (already open)"});
	EXPECT_EQ(Run("AssetEditor.List"), (FLines{"/Game/Blueprints/BP_Campfire.BP_Campfire BlueprintEditor (foreground)", "/Game/Materials/M_Master.M_Master MaterialEditor"}));
	EXPECT_EQ(Run("AssetEditor.Focus /Game/Materials/M_Master"), FLines{"Focused MaterialEditor for /Game/Materials/M_Master.M_Master"});
	EXPECT_EQ(Run("AssetEditor.List").back(), "/Game/Materials/M_Master.M_Master MaterialEditor (foreground)");

	EXPECT_EQ(Run("AssetEditor.Close /Game/Materials/M_Master"), FLines{"Closed MaterialEditor for /Game/Materials/M_Master.M_Master"});
	EXPECT_EQ(Run("AssetEditor.List"), FLines{"/Game/Blueprints/BP_Campfire.BP_Campfire BlueprintEditor (foreground)"});
	EXPECT_EQ(Run("AssetEditor.Focus /Game/Materials/M_Master"), FLines{"No editor is open for /Game/Materials/M_Master.M_Master"});
	EXPECT_EQ(Run("AssetEditor.Close /Game/Materials/M_Master"), FLines{"No editor is open for /Game/Materials/M_Master.M_Master"});

	Run("AssetEditor.Open /Game/Textures/T_Rock");
	EXPECT_EQ(Run("AssetEditor.CloseAll"), FLines{"Closed 2 asset editor(s)"});
	EXPECT_TRUE(GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetAllEditedAssets().empty());
	EXPECT_EQ(Run("AssetEditor.CloseAll"), FLines{"Closed 0 asset editor(s)"});
}

TEST_F(AssetEditorConsole, PathsThatNameNoAssetAreClearErrors)
{
	EXPECT_EQ(Run("AssetEditor.Open /Game/Nope"), FLines{"No asset at /Game/Nope"});
	EXPECT_EQ(Run("AssetEditor.Focus /Game/Nope.Nope"), FLines{"No asset at /Game/Nope.Nope"});
	EXPECT_EQ(Run("AssetEditor.Close Game/Blueprints/BP_Campfire"), FLines{"No asset at Game/Blueprints/BP_Campfire"});
	EXPECT_EQ(Run("AssetEditor.Open /Game/../../../etc/passwd"), FLines{"No asset at /Game/../../../etc/passwd"});
	EXPECT_EQ(Run("AssetEditor.Open /Script/Engine.Blueprint"), FLines{"No asset at /Script/Engine.Blueprint"}) << "a class is no asset";
	EXPECT_EQ(Run("AssetEditor.Open /Game/Blueprints/BP_Campfire.BP_Campfire:Sub"), FLines{"No asset at /Game/Blueprints/BP_Campfire.BP_Campfire:Sub"});
	EXPECT_EQ(Run("AssetEditor.Open"), FLines{"Usage: AssetEditor.Open <object path or package path>"});
	EXPECT_EQ(Run("AssetEditor.Close /Game/A /Game/B"), FLines{"Usage: AssetEditor.Close <object path or package path>"});
	EXPECT_EQ(Run("AssetEditor.List"), FLines{"No asset editors are open"});
}

TEST(AssetEditorConsoleLifetime, TheCommandsLiveWithTheEditor)
{
	{
		FTestEditor Editor{HostOnly()};
		ASSERT_TRUE(FConsoleManager::Get().FindCommand("AssetEditor.Open").has_value());
		EXPECT_EQ(FConsoleManager::Get().FindCommand("AssetEditor.CloseAll")->Help, "Closes every asset editor");
	}
	EXPECT_FALSE(FConsoleManager::Get().FindCommand("AssetEditor.Open").has_value());
	EXPECT_FALSE(FConsoleManager::Get().ProcessUserConsoleInput("AssetEditor.List"));
}
