#include "Objects/ClassDatabase.h"
#include "Objects/Package.h"

// Every C++ type that stands for an engine class is bound here, so that an
// object loaded or created for that class (or a class derived from it that has
// no C++ type of its own) is made with that type.
void BindNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UPackage>();
}
