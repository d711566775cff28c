#include "Graph/EdGraphNativeClasses.h"

#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ClassDatabase.h"

void BindEdGraphNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UEdGraph>();
	Database.BindNativeClass<UEdGraphNode>();
}
