#pragma once

#include "Runtime/ModuleManager.h"

/**
 * The module "RemoteControl": the engine's Remote Control API, served on the editor's HTTP
 * port 30010 (the port the connector's routes share). It is loaded when the editor starts
 * unless the host's options leave it out; UI that reports whether the API is up asks whether
 * this module is loaded.
 */
class FRemoteControlModule : public IModuleInterface
{
public:
	static constexpr const char* ModuleName = "RemoteControl";

	void StartupModule() override;
};
