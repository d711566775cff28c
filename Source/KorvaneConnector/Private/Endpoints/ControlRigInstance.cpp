#include "Endpoints/ControlRigInstance.h"

#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

FTransientControlRig::FTransientControlRig(const UControlRigBlueprint& Blueprint)
{
	if (Blueprint.GeneratedClass == nullptr)
	{
		return;
	}
	Rig = NewObject<UControlRig>(GetTransientPackage(), Blueprint.GeneratedClass);
	if (Rig != nullptr && !Rig->Initialize(true))
	{
		Rig->MarkAsGarbage();
		Rig = nullptr;
	}
}

FTransientControlRig::~FTransientControlRig()
{
	if (Rig != nullptr)
	{
		Rig->MarkAsGarbage();
	}
}
