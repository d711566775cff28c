#include "Support/TestEditor.h"

#include "Core/Log.h"
#include "Runtime/App.h"
#include "Runtime/Console.h"
#include "Runtime/EditorHost.h"
#include "Runtime/ModuleManager.h"
#include "Runtime/PluginManager.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	/** A module that records its start-up and shut-down in a shared journal. */
	class FJournalModule final : public IModuleInterface
	{
	public:
		FJournalModule(std::vector<std::string>& InJournal, std::string InName) : Journal(InJournal), Name(std::move(InName)) {}
		void StartupModule() override { Journal.push_back("start " + Name); }
		void ShutdownModule() override { Journal.push_back("stop " + Name + (FModuleManager::Get().IsModuleLoaded(Name) ? " (listed)" : "")); }

	private:
		std::vector<std::string>& Journal;
		std::string Name;
	};

	std::unique_ptr<FEditorHost> CreateHost(const std::string& ProjectDir, std::string& Error)
	{
		FEditorHostOptions Options;
		Options.ProjectDir = ProjectDir;
		Options.HttpPort = 0;
		return FEditorHost::Create(Options, Error);
	}
}

TEST(EditorHost, ProjectNameComesFromTheProjectFile)
{
	FTestProject Project("Harbour");
	std::string Error;
	const std::unique_ptr<FEditorHost> Host = CreateHost(Project.Dir(), Error);
	ASSERT_NE(Host, nullptr) << Error;
	EXPECT_EQ(FApp::GetProjectName(), "Harbour");
	EXPECT_EQ(FEditorHost::Get(), Host.get());
}

TEST(EditorHost, FoldersThatAreNotOneProjectAreRefused)
{
	std::string Error;
	EXPECT_EQ(CreateHost("/nonexistent/folder", Error), nullptr);
	EXPECT_EQ(Error, "Project folder not found: /nonexistent/folder");

	FTestProject Project("First");
	Project.WriteFile("Second.uproject", "{}");
	EXPECT_EQ(CreateHost(Project.Dir(), Error), nullptr);
	EXPECT_THAT(Error, HasSubstr("More than one .uproject file"));

	FTestProject Empty("Empty");
	std::filesystem::remove(Empty.PathOf("Empty.uproject"));
	EXPECT_EQ(CreateHost(Empty.Dir(), Error), nullptr);
	EXPECT_THAT(Error, HasSubstr("No .uproject file in"));
	EXPECT_EQ(FEditorHost::Get(), nullptr);
}

TEST(ModuleManager, ModulesStartOnceAndStopInReverseOrderWhileStillListed)
{
	FTestEditorOptions Options;
	Options.bLoadConnector = false;
	std::vector<std::string> Journal;
	{
		FTestEditor Editor(Options);
		FModuleManager& Modules = Editor.Host().GetModuleManager();
		for (const char* Name : {"Alpha", "Beta"})
		{
			Modules.RegisterModule(Name, [&Journal, Name]() { return std::make_unique<FJournalModule>(Journal, Name); });
		}
		IModuleInterface* Alpha = Modules.LoadModule("Alpha");
		EXPECT_EQ(Modules.LoadModule("Alpha"), Alpha);
		Modules.LoadModule("Beta");
		EXPECT_TRUE(Modules.IsModuleLoaded("Beta"));

		FLogCapture Log;
		EXPECT_EQ(Modules.LoadModule("Gamma"), nullptr);
		EXPECT_TRUE(Log.Contains("No module named Gamma is known to this editor."));
		EXPECT_FALSE(Modules.UnloadModule("Gamma"));
	}
	EXPECT_THAT(Journal, ElementsAre("start Alpha", "start Beta", "stop Beta (listed)", "stop Alpha (listed)"));
}

TEST(PluginManager, FindsByNameIgnoringCaseWithAFullBaseFolder)
{
	FTestEditor Editor;
	FPluginManager& Plugins = Editor.Host().GetPluginManager();
	Plugins.AddPlugin("KorvaneConnector", Editor.Project().PathOf("Plugins/KorvaneConnector"), true);
	const std::shared_ptr<IPlugin> Found = IPluginManager::Get().FindPlugin("korvaneconnector");
	ASSERT_NE(Found, nullptr);
	EXPECT_EQ(Found->GetBaseDir(), Editor.Project().PathOf("Plugins/KorvaneConnector/"));
	EXPECT_TRUE(Found->IsEnabled());
	EXPECT_EQ(IPluginManager::Get().FindPlugin("ModelContextProtocol"), nullptr);

	Plugins.AddPlugin("KorvaneConnector", "", false);
	EXPECT_FALSE(IPluginManager::Get().FindPlugin("KorvaneConnector")->IsEnabled());
}

TEST(ConsoleManager, CommandsLiveWithTheirRegistrationAndIgnoreCase)
{
	int Runs = 0;
	{
		const FAutoConsoleCommand Command("Test.Count", "Counts its runs.", [&Runs]() { ++Runs; });
		EXPECT_FALSE(FConsoleManager::Get().RegisterConsoleCommand("test.count", "again", []() {}));
		EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("  TEST.COUNT extra words\n"));
		EXPECT_EQ(Runs, 1);
		EXPECT_EQ(FConsoleManager::Get().FindCommand("Test.Count")->Help, "Counts its runs.");
	}
	EXPECT_FALSE(FConsoleManager::Get().ProcessUserConsoleInput("Test.Count"));
	EXPECT_FALSE(FConsoleManager::Get().ProcessUserConsoleInput("   "));
	EXPECT_EQ(Runs, 1);
}
