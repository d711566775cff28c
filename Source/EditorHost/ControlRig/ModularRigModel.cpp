#include "ControlRig/ModularRigModel.h"

#include <algorithm>

const FRigModuleReference* FModularRigModel::FindModule(std::string_view ModuleName) const
{
	const auto Found = std::find_if(Modules.begin(), Modules.end(), [ModuleName](const FRigModuleReference& Module) { return Module.Name == ModuleName; });
	return Found != Modules.end() ? &*Found : nullptr;
}

std::vector<FRigElementKey> FModularRigModel::FindConnectionTargets(const FRigElementKey& Connector) const
{
	const auto Found = std::find_if(Connections.begin(), Connections.end(), [&Connector](const FModularRigSingleConnection& Connection) { return Connection.Connector == Connector; });
	return Found != Connections.end() ? Found->Targets : std::vector<FRigElementKey>();
}
