#include "ControlRig/RigVMNativeClasses.h"

#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Objects/ClassDatabase.h"

void BindRigVMNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<URigVMGraph>();
	Database.BindNativeClass<URigVMFunctionLibrary>();
	Database.BindNativeClass<URigVMNode>();
	Database.BindNativeClass<URigVMUnitNode>();
	Database.BindNativeClass<URigVMPin>();
	Database.BindNativeClass<URigVMLink>();
	Database.BindNativeClass<URigVMController>();
}
