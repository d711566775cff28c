#include "Support/TestEditor.h"

#include "Support/FakePythonScriptPlugin.h"

#include "Core/Guid.h"
#include "Core/Paths.h"
#include "KorvaneConnectorModule.h"
#include "Mcp/ModelContextProtocolModule.h"
#include "PendingPickupStore.h"
#include "Python/PythonScriptPluginModule.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

FTestProject::FTestProject(std::string_view Name)
	: RootDir(UserTempDir() + "KorvaneTest-" + FGuid::NewGuid().ToString() + "/")
	, ProjectDir(RootDir + std::string(Name) + "/")
{
	std::filesystem::create_directories(ProjectDir + "Config");
	std::filesystem::create_directories(ProjectDir + "Content");
	WriteFile(std::string(Name) + ".uproject", "{\n\t\"FileVersion\": 3\n}\n");
}

std::unique_ptr<FTestProject> FTestProject::CopyOfDemoProject()
{
	const std::string Root = UserTempDir() + "KorvaneTest-" + FGuid::NewGuid().ToString() + "/";
	const std::string Dir = Root + "DemoProject/";
	std::filesystem::create_directories(Root);
	std::filesystem::copy(KORVANE_DEMO_PROJECT_DIR, Dir, std::filesystem::copy_options::recursive);
	std::error_code Error;
	std::filesystem::remove_all(Dir + "Intermediate", Error);
	std::filesystem::remove_all(Dir + "Saved", Error);
	return std::unique_ptr<FTestProject>(new FTestProject(Root, Dir));
}

FTestProject::~FTestProject()
{
	std::error_code Error;
	std::filesystem::remove_all(RootDir, Error);
}

void FTestProject::WriteFile(std::string_view Relative, std::string_view Content) const
{
	const std::filesystem::path Path = PathOf(Relative);
	std::filesystem::create_directories(Path.parent_path());
	std::ofstream(Path, std::ios::binary) << Content;
}

bool FTestProject::Exists(std::string_view Relative) const
{
	return std::filesystem::exists(PathOf(Relative));
}

std::string FTestProject::ReadFile(std::string_view Relative) const
{
	std::ifstream Stream(PathOf(Relative), std::ios::binary);
	std::ostringstream Content;
	Content << Stream.rdbuf();
	return Content.str();
}

FTestEditor::FTestEditor(FTestEditorOptions Options)
	: TestProject(Options.bDemoProject ? FTestProject::CopyOfDemoProject() : std::make_unique<FTestProject>(Options.ProjectName))
{
	ClearPickupSlots();

	FEditorHostOptions HostOptions;
	HostOptions.ProjectDir = TestProject->Dir();
	HostOptions.ConnectorPluginDir = Options.ConnectorPluginDir;
	HostOptions.EngineContentDir = Options.EngineContentDir;
	HostOptions.ControlRigContentDir = Options.ControlRigContentDir;
	HostOptions.HttpPort = 0;
	HostOptions.McpPort = 0;
	HostOptions.UiPort = 0;
	HostOptions.bBuiltInMcp = Options.bBuiltInMcp;
	HostOptions.bConfigSystem = Options.bConfigSystem;
	HostOptions.bRemoteControl = Options.bRemoteControl;
	HostOptions.bPython = false;
	std::string Error;
	EditorHost = FEditorHost::Create(HostOptions, Error);
	if (!EditorHost)
	{
		throw std::runtime_error("test editor did not start: " + Error);
	}

	if (Options.bFakePython)
	{
		EditorHost->GetModuleManager().RegisterModule("PythonScriptPlugin", [Options]() {
			auto Python = std::make_unique<FFakePythonScriptPlugin>();
			Python->bAvailable = Options.bPythonAvailable;
			Python->bInitialized = Options.bPythonInitialized;
			return Python;
		});
		EditorHost->GetModuleManager().LoadModule("PythonScriptPlugin");
	}
	else if (Options.bEmbeddedPython)
	{
		const auto Initialization = Options.bPythonInitialized ? FPythonScriptPlugin::EInitialization::AtStartup : FPythonScriptPlugin::EInitialization::Deferred;
		EditorHost->GetModuleManager().RegisterModule("PythonScriptPlugin", [Initialization]() { return std::make_unique<FPythonScriptPlugin>(Initialization); });
		EditorHost->GetModuleManager().LoadModule("PythonScriptPlugin");
	}
	if (Options.bLoadConnector)
	{
		LoadConnector();
	}
}

FTestEditor::~FTestEditor()
{
	if (GameThreadRunner.joinable())
	{
		EditorHost->GetGameThread().Stop();
		GameThreadRunner.join();
	}
	EditorHost.reset();
}

FKorvaneConnectorModule* FTestEditor::Connector() const
{
	return dynamic_cast<FKorvaneConnectorModule*>(EditorHost->GetModuleManager().GetModule("KorvaneConnector"));
}

FFakePythonScriptPlugin* FTestEditor::Python() const
{
	return dynamic_cast<FFakePythonScriptPlugin*>(EditorHost->GetModuleManager().GetModule("PythonScriptPlugin"));
}

FPythonScriptPlugin* FTestEditor::EmbeddedPython() const
{
	return dynamic_cast<FPythonScriptPlugin*>(EditorHost->GetModuleManager().GetModule("PythonScriptPlugin"));
}

void FTestEditor::StartPython()
{
	if (FPythonScriptPlugin* Python = EmbeddedPython())
	{
		Python->InitializePython();
	}
}

void FTestEditor::LoadConnector()
{
	EditorHost->GetModuleManager().LoadModule("KorvaneConnector");
}

void FTestEditor::Serve()
{
	std::string Error;
	if (!EditorHost->StartListeners(Error))
	{
		throw std::runtime_error(Error);
	}
	GameThreadRunner = std::thread([this]() { EditorHost->GetGameThread().Run(); });
}

uint16_t FTestEditor::Port() const
{
	return EditorHost->GetListenPort();
}

uint16_t FTestEditor::McpPort() const
{
	return EditorHost->GetHttpServer().GetBoundPort(FModelContextProtocolModule::McpHttpPort).value_or(0);
}

void ClearPickupSlots()
{
	for (const EPickupSlot Slot : {EPickupSlot::Blueprint, EPickupSlot::Material, EPickupSlot::Widget, EPickupSlot::ControlRig})
	{
		FPendingPickupStore::Get().Set(Slot, nullptr);
	}
}
