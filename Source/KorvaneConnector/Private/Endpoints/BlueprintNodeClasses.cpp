#include "Endpoints/BlueprintNodeClasses.h"

#include "Graph/EdGraphNode.h"
#include "Objects/ClassDatabase.h"

#include <string_view>

namespace
{
	UClass* FindNodeClass(std::string_view ClassPath)
	{
		return FClassDatabase::Get().FindClass(ClassPath);
	}
}

namespace BlueprintNodeClasses
{
	UClass* Comment()
	{
		static UClass* const Class = FindNodeClass("/Script/UnrealEd.EdGraphNode_Comment");
		return Class;
	}

	UClass* Event()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_Event");
		return Class;
	}

	UClass* CustomEvent()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_CustomEvent");
		return Class;
	}

	UClass* FunctionEntry()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_FunctionEntry");
		return Class;
	}

	UClass* FunctionResult()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_FunctionResult");
		return Class;
	}

	UClass* VariableGet()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_VariableGet");
		return Class;
	}

	UClass* VariableSet()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_VariableSet");
		return Class;
	}

	UClass* IfThenElse()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_IfThenElse");
		return Class;
	}

	UClass* ExecutionSequence()
	{
		static UClass* const Class = FindNodeClass("/Script/BlueprintGraph.K2Node_ExecutionSequence");
		return Class;
	}
}

bool IsNodeA(const UEdGraphNode& Node, const UClass* Class)
{
	return Class != nullptr && Node.IsA(Class);
}
