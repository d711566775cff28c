#include "KorvaneConnectorModule.h"

#include "KorvaneLog.h"
#include "KorvaneMcpBridge.h"
#include "KorvaneStatusPanel.h"
#include "KorvaneStyle.h"
#include "KorvaneToolbar.h"
#include "PythonLiteral.h"
#include "ScriptHandoff.h"
#include "TransientDir.h"

#include "Core/Config.h"
#include "Core/FileSystem.h"
#include "Core/Paths.h"
#include "Core/Text.h"
#include "Editor/TabManager.h"
#include "Editor/ToolMenus.h"
#include "Editor/ToolMenusModule.h"
#include "Python/PythonScriptPlugin.h"
#include "Runtime/Console.h"
#include "Runtime/PluginManager.h"
#include "Slate/SlateApplication.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
	constexpr const char* SettingsSection = "KorvaneConnector";
	constexpr const char* McpToolsEnabledKey = "bMcpToolsEnabled";

	constexpr const char* DisableToolsetCommand =
		"try:\n"
		"    import korvane_mcp_toolset\n"
		"    korvane_mcp_toolset.disable()\n"
		"except Exception: pass\n";

	/** Available to the console from the moment the connector's code is loaded; it acts only while the module is. */
	const FAutoConsoleCommand RegisterFallbackCommand(
		"Korvane.MCP.RegisterFallback",
		"Bind the connector's fallback MCP endpoint (POST /korvane/mcp on port 30010) even when the UE built-in MCP is available.",
		[]() {
			if (auto* Module = FModuleManager::GetModulePtr<FKorvaneConnectorModule>(FKorvaneConnectorModule::ModuleName))
			{
				Module->BindFallbackMcpRoute();
			}
		});
}

IMPLEMENT_MODULE(FKorvaneConnectorModule, KorvaneConnector);

void FKorvaneConnectorModule::StartupModule()
{
	// The script-callable functions are part of the module's classes, known before it starts (the toolset calls them).
	UKorvaneMcpBridge::RegisterScriptFunctions();
	RegisterStyleSet();
	RegisterStatusTab();
	RegisterToolbarStartupCallback();
	RegisterRoutes();
	EnsureTransientDir();
	RemoveLegacyTransientFiles();

	const bool bToolsTurnedOff = GConfig != nullptr && !IsMcpToolsEnabled();
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	if (!bToolsTurnedOff && Python != nullptr)
	{
		if (Python->IsPythonInitialized())
		{
			BootstrapMcpToolset();
		}
		else
		{
			Python->OnPythonInitialized().AddRaw(this, [this]() { BootstrapMcpToolset(); });
		}
	}

	UE_LOG(LogKorvane, Log, "Connector plugin loaded. Remote Control API enabled on port 30010.");
}

void FKorvaneConnectorModule::ShutdownModule()
{
	UnbindFallbackMcpRoute();
	UnregisterRoutes();
	if (IPythonScriptPlugin* Python = IPythonScriptPlugin::Get())
	{
		Python->OnPythonInitialized().RemoveAll(this);
	}
	UnregisterStatusTab();
	UnregisterToolbarEntries();
	UnregisterStyleSet();
	UKorvaneMcpBridge::UnregisterScriptFunctions();
}

bool FKorvaneConnectorModule::IsMcpToolsEnabled() const
{
	if (GConfig == nullptr)
	{
		return true;
	}
	return GConfig->GetBool(SettingsSection, McpToolsEnabledKey, GEditorPerProjectIni).value_or(true);
}

void FKorvaneConnectorModule::SetMcpToolsEnabled(bool bEnabled)
{
	if (GConfig != nullptr)
	{
		GConfig->SetBool(SettingsSection, McpToolsEnabledKey, bEnabled, GEditorPerProjectIni);
		GConfig->Flush(GEditorPerProjectIni);
	}

	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	const bool bPythonInitialized = Python != nullptr && Python->IsPythonInitialized();
	if (!bEnabled)
	{
		if (bPythonInitialized)
		{
			Python->ExecPythonCommand(DisableToolsetCommand);
		}
		UnbindFallbackMcpRoute();
	}
	else if (!IsBuiltInMcpAvailable())
	{
		BindFallbackMcpRoute();
	}
	else if (bPythonInitialized)
	{
		BootstrapMcpToolset();
	}

	UE_LOG(LogKorvane, Log, "MCP tools %s.", bEnabled ? "enabled" : "disabled");
}

