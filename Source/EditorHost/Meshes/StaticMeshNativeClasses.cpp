#include "Meshes/StaticMeshNativeClasses.h"

#include "Meshes/StaticMesh.h"
#include "Objects/ClassDatabase.h"

void BindStaticMeshNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UStaticMesh>();
}
