#pragma once

#include "ControlRig/RigElementKey.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** One configuration override of a module: a property path of its rig and the value as text. */
struct FControlRigOverrideValue
{
	/** "Settings.ArmLength" */
	std::string Path;
	/** "45.000000" */
	std::string ValueText;

	const std::string& GetPath() const { return Path; }
	const std::string& ToString() const { return ValueText; }
};

/** One module of a modular rig: its name, the module it hangs under, its rig class and its settings. */
struct FRigModuleReference
{
	std::string Name;
	/** The parent module's name; empty for a module at the top. */
	std::string ParentModuleName;
	/** The path of the module's rig class ("/Game/Rigs/Modules/CR_Arm.CR_Arm_C"). */
	std::string ClassPath;
	std::vector<FControlRigOverrideValue> ConfigOverrides;
	/** Variable name to the bound source as text ("Root/Scale"), in order. */
	std::vector<std::pair<std::string, std::string>> Bindings;
};

/** A connector's resolved targets. */
struct FModularRigSingleConnection
{
	FRigElementKey Connector;
	std::vector<FRigElementKey> Targets;
};

/** A modular rig's modules, in order, and the connection map from connectors to target elements. */
struct FModularRigModel
{
	std::vector<FRigModuleReference> Modules;
	std::vector<FModularRigSingleConnection> Connections;

	const FRigModuleReference* FindModule(std::string_view ModuleName) const;
	/** The targets of Connector, empty when it has none. */
	std::vector<FRigElementKey> FindConnectionTargets(const FRigElementKey& Connector) const;
};
