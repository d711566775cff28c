#include "Materials/MaterialPropertyLines.h"

#include "Objects/Class.h"

#include <algorithm>

std::optional<std::size_t> MaterialPropertyLines::GetDeclarationRank(const UClass* Class, std::string_view PropertyName)
{
	if (Class == nullptr)
	{
		return std::nullopt;
	}
	std::size_t Rank = 0;
	for (TFieldIterator<FProperty> It(Class); It; ++It, ++Rank)
	{
		if (It->GetName() == PropertyName)
		{
			return Rank;
		}
	}
	return std::nullopt;
}

FCopyPasteProperty* MaterialPropertyLines::Find(FCopyPasteObject& Object, std::string_view PropertyName, std::optional<int> ArrayIndex)
{
	const auto Found = std::find_if(Object.Properties.begin(), Object.Properties.end(),
		[&](const FCopyPasteProperty& Property) { return Property.Name == PropertyName && Property.ArrayIndex == ArrayIndex; });
	return Found != Object.Properties.end() ? &*Found : nullptr;
}

const FCopyPasteProperty* MaterialPropertyLines::Find(const FCopyPasteObject& Object, std::string_view PropertyName, std::optional<int> ArrayIndex)
{
	return Find(const_cast<FCopyPasteObject&>(Object), PropertyName, ArrayIndex);
}

void MaterialPropertyLines::Insert(FCopyPasteObject& Object, const UClass* Class, FCopyPasteProperty Property)
{
	const std::optional<std::size_t> Rank = GetDeclarationRank(Class, Property.Name);
	const int Index = Property.ArrayIndex.value_or(0);
	// After the last line the class declares before it; else before the first one declared after it.
	std::optional<std::size_t> AfterEarlier;
	std::optional<std::size_t> BeforeLater;
	std::optional<std::size_t> LastProperty;
	for (std::size_t Position = 0; Position < Object.Layout.size(); ++Position)
	{
		const FCopyPasteLayoutEntry& Entry = Object.Layout[Position];
		if (Entry.Kind != ECopyPasteEntry::Property)
		{
			continue;
		}
		LastProperty = Position;
		const FCopyPasteProperty& Existing = Object.Properties[Entry.Index];
		const std::optional<std::size_t> ExistingRank = Rank ? GetDeclarationRank(Class, Existing.Name) : std::nullopt;
		if (!ExistingRank)
		{
			continue;
		}
		const bool bEarlier = *ExistingRank < *Rank || (*ExistingRank == *Rank && Existing.ArrayIndex.value_or(0) < Index);
		if (bEarlier)
		{
			AfterEarlier = Position;
		}
		else if (!BeforeLater)
		{
			BeforeLater = Position;
		}
	}
	std::optional<std::size_t> Position;
	if (AfterEarlier)
	{
		Position = *AfterEarlier + 1;
	}
	else if (BeforeLater)
	{
		Position = *BeforeLater;
	}
	else if (LastProperty)
	{
		Position = *LastProperty + 1;
	}
	if (!Position)
	{
		Object.AddPropertyBeforeCustomProperties(std::move(Property));
		return;
	}
	Object.Layout.insert(Object.Layout.begin() + static_cast<std::ptrdiff_t>(*Position), {ECopyPasteEntry::Property, Object.Properties.size()});
	Object.Properties.push_back(std::move(Property));
}

void MaterialPropertyLines::Remove(FCopyPasteObject& Object, std::string_view PropertyName, std::optional<int> ArrayIndex)
{
	RemoveIf(Object, PropertyName, [ArrayIndex](std::optional<int> Index) { return Index == ArrayIndex; });
}

void MaterialPropertyLines::RemoveAll(FCopyPasteObject& Object, std::string_view PropertyName)
{
	RemoveIf(Object, PropertyName, [](std::optional<int>) { return true; });
}

void MaterialPropertyLines::RemoveAt(FCopyPasteObject& Object, std::size_t PropertyIndex)
{
	if (PropertyIndex >= Object.Properties.size())
	{
		return;
	}
	Object.Properties.erase(Object.Properties.begin() + static_cast<std::ptrdiff_t>(PropertyIndex));
	std::erase_if(Object.Layout, [PropertyIndex](const FCopyPasteLayoutEntry& Entry) { return Entry.Kind == ECopyPasteEntry::Property && Entry.Index == PropertyIndex; });
	for (FCopyPasteLayoutEntry& Entry : Object.Layout)
	{
		if (Entry.Kind == ECopyPasteEntry::Property && Entry.Index > PropertyIndex)
		{
			--Entry.Index;
		}
	}
}
