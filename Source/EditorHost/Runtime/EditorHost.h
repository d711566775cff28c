#pragma once

#include "Core/Config.h"
#include "Editor/Notifications.h"
#include "Http/HttpServerModule.h"
#include "Runtime/GameThread.h"
#include "Runtime/ModuleManager.h"
#include "Runtime/PluginManager.h"

#include <cstdint>
#include <memory>
#include <string>

class FAssetEditorCommands;
class FObjectStore;
class FSlateApplication;
class UEditorEngine;

/** How to start the editor host. */
struct FEditorHostOptions
{
	/** The project folder, holding one <Name>.uproject file. */
	std::string ProjectDir;
	/**
	 * The engine content folder mounted read-only as "/Engine". Empty: the
	 * folder named by the environment variable KORVANE_ENGINE_CONTENT_DIR, else
	 * the EngineContent folder that ships in the host's sources. A missing
	 * folder mounts "/Engine" without assets.
	 */
	std::string EngineContentDir;
	/**
	 * The Control Rig plug-in's content folder mounted read-only as "/ControlRig". Empty: the folder
	 * named by the environment variable KORVANE_CONTROLRIG_CONTENT_DIR, else the
	 * PluginContent/ControlRig folder that ships in the host's sources. A missing folder mounts
	 * "/ControlRig" without assets.
	 */
	std::string ControlRigContentDir;
	/** The KorvaneConnector plug-in folder (with Resources/ in it); empty: the plug-in manager does not list it. */
	std::string ConnectorPluginDir;
	/** Where the editor's HTTP port 30010 really listens; 0 picks a free port. */
	uint16_t HttpPort = 30010;
	/** Where the editor's MCP server (port 8000, with --builtin-mcp) really listens; 0 picks a free port. */
	uint16_t McpPort = 8000;
	/** Where the editor's UI for a browser (its logical port 30000) really listens; 0 picks a free port. */
	uint16_t UiPort = 30000;
	/** The address the HTTP listeners bind to. */
	std::string BindAddress = "127.0.0.1";
	/** Whether the Python scripting module may load (it needs the embedded interpreter). */
	bool bPython = true;
	/** Whether the editor's own MCP server plug-ins (ModelContextProtocol, ToolsetRegistry) are present and enabled. */
	bool bBuiltInMcp = false;
	/** Whether the configuration system exists (editors without one read every setting as absent). */
	bool bConfigSystem = true;
	/** Whether the module "RemoteControl" (the engine's Remote Control API) is loaded at start-up. */
	bool bRemoteControl = true;
};

/**
 * The headless editor: it owns the game thread and every engine service, and makes
 * them reachable through the engine's accessors (FModuleManager::Get() and the
 * like) while it lives. One host at a time.
 */
class FEditorHost
{
public:
	/** Loads the project folder; nullptr and a message when it is not a project. */
	static std::unique_ptr<FEditorHost> Create(const FEditorHostOptions& Options, std::string& OutError);
	/** Unloads every module (last loaded first), then stops the listeners. */
	~FEditorHost();
	FEditorHost(const FEditorHost&) = delete;
	FEditorHost& operator=(const FEditorHost&) = delete;

	/** The running host, or nullptr. */
	static FEditorHost* Get();

	/** The HTTP port the connector's routes use inside the editor. */
	static constexpr uint16_t EditorHttpPort = 30010;
	/** The HTTP port of the editor's UI for a browser. */
	static constexpr uint16_t EditorUiPort = 30000;

	const FEditorHostOptions& GetOptions() const { return Options; }
	FGameThread& GetGameThread() { return GameThread; }
	FModuleManager& GetModuleManager() { return *ModuleManager; }
	FPluginManager& GetPluginManager() { return *PluginManager; }
	FHttpServerModule& GetHttpServer() { return *HttpServer; }
	FSlateNotificationManager& GetNotifications() { return *Notifications; }
	FSlateApplication& GetSlateApplication() { return *SlateApplication; }
	/** The editor engine, also reachable as GEditor while the host lives. */
	UEditorEngine& GetEditorEngine() { return *EditorEngine; }

	/** Starts the HTTP listeners; false and a message when a port cannot be bound. */
	bool StartListeners(std::string& OutError);
	/** The real port behind the editor's port 30010, once listening. */
	uint16_t GetListenPort() const;

private:
	explicit FEditorHost(const FEditorHostOptions& InOptions);

	FEditorHostOptions Options;
	FGameThread GameThread;
	FConfigCacheIni Config;
	std::unique_ptr<FPluginManager> PluginManager;
	std::unique_ptr<FSlateNotificationManager> Notifications;
	std::unique_ptr<FSlateApplication> SlateApplication;
	std::unique_ptr<FHttpServerModule> HttpServer;
	std::unique_ptr<FObjectStore> Objects;
	std::unique_ptr<UEditorEngine> EditorEngine;
	std::unique_ptr<FAssetEditorCommands> AssetEditorCommands;
	std::unique_ptr<FModuleManager> ModuleManager;
};
