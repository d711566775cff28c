#pragma once

#include "Graph/EdGraphNode.h"

#include <string>
#include <string_view>

class UClass;

/**
 * An event bound to a delegate of one of the Blueprint's components or widgets (a button's
 * OnClicked). The node names the component's member variable (ComponentPropertyName), the
 * delegate (DelegatePropertyName) and the class declaring it (DelegateOwnerClass); the compiler
 * makes its handler function under CustomFunctionName. The values live in the node's copy-paste
 * properties, so reading and writing them keeps every other line of the node.
 */
class UK2Node_ComponentBoundEvent : public UEdGraphNode
{
	DECLARE_ENGINE_CLASS(UK2Node_ComponentBoundEvent, UEdGraphNode, "/Script/BlueprintGraph.K2Node_ComponentBoundEvent")

public:
	/** The handler's name; empty ("None" as the editor writes it) until it is named. */
	std::string GetCustomFunctionName() const;
	void SetCustomFunctionName(std::string_view Name);
	std::string GetComponentPropertyName() const;
	std::string GetDelegatePropertyName() const;
	/** The class declaring the delegate, or nullptr when the node names none or an unknown one. */
	UClass* GetDelegateOwnerClass() const;
};
