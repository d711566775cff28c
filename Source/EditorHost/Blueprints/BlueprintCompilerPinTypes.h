#pragma once

#include <optional>
#include <string>

class UBlueprint;
struct FEdGraphPinType;

/**
 * The type of a pin in words, as the editor's messages and tooltips put it: "Boolean",
 * "Integer", "Float (double-precision)", "Vector Structure", "Actor Object Reference",
 * "Array of Integers"...
 */
std::string PinTypeToText(const FEdGraphPinType& PinType);

/**
 * Why a value of type Output cannot flow into a pin of type Input, in the editor's words
 * ("Integer is not compatible with String."); nothing when the link is fine. Wildcards take
 * anything (reroute knots pass exec on too); single and double precision reals convert;
 * objects and classes must be the input's class or derive from it; structures and
 * enumerations must be the same. A class that cannot be found (not loaded) is taken on trust.
 * Blueprint is the graph's owner, which object pins of sub-category `self` mean.
 */
std::optional<std::string> FindPinTypeMismatch(const FEdGraphPinType& Output, const FEdGraphPinType& Input, const UBlueprint& Blueprint);
