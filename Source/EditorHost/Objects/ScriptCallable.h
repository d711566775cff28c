#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

/**
 * Native functions a plug-in offers to scripts, as the engine's reflection offers a class's
 * static BlueprintCallable functions to Python: `editor.<ClassName>.<snake_case_name>(...)`,
 * parameters by position or by their snake-case names (a bool's "b" prefix dropped:
 * bBundleTextures is bundle_textures), defaults as declared.
 */
enum class EScriptValueType : uint8_t
{
	Bool,
	Int,
	Float,
	String,
	StringArray,
};

using FScriptValue = std::variant<bool, int64_t, double, std::string, std::vector<std::string>>;

struct FScriptParam
{
	/** The C++ parameter name ("BlueprintPath", "bBundleTextures"). */
	std::string Name;
	EScriptValueType Type = EScriptValueType::String;
	/** The value a script that leaves the parameter out passes; none: the parameter is required. */
	std::optional<FScriptValue> Default;
};

struct FScriptFunction
{
	/** The C++ function name ("SendBlueprintToKorvane"). */
	std::string Name;
	/** The function's category metadata ("Korvane|MCP"). */
	std::string Category;
	/** The function's tooltip, shown as the Python method's docstring. */
	std::string ToolTip;
	std::vector<FScriptParam> Params;
	EScriptValueType ReturnType = EScriptValueType::String;
	/** Called on the game thread with one value per parameter, each of its declared type. */
	std::function<FScriptValue(const std::vector<FScriptValue>& Arguments)> Invoke;
};

/**
 * Adds a native class (path "/Script/<Module>.<Name>", below the super class) with its static
 * script-callable functions to the class database; registering a class path again replaces
 * its functions (a module loaded a second time). Game thread only.
 */
void RegisterScriptCallableClass(std::string_view ClassPath, std::string_view SuperClassPath, std::vector<FScriptFunction> Functions);
/** Withdraws the functions of the class from scripts (the class itself stays known, as in the engine). */
void UnregisterScriptCallableClass(std::string_view ClassPath);
