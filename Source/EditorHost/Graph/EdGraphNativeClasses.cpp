#include "Graph/EdGraphNativeClasses.h"

#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2Node_ComponentBoundEvent.h"
#include "Objects/ClassDatabase.h"

void BindEdGraphNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UEdGraph>();
	Database.BindNativeClass<UEdGraphNode>();
	Database.BindNativeClass<UK2Node_ComponentBoundEvent>();
}
