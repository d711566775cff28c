#include "Editor/ToolMenusModule.h"

#include "Editor/ToolMenus.h"

FToolMenusModule::FToolMenusModule() = default;
FToolMenusModule::~FToolMenusModule() = default;

void FToolMenusModule::StartupModule()
{
	ToolMenus = std::make_unique<UToolMenus>();
	ToolMenus->RunStartupCallbacks();
}

void FToolMenusModule::ShutdownModule()
{
	ToolMenus.reset();
}
