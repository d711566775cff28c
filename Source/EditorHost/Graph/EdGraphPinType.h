#pragma once

#include <string>

class UObject;

/** The value side of a map pin type (the key side is the pin type itself). */
struct FEdGraphTerminalType
{
	std::string TerminalCategory;
	std::string TerminalSubCategory;
	/** The object reference as written, like FEdGraphPinType::PinSubCategoryObject. */
	std::string TerminalSubCategoryObject = "None";
	bool bTerminalIsConst = false;
	bool bTerminalIsWeakPointer = false;
	bool bTerminalIsUObjectWrapper = false;

	friend bool operator==(const FEdGraphTerminalType&, const FEdGraphTerminalType&) = default;
};

/** A pin's type, as graphs and their copy-paste text both hold it. */
struct FEdGraphPinType
{
	std::string PinCategory;
	std::string PinSubCategory;
	/** The object reference as written (`None`, `Class'"/Script/Engine.Actor"'`, ...). */
	std::string PinSubCategoryObject = "None";
	/** None, Array, Set or Map; older copies say it with bIsArray, bIsSet and bIsMap. */
	std::string ContainerType = "None";
	bool bIsReference = false;
	bool bIsConst = false;
	bool bIsWeakPointer = false;
	bool bIsUObjectWrapper = false;
	/**
	 * The value type of a Map. Blueprint variables hold it; graph pins keep their copy-paste
	 * PinValueType field as it was written instead.
	 */
	FEdGraphTerminalType PinValueType;

	bool IsArray() const { return ContainerType == "Array"; }
	bool IsSet() const { return ContainerType == "Set"; }
	bool IsMap() const { return ContainerType == "Map"; }

	friend bool operator==(const FEdGraphPinType&, const FEdGraphPinType&) = default;
};

/**
 * The object a pin type's sub-category object names, in any spelling the editor writes
 * (`/Script/CoreUObject.Class'"/Script/Engine.Actor"'`, `Class'/Script/Engine.Actor'`, a bare
 * path): a class, structure or enumeration of the class database, or a live object in memory
 * (a Blueprint's generated class). nullptr for None, for what does not exist, and for an object
 * that has been destroyed or marked as garbage since, as a weak reference behaves.
 */
UObject* GetPinSubCategoryObject(const FEdGraphPinType& PinType);
/** The same for a map's value type. */
UObject* GetPinSubCategoryObject(const FEdGraphTerminalType& TerminalType);
