#pragma once

#include "Runtime/ModuleManager.h"

#include <memory>

class FExtensibilityManager;

/**
 * The module "RigVMEditor": the RigVM-based editors (the Control Rig editor) build their
 * toolbar and menus from its extensibility managers, so extenders added there show in every
 * Control Rig editor opened afterwards (and in open ones when their toolbar is built again).
 */
class IRigVMEditorModule : public IModuleInterface
{
public:
	static constexpr const char* ModuleName = "RigVMEditor";

	virtual std::shared_ptr<FExtensibilityManager> GetToolBarExtensibilityManager() = 0;
	virtual std::shared_ptr<FExtensibilityManager> GetMenuExtensibilityManager() = 0;

	/** The loaded module, or nullptr. */
	static IRigVMEditorModule* Get();
};

class FRigVMEditorModule final : public IRigVMEditorModule
{
public:
	void StartupModule() override;
	void ShutdownModule() override;
	std::shared_ptr<FExtensibilityManager> GetToolBarExtensibilityManager() override { return ToolBarExtensibilityManager; }
	std::shared_ptr<FExtensibilityManager> GetMenuExtensibilityManager() override { return MenuExtensibilityManager; }

private:
	std::shared_ptr<FExtensibilityManager> ToolBarExtensibilityManager;
	std::shared_ptr<FExtensibilityManager> MenuExtensibilityManager;
};
