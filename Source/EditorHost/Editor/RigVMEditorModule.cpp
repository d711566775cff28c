#include "Editor/RigVMEditorModule.h"

#include "Editor/ExtensibilityManager.h"

IRigVMEditorModule* IRigVMEditorModule::Get()
{
	return FModuleManager::GetModulePtr<IRigVMEditorModule>(ModuleName);
}

void FRigVMEditorModule::StartupModule()
{
	ToolBarExtensibilityManager = std::make_shared<FExtensibilityManager>();
	MenuExtensibilityManager = std::make_shared<FExtensibilityManager>();
}

void FRigVMEditorModule::ShutdownModule()
{
	ToolBarExtensibilityManager.reset();
	MenuExtensibilityManager.reset();
}
