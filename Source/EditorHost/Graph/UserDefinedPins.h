#pragma once

#include "Graph/EdGraphPin.h"
#include "Graph/EdGraphPinType.h"

#include <string>
#include <string_view>
#include <vector>

class UEdGraphNode;

/**
 * The parameters of an editable node (a function entry's inputs, a function result's outputs),
 * as the editor keeps them: one `CustomProperties UserDefinedPin (PinName=...,PinType=(...),
 * DesiredPinDirection=...)` line each, beside the pin it makes.
 */
struct FUserPinInfo
{
	std::string PinName;
	FEdGraphPinType PinType;
	EEdGraphPinDirection DesiredPinDirection = EEdGraphPinDirection::Input;
};

/** The node's user-defined pins in the order of their lines. */
std::vector<FUserPinInfo> GetUserDefinedPins(const UEdGraphNode& Node);

/**
 * Adds a parameter: its UserDefinedPin line after the node's other custom lines, and a pin of
 * that name, type and direction written among the node's pin lines. nullptr when the name is
 * empty or the node already has a pin or a user-defined pin of that name (ignoring case).
 */
UEdGraphPin* CreateUserDefinedPin(UEdGraphNode& Node, std::string_view PinName, const FEdGraphPinType& PinType, EEdGraphPinDirection DesiredDirection);

/** Removes the parameter's UserDefinedPin line and its pin (breaking its links); false when there is none of that name. */
bool RemoveUserDefinedPin(UEdGraphNode& Node, std::string_view PinName);
