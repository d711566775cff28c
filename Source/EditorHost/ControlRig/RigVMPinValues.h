#pragma once

#include "ControlRig/RigVMValue.h"

#include <optional>
#include <string_view>

class UObject;
class URigVMPin;
enum class ERigVMPinDirection : uint8_t;

/**
 * A pin inside Outer (a node, or the structure pin it is a member of) with sub-pins for the
 * members of a structure type the host knows, each holding its part of DefaultValue. nullptr
 * when Outer has a pin of that name already or the name is not one a pin path can hold.
 */
URigVMPin* CreateRigVMPin(UObject& Outer, std::string_view Name, ERigVMPinDirection Direction, std::string_view CPPType, std::string_view DefaultValue);

/** Whether a pin path or link can name a node or pin of this name: not empty and free of dots, spaces, quotes, brackets, commas, control characters and path separators. */
bool IsValidRigVMName(std::string_view Name);

/** The pin's value from its default value text, with its sub-pins' values over it; nothing for a pin of unknown type or without a readable value. */
std::optional<FRigVMValue> ReadRigVMPinValue(const URigVMPin& Pin);

/**
 * Makes Value the pin's default value: its text, its sub-pins' texts, and the texts of the
 * structure pins it is a member of.
 */
void WriteRigVMPinValue(URigVMPin& Pin, const FRigVMValue& Value);