bool FKorvaneConnectorModule::IsBuiltInMcpAvailable() const
{
	const std::shared_ptr<IPlugin> McpPlugin = IPluginManager::Get().FindPlugin("ModelContextProtocol");
	const std::shared_ptr<IPlugin> ToolsetPlugin = IPluginManager::Get().FindPlugin("ToolsetRegistry");
	return McpPlugin && ToolsetPlugin && McpPlugin->IsEnabled() && ToolsetPlugin->IsEnabled();
}

void FKorvaneConnectorModule::BootstrapMcpToolset()
{
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	if (Python == nullptr || !Python->IsPythonAvailable())
	{
		return;
	}

	const std::string Resources = ConnectorResourcesDir();
	const std::string ScriptPath = FPaths::Combine(Resources, "korvane_mcp_toolset.py");
	if (!FPaths::FileExists(ScriptPath))
	{
		UE_LOG(LogKorvane, Warning, "MCP toolset script not found at %s", ScriptPath.c_str());
		return;
	}

	std::string FullResources = FPaths::ConvertRelativePathToFull(Resources);
	std::replace(FullResources.begin(), FullResources.end(), '\\', '/');
	Python->ExecPythonCommand(
		"import sys\n"
		"_kv_dir = " + PythonStringLiteral(FullResources) + "\n"
		"if _kv_dir not in sys.path: sys.path.insert(0, _kv_dir)\n"
		"import korvane_mcp_toolset\n"
		"korvane_mcp_toolset.enable()\n");
}

void FKorvaneConnectorModule::RemoveLegacyTransientFiles()
{
	const std::string LegacyDir = FPaths::Combine(FPaths::ProjectContentDir(), "Python");
	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	if (!PlatformFile.DirectoryExists(LegacyDir))
	{
		return;
	}

	std::vector<std::string> Files;
	PlatformFile.FindFiles(Files, LegacyDir, ".json");
	PlatformFile.FindFiles(Files, LegacyDir, ".py");
	int Removed = 0;
	for (const std::string& File : Files)
	{
		if (Text::StartsWithIgnoreCase(FPaths::GetCleanFilename(File), "_kv_") && PlatformFile.DeleteFile(File))
		{
			++Removed;
		}
	}
	if (Removed >= 1)
	{
		UE_LOG(LogKorvane, Log, "Removed %d legacy transient file(s) from Content/Python/ (now stored in Intermediate/Korvane/).", Removed);
	}
}

void FKorvaneConnectorModule::RegisterStyleSet()
{
	FKorvaneStyle::Initialize();
}

void FKorvaneConnectorModule::RegisterStatusTab()
{
	if (!FSlateApplication::IsInitialized())
	{
		return;
	}
	FGlobalTabmanager::Get()
		->RegisterNomadTabSpawner(KorvaneStatusTabId, FOnSpawnTab::CreateStatic(&SpawnStatusTab))
		.SetDisplayName(NSLOCTEXT("KorvaneConnector", "KorvaneTabTitle", "Korvane"))
		.SetMenuType(ETabSpawnerMenuType::Hidden);
}

void FKorvaneConnectorModule::RegisterToolbarStartupCallback()
{
	UToolMenus::RegisterStartupCallback(FSimpleDelegate::CreateRaw(this, &FKorvaneConnectorModule::RegisterToolbarExtensions));
}

void FKorvaneConnectorModule::RegisterToolbarExtensions()
{
	// Run again (the tool menus came up anew), the entries replace themselves by name; the rig extender is ours to replace.
	KorvaneToolbar::RemoveControlRigExtender(ControlRigToolBarExtender);
	ControlRigToolBarExtender = KorvaneToolbar::RegisterToolbarExtensions();
}

void FKorvaneConnectorModule::UnregisterStatusTab()
{
	if (FSlateApplication::IsInitialized())
	{
		FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(KorvaneStatusTabId);
	}
}

void FKorvaneConnectorModule::UnregisterToolbarEntries()
{
	UToolMenus::UnRegisterStartupCallback(this);
	if (FModuleManager::Get().IsModuleLoaded(FToolMenusModule::ModuleName))
	{
		UToolMenus::UnregisterOwner(this);
	}
	// The Control Rig editor builds its toolbar from the RigVMEditor module's extenders, which outlive this module.
	KorvaneToolbar::RemoveControlRigExtender(ControlRigToolBarExtender);
	ControlRigToolBarExtender.reset();
}

void FKorvaneConnectorModule::UnregisterStyleSet()
{
	FKorvaneStyle::Shutdown();
}
