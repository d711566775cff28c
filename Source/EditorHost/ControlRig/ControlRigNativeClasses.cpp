#include "ControlRig/ControlRigNativeClasses.h"

#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/ControlRigShapeLibrary.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMNativeClasses.h"
#include "Objects/ClassDatabase.h"

void BindControlRigNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<URigVMHost>();
	Database.BindNativeClass<UControlRig>();
	Database.BindNativeClass<UControlRigBlueprint>();
	Database.BindNativeClass<URigHierarchy>();
	Database.BindNativeClass<UControlRigShapeLibrary>();
	BindRigVMNativeClasses(Database);
}
