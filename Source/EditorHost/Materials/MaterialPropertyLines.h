#pragma once

#include "Graph/CopyPasteText.h"

#include <cstddef>
#include <optional>
#include <string_view>

class UClass;

/**
 * Edits the property lines of a copy-paste object the way the editor orders them: a class's own
 * properties first, then each super class's (TFieldIterator order), array elements by index.
 * Lines the class does not declare keep their place.
 */
namespace MaterialPropertyLines
{
	/** The property's position in Class's field order; nothing when Class does not declare it. */
	std::optional<std::size_t> GetDeclarationRank(const UClass* Class, std::string_view PropertyName);

	/** The line of that name with exactly that index (none: a line written without one). */
	FCopyPasteProperty* Find(FCopyPasteObject& Object, std::string_view PropertyName, std::optional<int> ArrayIndex);
	const FCopyPasteProperty* Find(const FCopyPasteObject& Object, std::string_view PropertyName, std::optional<int> ArrayIndex);

	/** Adds the line after the last line that Class declares before it, else before the first one declared after it, else after the last property line. */
	void Insert(FCopyPasteObject& Object, const UClass* Class, FCopyPasteProperty Property);

	/** Removes the lines of the property for which Matches(index) holds. */
	template <typename TMatch>
	void RemoveIf(FCopyPasteObject& Object, std::string_view PropertyName, TMatch&& Matches);

	/** Removes the property's line with exactly that index. */
	void Remove(FCopyPasteObject& Object, std::string_view PropertyName, std::optional<int> ArrayIndex);
	/** Removes every line of the property, whatever its index. */
	void RemoveAll(FCopyPasteObject& Object, std::string_view PropertyName);

	/** Removes the property line at that index of Object.Properties, keeping the layout in step. */
	void RemoveAt(FCopyPasteObject& Object, std::size_t PropertyIndex);
}

template <typename TMatch>
void MaterialPropertyLines::RemoveIf(FCopyPasteObject& Object, std::string_view PropertyName, TMatch&& Matches)
{
	for (std::size_t Index = Object.Properties.size(); Index-- > 0;)
	{
		const FCopyPasteProperty& Property = Object.Properties[Index];
		if (Property.Name == PropertyName && Matches(Property.ArrayIndex))
		{
			RemoveAt(Object, Index);
		}
	}
}
