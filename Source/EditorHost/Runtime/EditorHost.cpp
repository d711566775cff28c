#include "Runtime/EditorHost.h"

#include "Assets/AssetRegistry.h"
#include "Assets/AssetToolsModule.h"
#include "Core/LogHost.h"
#include "Core/Memory.h"
#include "Core/Paths.h"
#include "Editor/AssetEditorCommands.h"
#include "Editor/EditorEngine.h"
#include "Editor/RigVMEditorModule.h"
#include "Editor/ToolMenusModule.h"
#include "Imaging/ImageWrapperModule.h"
#include "Mcp/ModelContextProtocolModule.h"
#include "Mcp/ToolsetRegistryModule.h"
#include "Objects/ObjectStore.h"
#include "Objects/PackageName.h"
#include "Python/PythonScriptPluginModule.h"
#include "Runtime/App.h"
#include "Runtime/RemoteControlModule.h"
#include "Slate/SlateApplication.h"

#include <cassert>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace
{
	FEditorHost* GEditorHost = nullptr;

	/** The folder a read-only root is mounted on: the option, else the environment's choice, else the one in the sources. */
	std::string ChooseContentDir(const std::string& Option, const char* EnvironmentVariable, const char* InSources)
	{
		if (!Option.empty())
		{
			return Option;
		}
		const char* FromEnvironment = std::getenv(EnvironmentVariable);
		return FromEnvironment != nullptr && *FromEnvironment != '\0' ? std::string(FromEnvironment) : std::string(InSources);
	}

	/** The one .uproject file of the folder, or empty. */
	std::optional<std::filesystem::path> FindProjectFile(const std::filesystem::path& Dir, std::string& OutError)
	{
		std::error_code Error;
		if (!std::filesystem::is_directory(Dir, Error))
		{
			OutError = "Project folder not found: " + Dir.string();
			return std::nullopt;
		}
		std::optional<std::filesystem::path> Found;
		for (const std::filesystem::directory_entry& Entry : std::filesystem::directory_iterator(Dir, Error))
		{
			if (Entry.is_regular_file(Error) && Entry.path().extension() == ".uproject")
			{
				if (Found)
				{
					OutError = "More than one .uproject file in " + Dir.string();
					return std::nullopt;
				}
				Found = Entry.path();
			}
		}
		if (!Found)
		{
			OutError = "No .uproject file in " + Dir.string();
		}
		return Found;
	}
}

std::unique_ptr<FEditorHost> FEditorHost::Create(const FEditorHostOptions& Options, std::string& OutError)
{
	const std::string ProjectDir = FPaths::ConvertRelativePathToFull(Options.ProjectDir);
	const std::optional<std::filesystem::path> ProjectFile = FindProjectFile(ProjectDir, OutError);
	if (!ProjectFile)
	{
		return nullptr;
	}

	FPaths::SetProjectDir(ProjectDir);
	FPackageName::SetEngineContentDir(ChooseContentDir(Options.EngineContentDir, "KORVANE_ENGINE_CONTENT_DIR", KORVANE_ENGINE_CONTENT_DIR));
	FPackageName::SetControlRigContentDir(
		ChooseContentDir(Options.ControlRigContentDir, "KORVANE_CONTROLRIG_CONTENT_DIR", KORVANE_CONTROLRIG_CONTENT_DIR));
	FApp::SetProjectName(ProjectFile->stem().string());
	return std::unique_ptr<FEditorHost>(new FEditorHost(Options));
}

