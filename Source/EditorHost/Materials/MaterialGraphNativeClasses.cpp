#include "Materials/MaterialGraphNativeClasses.h"

#include "Materials/MaterialGraph.h"
#include "Objects/ClassDatabase.h"

void BindMaterialGraphNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UMaterialGraph>();
	Database.BindNativeClass<UMaterialGraphSchema>();
	Database.BindNativeClass<UMaterialGraphNode_Base>();
	Database.BindNativeClass<UMaterialGraphNode>();
	Database.BindNativeClass<UMaterialGraphNode_Knot>();
	Database.BindNativeClass<UMaterialGraphNode_Root>();
	Database.BindNativeClass<UMaterialGraphNode_Comment>();
}
