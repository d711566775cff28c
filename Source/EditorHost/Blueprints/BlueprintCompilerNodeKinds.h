#pragma once

#include <string_view>

class UEdGraphNode;

/** The Blueprint node classes the compiler and the node refresh tell apart. */
namespace K2NodeClass
{
	inline constexpr std::string_view CallFunction = "/Script/BlueprintGraph.K2Node_CallFunction";
	inline constexpr std::string_view Event = "/Script/BlueprintGraph.K2Node_Event";
	inline constexpr std::string_view CustomEvent = "/Script/BlueprintGraph.K2Node_CustomEvent";
	inline constexpr std::string_view ComponentBoundEvent = "/Script/BlueprintGraph.K2Node_ComponentBoundEvent";
	inline constexpr std::string_view FunctionEntry = "/Script/BlueprintGraph.K2Node_FunctionEntry";
	inline constexpr std::string_view VariableGet = "/Script/BlueprintGraph.K2Node_VariableGet";
	inline constexpr std::string_view VariableSet = "/Script/BlueprintGraph.K2Node_VariableSet";
}

/** Whether the node's class is the class at ClassPath or derives from it (false when the database lacks the class). */
bool IsNodeOfClass(const UEdGraphNode& Node, std::string_view ClassPath);
