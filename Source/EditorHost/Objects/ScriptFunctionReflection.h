#pragma once

#include "Objects/Function.h"
#include "Objects/ScriptCallable.h"

#include <optional>
#include <string>
#include <vector>

/**
 * The reflected function the class database holds for a script-callable function: flagged
 * Static, BlueprintCallable, Public, Native and Final; Category and ToolTip metadata; one
 * parameter per script parameter (strings and string arrays passed by const reference), each
 * default as CPP_Default_<Param> metadata, and the return value.
 */
UFunction MakeScriptFunctionReflection(const FScriptFunction& Function);

/**
 * Why the functions cannot be offered to scripts, or empty when they can: a function without a
 * name or without code, two functions or two parameters of one function with the same script
 * name, a default of another type than its parameter, or a required parameter after one with a
 * default.
 */
std::optional<std::string> FindScriptFunctionsFault(const std::vector<FScriptFunction>& Functions);
