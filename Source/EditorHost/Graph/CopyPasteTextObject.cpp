#include "Graph/CopyPasteText.h"

#include <algorithm>
#include <utility>

void FCopyPasteObject::AddProperty(FCopyPasteProperty Property)
{
	Layout.push_back({ECopyPasteEntry::Property, Properties.size()});
	Properties.push_back(std::move(Property));
}

void FCopyPasteObject::AddPropertyBeforeCustomProperties(FCopyPasteProperty Property)
{
	const auto FirstCustom = std::find_if(Layout.begin(), Layout.end(), [](const FCopyPasteLayoutEntry& Entry) { return Entry.Kind == ECopyPasteEntry::CustomProperty; });
	Layout.insert(FirstCustom, {ECopyPasteEntry::Property, Properties.size()});
	Properties.push_back(std::move(Property));
}

void FCopyPasteObject::AddCustomProperty(FCopyPasteCustomProperty CustomProperty)
{
	Layout.push_back({ECopyPasteEntry::CustomProperty, CustomProperties.size()});
	CustomProperties.push_back(std::move(CustomProperty));
}

void FCopyPasteObject::AddChild(FCopyPasteObject Child)
{
	Child.DefinitionAttributes.reset();
	Layout.push_back({ECopyPasteEntry::Child, Children.size()});
	Children.push_back(std::move(Child));
}

void FCopyPasteObject::AddDeclaredChild(FCopyPasteObject Child)
{
	if (!Child.DefinitionAttributes)
	{
		Child.DefinitionAttributes.emplace();
	}
	Layout.push_back({ECopyPasteEntry::Child, Children.size()});
	Layout.push_back({ECopyPasteEntry::ChildDefinition, Children.size()});
	Children.push_back(std::move(Child));
}

void FCopyPasteObject::AddOtherLine(std::string Line)
{
	Layout.push_back({ECopyPasteEntry::OtherLine, OtherLines.size()});
	OtherLines.push_back(std::move(Line));
}

void FCopyPasteObject::RemoveCustomProperty(std::size_t Index)
{
	if (Index >= CustomProperties.size())
	{
		return;
	}
	CustomProperties.erase(CustomProperties.begin() + static_cast<std::ptrdiff_t>(Index));
	std::erase_if(Layout, [Index](const FCopyPasteLayoutEntry& Entry) { return Entry.Kind == ECopyPasteEntry::CustomProperty && Entry.Index == Index; });
	for (FCopyPasteLayoutEntry& Entry : Layout)
	{
		if (Entry.Kind == ECopyPasteEntry::CustomProperty && Entry.Index > Index)
		{
			--Entry.Index;
		}
	}
}

const FCopyPasteProperty* FCopyPasteObject::FindProperty(std::string_view PropertyName, std::optional<int> Index) const
{
	for (const FCopyPasteProperty& Property : Properties)
	{
		if (Property.Name == PropertyName && (!Index || Property.ArrayIndex == Index))
		{
			return &Property;
		}
	}
	return nullptr;
}

const FCopyPasteObject* FCopyPasteObject::FindChild(std::string_view ChildName) const
{
	for (const FCopyPasteObject& Child : Children)
	{
		if (Child.Name == ChildName)
		{
			return &Child;
		}
	}
	return nullptr;
}
