#include "Data/DataNativeClasses.h"

#include "Data/CurveFloat.h"
#include "Data/CurveVector.h"
#include "Data/DataTable.h"
#include "Objects/ClassDatabase.h"

void BindDataNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UDataTable>();
	Database.BindNativeClass<UCurveFloat>();
	Database.BindNativeClass<UCurveVector>();
}
