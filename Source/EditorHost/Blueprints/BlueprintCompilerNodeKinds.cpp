#include "Blueprints/BlueprintCompilerNodeKinds.h"

#include "Graph/EdGraphNode.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"

bool IsNodeOfClass(const UEdGraphNode& Node, std::string_view ClassPath)
{
	const UClass* const Class = FClassDatabase::Get().FindClass(ClassPath);
	return Class != nullptr && Node.GetClass() != nullptr && Node.GetClass()->IsChildOf(Class);
}
