#pragma once

#include <string>

class UEdGraphNode;

/** Which of a node's titles: the one on the node in the graph, or the one in lists (search results, bookmarks). */
enum class ENodeTitleType
{
	FullTitle,
	ListView,
};

/**
 * A node's title as the editor shows it, worked out from its class and the properties it
 * was pasted with (copy-paste text carries no titles). Per node class, without the
 * K2Node_ prefix:
 * - CallFunction, CallArrayFunction: the function's DisplayName metadata when the class
 *   database knows it (MemberParent, else any class declaring MemberName), else MemberName
 *   split into words ("Print String"). K2_ functions carry DisplayName ("GetActorLocation").
 *   The editor's "Target is ..." line needs the blueprint's class, so it is left out.
 * - Event: "Event " and the event function's DisplayName ("Event BeginPlay"), else its name.
 * - CustomEvent: CustomFunctionName; the full title adds the line "Custom Event".
 * - VariableGet: the variable name; in lists "Get <name>".
 * - VariableSet: "SET" on the node; in lists "Set <name>".
 * - FunctionEntry: the function's name as written; FunctionResult: "Return Node".
 * - IfThenElse "Branch", ExecutionSequence "Sequence", Select "Select", Self "Self",
 *   SwitchInteger "Switch on Int", SwitchEnum "Switch on <enum>", DynamicCast
 *   "Cast To <class>" (a blueprint class without its _C), MakeStruct / BreakStruct
 *   "Make <struct>" / "Break <struct>", MacroInstance the macro graph's name, Timeline its
 *   TimelineName, InputKey the key's name, CreateWidget "Create Widget".
 * - EdGraphNode_Comment: the comment text (NodeComment).
 * - Any other class: its name without the K2Node_ prefix.
 */
std::string GetNodeTitle(const UEdGraphNode& Node, ENodeTitleType TitleType);