FEditorHost::FEditorHost(const FEditorHostOptions& InOptions)
	: Options(InOptions)
{
	assert(GEditorHost == nullptr && "one editor host at a time");
	GEditorHost = this;

	GEditorPerProjectIni = FPaths::Combine(FPaths::ProjectConfigDir(), "DefaultEditorPerProjectUserSettings.ini");
	GConfig = Options.bConfigSystem ? &Config : nullptr;

	PluginManager = std::make_unique<FPluginManager>();
	if (!Options.ConnectorPluginDir.empty())
	{
		PluginManager->AddPlugin("KorvaneConnector", Options.ConnectorPluginDir, true);
	}
	PluginManager->AddPlugin("PythonScriptPlugin", std::string(), Options.bPython);
	if (Options.bBuiltInMcp)
	{
		PluginManager->AddPlugin("ModelContextProtocol", std::string(), true);
		PluginManager->AddPlugin("ToolsetRegistry", std::string(), true);
	}

	Notifications = std::make_unique<FSlateNotificationManager>(GameThread);
	SlateApplication = std::make_unique<FSlateApplication>(GameThread);

	FHttpServerSettings HttpSettings;
	HttpSettings.BindAddress = Options.BindAddress;
	HttpSettings.PortOverrides[EditorHttpPort] = Options.HttpPort;
	HttpSettings.PortOverrides[FModelContextProtocolModule::McpHttpPort] = Options.McpPort;
	HttpSettings.PortOverrides[EditorUiPort] = Options.UiPort;
	HttpServer = std::make_unique<FHttpServerModule>(GameThread, std::move(HttpSettings));

	Objects = std::make_unique<FObjectStore>();
	// The editor engine exists before any module starts, so modules find GEditor set.
	EditorEngine = std::make_unique<UEditorEngine>();
	GEditor = EditorEngine.get();
	AssetEditorCommands = std::make_unique<FAssetEditorCommands>(*EditorEngine->GetEditorSubsystem<UAssetEditorSubsystem>());
	ModuleManager = std::make_unique<FModuleManager>();
	// The asset registry scans Content/ and the engine content before any plug-in module starts.
	ModuleManager->RegisterModule("AssetRegistry", []() { return std::make_unique<FAssetRegistryModule>(); });
	ModuleManager->LoadModule("AssetRegistry");
	ModuleManager->RegisterModule("AssetTools", []() { return std::make_unique<FAssetToolsModule>(); });
	ModuleManager->LoadModule("AssetTools");
	// The editor's UI modules come up before any plug-in module, so plug-ins find their menus and
	// extensibility managers, and go down after them.
	ModuleManager->RegisterModule(FToolMenusModule::ModuleName, []() { return std::make_unique<FToolMenusModule>(); });
	ModuleManager->LoadModule(FToolMenusModule::ModuleName);
	ModuleManager->RegisterModule(IRigVMEditorModule::ModuleName, []() { return std::make_unique<FRigVMEditorModule>(); });
	ModuleManager->LoadModule(IRigVMEditorModule::ModuleName);
	ModuleManager->RegisterModule(FRemoteControlModule::ModuleName, []() { return std::make_unique<FRemoteControlModule>(); });
	if (Options.bRemoteControl)
	{
		ModuleManager->LoadModule(FRemoteControlModule::ModuleName);
	}
	// Image wrappers load on first use, as in the editor.
	ModuleManager->RegisterModule("ImageWrapper", []() { return std::make_unique<FImageWrapperModule>(); });
	// Python comes up before any plug-in module, so a plug-in finds it initialized.
	if (Options.bPython)
	{
		ModuleManager->RegisterModule("PythonScriptPlugin", []() { return std::make_unique<FPythonScriptPlugin>(); });
		ModuleManager->LoadModule("PythonScriptPlugin");
	}
	// The editor's own MCP plug-ins come up before the plug-in modules that register toolsets, and
	// after Python, so they shut down (releasing the tools scripts registered) while it still runs.
	if (Options.bBuiltInMcp)
	{
		ModuleManager->RegisterModule(FToolsetRegistryModule::ModuleName, []() { return std::make_unique<FToolsetRegistryModule>(); });
		ModuleManager->LoadModule(FToolsetRegistryModule::ModuleName);
		ModuleManager->RegisterModule(FModelContextProtocolModule::ModuleName, []() { return std::make_unique<FModelContextProtocolModule>(); });
		ModuleManager->LoadModule(FModelContextProtocolModule::ModuleName);
	}
	UE_LOG(LogHost, Log, "Project %s loaded from %s (memory allocator: %s)", FApp::GetProjectName().c_str(), FPaths::ProjectDir().c_str(), FMemory::GetAllocatorName().c_str());
	UE_LOG(LogHost, Log, "Engine content /Engine mounted read-only from %s", FPackageName::EngineContentDir().c_str());
	UE_LOG(LogHost, Log, "Plug-in content /ControlRig mounted read-only from %s", FPackageName::ControlRigContentDir().c_str());
}

FEditorHost::~FEditorHost()
{
	ModuleManager.reset();
	AssetEditorCommands.reset();
	GEditor = nullptr;
	EditorEngine.reset();
	Objects.reset();
	HttpServer.reset();
	SlateApplication.reset();
	Notifications.reset();
	PluginManager.reset();
	GConfig = nullptr;
	GEditorPerProjectIni.clear();
	GEditorHost = nullptr;
}

FEditorHost* FEditorHost::Get()
{
	return GEditorHost;
}

bool FEditorHost::StartListeners(std::string& OutError)
{
	if (!HttpServer->StartAllListeners())
	{
		if (!HttpServer->GetBoundPort(EditorHttpPort))
		{
			OutError = "Could not listen on " + Options.BindAddress + " port " + std::to_string(Options.HttpPort) + " (is another editor or server using it?)";
		}
		else
		{
			OutError = "Could not listen on " + Options.BindAddress + " port " + std::to_string(Options.McpPort)
				+ " for the editor's MCP server (is another server using it? --mcp-port chooses another)";
		}
		return false;
	}
	if (const FModelContextProtocolModule* McpServer = FModelContextProtocolModule::Get())
	{
		McpServer->LogListenAddress();
	}
	return true;
}

uint16_t FEditorHost::GetListenPort() const
{
	return HttpServer->GetBoundPort(EditorHttpPort).value_or(Options.HttpPort);
}
