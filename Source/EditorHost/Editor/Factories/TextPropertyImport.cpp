#include "Editor/Factories/TextPropertyImport.h"

#include "Graph/CopyPasteTextValue.h"
#include "Objects/Class.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
	constexpr std::string_view ArrayPrefix = "TArray<";

	/** The element type of a `TArray<...>` property, or nothing for any other property. */
	std::optional<std::string_view> ArrayElementType(const FProperty& Property)
	{
		const std::string_view Type = Property.GetCPPType();
		if (!Type.starts_with(ArrayPrefix) || !Type.ends_with('>'))
		{
			return std::nullopt;
		}
		return Type.substr(ArrayPrefix.size(), Type.size() - ArrayPrefix.size() - 1);
	}

	/** The array's text with element Index set from Text; Index may be one past the end to append. */
	std::optional<std::string> ImportArrayElement(const FProperty& Property, std::string_view CurrentText, int Index, std::string_view Text)
	{
		const std::optional<std::string_view> ElementType = ArrayElementType(Property);
		if (!ElementType)
		{
			return std::nullopt;
		}
		std::vector<std::string_view> Elements;
		FCopyPasteListReader Reader(CurrentText);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			Elements.push_back(Item->Value);
		}
		if (static_cast<std::size_t>(Index) > Elements.size())
		{
			return std::nullopt;
		}
		const FProperty Element(Property.GetName(), std::string(*ElementType), Property.GetPropertyFlags());
		const std::string_view CurrentElement = static_cast<std::size_t>(Index) < Elements.size() ? Elements[Index] : std::string_view();
		const std::optional<std::string> ElementText = ImportPropertyText(Element, CurrentElement, Text);
		if (!ElementText)
		{
			return std::nullopt;
		}
		std::string Array = "(";
		for (std::size_t Position = 0; Position < std::max(Elements.size(), static_cast<std::size_t>(Index) + 1); ++Position)
		{
			Array += Position > 0 ? "," : "";
			Array += Position == static_cast<std::size_t>(Index) ? std::string_view(*ElementText) : Elements[Position];
		}
		return Array + ")";
	}
}

bool ImportReflectedPropertyLine(UObject& Object, const FObjectTextLine& Line, FObjectTextImportContext& Context)
{
	const FProperty* const Property = Object.GetClass()->FindPropertyByName(Line.Name);
	if (Property == nullptr)
	{
		return false;
	}
	const std::string Current = GetPropertyValueText(Object, Line.Name).value_or(std::string());
	const std::optional<std::string> Value = Line.ArrayIndex ? ImportArrayElement(*Property, Current, *Line.ArrayIndex, Line.Value) : ImportPropertyText(*Property, Current, Line.Value);
	if (!Value)
	{
		Context.Warn(Object.GetName() + ": " + std::string(Line.Value) + " is not a value of " + Property->GetCPPType() + " " + Property->GetName());
		return false;
	}
	SetPropertyValueText(Object, Line.Name, *Value);
	return true;
}
