#pragma once

class UClass;
class UEdGraphNode;

/**
 * The Blueprint node classes the Blueprint routes tell apart, from the class database.
 * A class test includes subclasses; a class the database lacks matches nothing.
 */
namespace BlueprintNodeClasses
{
	UClass* Comment();
	UClass* Event();
	UClass* CustomEvent();
	UClass* FunctionEntry();
	UClass* FunctionResult();
	UClass* VariableGet();
	UClass* VariableSet();
	UClass* IfThenElse();
	UClass* ExecutionSequence();
}

/** Whether Node's class is Class or derives from it; false when Class is nullptr. */
bool IsNodeA(const UEdGraphNode& Node, const UClass* Class);
