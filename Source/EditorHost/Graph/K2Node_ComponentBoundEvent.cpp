#include "Graph/K2Node_ComponentBoundEvent.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"

namespace
{
	/** A name property's value; the editor writes an unset name as None. */
	std::string NameProperty(const UEdGraphNode& Node, std::string_view PropertyName)
	{
		const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty(PropertyName);
		std::string Name = Property != nullptr ? ParseCopyPasteValue(Property->Value).AsPlainText() : std::string();
		return Name == "None" ? std::string() : Name;
	}
}

std::string UK2Node_ComponentBoundEvent::GetCustomFunctionName() const
{
	return NameProperty(*this, "CustomFunctionName");
}

void UK2Node_ComponentBoundEvent::SetCustomFunctionName(std::string_view Name)
{
	::SetCustomFunctionName(*this, Name);
}

std::string UK2Node_ComponentBoundEvent::GetComponentPropertyName() const
{
	return NameProperty(*this, "ComponentPropertyName");
}

std::string UK2Node_ComponentBoundEvent::GetDelegatePropertyName() const
{
	return NameProperty(*this, "DelegatePropertyName");
}

UClass* UK2Node_ComponentBoundEvent::GetDelegateOwnerClass() const
{
	const FCopyPasteProperty* const Property = KeptObject.FindProperty("DelegateOwnerClass");
	const std::string Path = Property != nullptr ? ReferencedObjectPath(Property->Value) : std::string();
	return Path.empty() ? nullptr : FClassDatabase::Get().FindClass(Path);
}
