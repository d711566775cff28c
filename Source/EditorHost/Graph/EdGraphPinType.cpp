#include "Graph/EdGraphPinType.h"

#include "Graph/NodeTitleNames.h"
#include "Objects/ObjectGlobals.h"

namespace
{
	UObject* ResolveObjectReference(std::string_view Reference)
	{
		const std::string Path = ReferencedObjectPath(Reference);
		if (Path.empty())
		{
			return nullptr;
		}
		// Script paths reach the class database; other paths objects in memory, never loading.
		UObject* const Found = StaticFindObject(nullptr, nullptr, Path);
		return IsValid(Found) ? Found : nullptr;
	}
}

UObject* GetPinSubCategoryObject(const FEdGraphPinType& PinType)
{
	return ResolveObjectReference(PinType.PinSubCategoryObject);
}

UObject* GetPinSubCategoryObject(const FEdGraphTerminalType& TerminalType)
{
	return ResolveObjectReference(TerminalType.TerminalSubCategoryObject);
}
