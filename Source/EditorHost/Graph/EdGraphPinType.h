#pragma once

#include <string>

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
};
