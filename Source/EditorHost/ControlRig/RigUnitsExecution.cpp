#include "ControlRig/RigUnitRegistry.h"

namespace
{
	FRigUnitDeclaration MakeEventUnit(std::string_view ScriptStructPath, std::string_view EventName)
	{
		return {ScriptStructPath, ERigUnitKind::Event, EventName, {{RigVMExecutePinName, ERigVMPinDirection::Output, RigVMExecuteContextType, {}}}, nullptr};
	}
}

void AppendExecutionRigUnits(std::vector<FRigUnitDeclaration>& OutUnits)
{
	OutUnits.push_back(MakeEventUnit("/Script/ControlRig.RigUnit_BeginExecution", "Forwards Solve"));
	OutUnits.push_back(MakeEventUnit("/Script/ControlRig.RigUnit_PrepareForExecution", "Construction"));
	OutUnits.push_back(MakeEventUnit("/Script/ControlRig.RigUnit_InverseExecution", "Backwards Solve"));
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_ForLoopCount",
		ERigUnitKind::ForLoop,
		{},
		{
			{RigVMExecutePinName, ERigVMPinDirection::IO, RigVMExecuteContextType, {}},
			{"Count", ERigVMPinDirection::Input, "int32", "1"},
			{"Index", ERigVMPinDirection::Output, "int32", {}},
			{"Ratio", ERigVMPinDirection::Output, "float", {}},
			{"Completed", ERigVMPinDirection::Output, RigVMExecuteContextType, {}},
		},
		nullptr});
}
