#pragma once

#include "Runtime/ModuleManager.h"

#include <memory>

class UToolMenus;

/** The module "ToolMenus": the editor's tool menus live while it is loaded. */
class FToolMenusModule : public IModuleInterface
{
public:
	static constexpr const char* ModuleName = "ToolMenus";

	FToolMenusModule();
	~FToolMenusModule() override;

	void StartupModule() override;
	void ShutdownModule() override;

private:
	std::unique_ptr<UToolMenus> ToolMenus;
};
