#include "Blueprints/BlueprintNativeClasses.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Objects/ClassDatabase.h"

void BindBlueprintNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UBlueprint>();
	Database.BindNativeClass<UBlueprintGeneratedClass>();
	Database.BindNativeClass<USimpleConstructionScript>();
	Database.BindNativeClass<USCS_Node>();
}
