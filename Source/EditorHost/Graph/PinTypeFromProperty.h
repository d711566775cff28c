#pragma once

#include "Graph/EdGraphPinType.h"

#include <optional>
#include <string>
#include <string_view>

class FProperty;
class UClass;
class UFunction;

/** The pin categories and the sub-category of Blueprint graphs, with the editor's names. */
namespace UEdGraphSchema_K2
{
	inline constexpr std::string_view PC_Exec = "exec";
	inline constexpr std::string_view PC_Boolean = "bool";
	inline constexpr std::string_view PC_Byte = "byte";
	inline constexpr std::string_view PC_Int = "int";
	inline constexpr std::string_view PC_Int64 = "int64";
	inline constexpr std::string_view PC_Real = "real";
	inline constexpr std::string_view PC_Float = "float";
	inline constexpr std::string_view PC_Double = "double";
	inline constexpr std::string_view PC_Name = "name";
	inline constexpr std::string_view PC_String = "string";
	inline constexpr std::string_view PC_Text = "text";
	inline constexpr std::string_view PC_Struct = "struct";
	inline constexpr std::string_view PC_Object = "object";
	inline constexpr std::string_view PC_Class = "class";
	inline constexpr std::string_view PC_SoftObject = "softobject";
	inline constexpr std::string_view PC_SoftClass = "softclass";
	inline constexpr std::string_view PC_Interface = "interface";
	inline constexpr std::string_view PC_Delegate = "delegate";
	inline constexpr std::string_view PC_Wildcard = "wildcard";
	/** The sub-category of object pins that mean "the Blueprint's own class". */
	inline constexpr std::string_view PSC_Self = "self";
}

/**
 * The pin type the editor gives a value of C++ type CPPType, as the class database writes
 * types ("bool", "int32", "double", "FVector", "const UObject*", "TObjectPtr<UStaticMesh>",
 * "TSubclassOf<AActor>", "TSoftObjectPtr<UTexture2D>", "TArray<AActor*>",
 * "TEnumAsByte<EEndPlayReason::Type>"...). Classes and structures are looked up in the class
 * database and named in the sub-category object (`"/Script/CoreUObject.Class'/Script/Engine.Actor'"`);
 * an enumeration the database lacks leaves a plain byte. Nothing for types that have no pin
 * (unsigned and narrow integers, raw pointers to unknown classes, unknown structures, nested
 * containers).
 */
std::optional<FEdGraphPinType> PinTypeFromCPPType(std::string_view CPPType);

/** Whether a function parameter is an input pin: not the return value, and not an output unless passed by reference. */
bool IsFunctionInputParam(const FProperty& Param);

/**
 * The pin type of a property or function parameter: its C++ type's, and for a by-reference
 * input (CPF_ReferenceParm) a reference pin, const when the parameter is.
 */
std::optional<FEdGraphPinType> PinTypeFromProperty(const FProperty& Property);

/**
 * The pin type of a parameter of Function as its call node shows it: PinTypeFromProperty, with
 * the parameters the function names in its ArrayParm and ArrayTypeDependentParams metadata
 * turned into wildcards (the array functions take any element type).
 */
std::optional<FEdGraphPinType> PinTypeFromFunctionParam(const UFunction& Function, const FProperty& Param);

/** Whether the function's metadata Key (a comma-separated list such as AutoCreateRefTerm) names the parameter. */
bool IsParamListedInMetaData(const UFunction& Function, std::string_view Key, std::string_view ParamName);

/** An object pin type for Class (the target pin of a member function call). */
FEdGraphPinType ObjectPinTypeOf(const UClass& Class);

/** A sub-category object reference as the editor writes it: `"/Script/CoreUObject.<TypeClass>'<ObjectPath>'"`. */
std::string MakePinSubCategoryObjectText(std::string_view TypeClass, std::string_view ObjectPath);
