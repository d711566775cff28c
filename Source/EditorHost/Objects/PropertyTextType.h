#pragma once

#include <string>
#include <string_view>

class FProperty;
class UEnum;
class UScriptStruct;

/** What a property's value text holds, read from its declared C++ type. */
enum class EPropertyTextKind
{
	Bool,
	Integer,
	Float,
	Double,
	Enum,
	Name,
	String,
	Text,
	/** An object, class, soft or weak reference. */
	Object,
	Struct,
	Array,
	/** Maps, sets, delegates and types the class database does not describe: kept as written. */
	Other,
};

/**
 * The value kind of a C++ type text ("FMargin", "TEnumAsByte<EHorizontalAlignment>",
 * "TArray<TObjectPtr<UPanelSlot>>"), with the class database's structure or enumeration when
 * it has one, and the element type of an array.
 */
struct FPropertyTextType
{
	EPropertyTextKind Kind = EPropertyTextKind::Other;
	/** Struct: the structure; nullptr when the database does not declare it (the kind is Other then). */
	const UScriptStruct* Struct = nullptr;
	/** Enum: the enumeration, or nullptr when the database does not declare it (any name is taken). */
	const UEnum* Enum = nullptr;
	/** Array: the element's C++ type text. */
	std::string ElementType;
};

/** The type of Property's values. `uint8 bName` is a bitfield bool, as the class database writes those. */
FPropertyTextType GetPropertyTextType(const FProperty& Property);
/** The type of values of CPPType, for an array element or structure member named PropertyName. */
FPropertyTextType GetPropertyTextType(std::string_view CPPType, std::string_view PropertyName);
