#pragma once

#include "Graph/EdGraphPinType.h"

#include <optional>
#include <string>
#include <string_view>

class UBlueprint;
class UClass;
class UEdGraph;
class UEdGraphNode;
class UFunction;
struct FMemberReference;

/**
 * Where the compiler looks up the members a node names: the Blueprint and its parent
 * Blueprints (graphs, variables, components) and then the first native class of their
 * parent chain (the class database). A scope without either is one the compiler cannot
 * see into (a class that is not loaded).
 */
struct FMemberScope
{
	/** The Blueprint whose members come first; nullptr for a native class. */
	const UBlueprint* Blueprint = nullptr;
	/** The native class: the Blueprint's first native ancestor, or the referenced class itself. */
	const UClass* NativeClass = nullptr;
	/** How messages name the scope: the Blueprint's or the class's name. */
	std::string DisplayName;
};

/** The parent Blueprint of Blueprint (the one that generated its parent class), or nullptr. */
const UBlueprint* GetParentBlueprint(const UBlueprint& Blueprint);

/** The first native class above the Blueprint (past any parent Blueprints); nullptr when the parent is missing. */
const UClass* GetNativeParentClass(const UBlueprint& Blueprint);

/** Whether objects of the Blueprint's class are instances of Base (also before its first compile). */
bool IsBlueprintChildOf(const UBlueprint& Blueprint, const UClass* Base);

/**
 * The scope a member reference names, seen from the Blueprint being compiled: the Blueprint
 * itself for self-context references, a loaded Blueprint for its generated class, else the
 * class database's class. The scope's names stay set when the class cannot be found.
 */
FMemberScope ResolveMemberScope(const UBlueprint& Blueprint, const FMemberReference& Reference);

/** What a function name resolves to: a native function, or a Blueprint's function graph or custom event. */
struct FFoundFunction
{
	const UFunction* NativeFunction = nullptr;
	/** The Blueprint that declares it when it is a Blueprint function. */
	const UBlueprint* DeclaringBlueprint = nullptr;
};

/** The function of that name in the scope: the Blueprints' function graphs and custom events first, then the native class chain. */
std::optional<FFoundFunction> FindFunctionInScope(const FMemberScope& Scope, std::string_view FunctionName);

/** Whether the scope has a variable of that name: Blueprint variables and components, then native properties. */
bool HasVariableInScope(const FMemberScope& Scope, std::string_view VariableName);

/** The pin type of that variable in the scope: a Blueprint variable's type, a component's class or a native property's type. */
std::optional<FEdGraphPinType> FindVariablePinType(const FMemberScope& Scope, std::string_view VariableName);

/** Whether Graph's function entry declares a local variable or a parameter of that name. */
bool HasLocalVariable(const UEdGraph& Graph, std::string_view VariableName);

/** The plain text of a node property as pasted (a string unquoted); empty when absent. */
std::string GetNodePropertyText(const UEdGraphNode& Node, std::string_view PropertyName);

/** A field of a node property that is a list (`MemberScope` of `VariableReference`); empty when absent. */
std::string GetNodePropertyField(const UEdGraphNode& Node, std::string_view PropertyName, std::string_view FieldName);
