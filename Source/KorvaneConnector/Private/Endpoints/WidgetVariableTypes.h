#pragma once

#include "Graph/EdGraphPinType.h"

#include <optional>
#include <string>
#include <string_view>

/** A Blueprint variable type in the desktop app's words: "float", "vector", "object" with the class name as sub-type. */
struct FVariableTypeName
{
	std::string Type;
	/** The structure or class name of "struct", "object" and "class"; empty otherwise. */
	std::string SubType;
};

/**
 * The variable type of a type word (any letter case): "bool", "int", "int64", "byte", "string",
 * "name", "text", "float"/"double"/"real", "vector", "vector2d", "rotator", "transform",
 * "linearcolor"/"color", "object" and "class". An "object" or "class" names the class SubTypePath
 * loads (as a class, else as a Blueprint's generated class), else the class SubType names among
 * the engine's and UMG's loaded classes or as a project Blueprint "/Game/<SubType>.<SubType>_C",
 * else the base object class. Nothing for any other word ("struct" included).
 */
std::optional<FEdGraphPinType> PinTypeFromTypeName(std::string_view TypeWord, std::string_view SubType, std::string_view SubTypePath);

/**
 * The type word of a variable type, the reverse of PinTypeFromTypeName but not its inverse: reals
 * read as "float", the colour as "linearcolor", other structures as "struct" with their name, and
 * every type without a word of its own (enumerations, soft references, interfaces...) as "string".
 */
FVariableTypeName TypeNameFromPinType(const FEdGraphPinType& PinType);
