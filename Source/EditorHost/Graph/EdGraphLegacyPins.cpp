#include "Graph/EdGraphLegacyPins.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPin.h"

#include <algorithm>
#include <utility>

namespace
{
	constexpr std::string_view OutputDirection = "EGPD_Output";
	constexpr std::string_view LinkPrefix = "EdGraphPin'";

	std::string PlainText(const FCopyPasteValue* Value) { return Value != nullptr ? Value->AsPlainText() : std::string(); }

	/** `EdGraphPin'Node.EdGraphPin_N'`, with or without double quotes inside or around, as (Node, EdGraphPin_N). */
	std::optional<FCopyPastePinLink> ParseLegacyLink(std::string_view Text)
	{
		const std::size_t Open = Text.find('\'');
		const std::size_t Close = Text.rfind('\'');
		if (Open == std::string_view::npos || Close <= Open)
		{
			return std::nullopt;
		}
		std::string_view Path = Text.substr(Open + 1, Close - Open - 1);
		if (Path.size() >= 2 && Path.front() == '"' && Path.back() == '"')
		{
			Path = Path.substr(1, Path.size() - 2);
		}
		const std::size_t Dot = Path.rfind('.');
		if (Dot == std::string_view::npos || Dot == 0 || Dot + 1 == Path.size())
		{
			return std::nullopt;
		}
		return FCopyPastePinLink{std::string(Path.substr(0, Dot)), std::string(Path.substr(Dot + 1))};
	}

	std::vector<FCopyPastePinLink> ReadLinks(const FCopyPasteObject& Object)
	{
		std::vector<FCopyPastePinLink> Links;
		for (const FCopyPasteProperty& Property : Object.Properties)
		{
			if (Property.Name == "LinkedTo")
			{
				if (std::optional<FCopyPastePinLink> Link = ParseLegacyLink(Property.Value))
				{
					Links.push_back(std::move(*Link));
				}
			}
		}
		return Links;
	}

	/** Puts Replacements where the first property called Name was (at the end when there was none) and drops the others of that name. */
	void ReplaceProperties(FCopyPasteObject& Object, std::string_view Name, std::vector<FCopyPasteProperty> Replacements)
	{
		std::vector<FCopyPasteProperty> Properties;
		std::vector<FCopyPasteLayoutEntry> Layout;
		const auto AddReplacements = [&] {
			for (FCopyPasteProperty& Replacement : Replacements)
			{
				Layout.push_back({ECopyPasteEntry::Property, Properties.size()});
				Properties.push_back(std::move(Replacement));
			}
			Replacements.clear();
		};
		bool bReplaced = false;
		for (const FCopyPasteLayoutEntry& Entry : Object.Layout)
		{
			if (Entry.Kind != ECopyPasteEntry::Property)
			{
				Layout.push_back(Entry);
				continue;
			}
			FCopyPasteProperty& Property = Object.Properties[Entry.Index];
			if (Property.Name != Name)
			{
				Layout.push_back({ECopyPasteEntry::Property, Properties.size()});
				Properties.push_back(std::move(Property));
			}
			else if (!std::exchange(bReplaced, true))
			{
				AddReplacements();
			}
		}
		AddReplacements();
		Object.Properties = std::move(Properties);
		Object.Layout = std::move(Layout);
	}

	void ReplaceProperty(FCopyPasteObject& Object, std::string_view Name, std::optional<std::string> Value)
	{
		std::vector<FCopyPasteProperty> Replacements;
		if (Value)
		{
			Replacements.push_back({std::string(Name), std::nullopt, std::move(*Value)});
		}
		ReplaceProperties(Object, Name, std::move(Replacements));
	}
}

bool IsLegacyPinObject(const FCopyPasteObject& Object)
{
	return !Object.Name.empty() && (Object.Class == "EdGraphPin" || Object.Class.ends_with(".EdGraphPin"));
}

FCopyPastePin ReadLegacyEdGraphPin(UEdGraphPin& Pin, const FCopyPasteObject& Object)
{
	const auto Value = [&Object](std::string_view Name) {
		const FCopyPasteProperty* const Property = Object.FindProperty(Name);
		return Property != nullptr ? std::optional(Property->Value) : std::nullopt;
	};
	Pin.LegacyObjectName = Object.Name;
	Pin.PinName = UnquoteCopyPasteString(Value("PinName").value_or("")).value_or("");
	Pin.Direction = ParseCopyPasteValue(Value("Direction").value_or("")).AsPlainText() == OutputDirection ? EEdGraphPinDirection::Output : EEdGraphPinDirection::Input;
	const FCopyPasteValue Type = ParseCopyPasteValue(Value("PinType").value_or("()"));
	const auto TypeBool = [&Type](std::string_view Key) { return PlainText(Type.Find(Key)) == "True"; };
	Pin.PinType.PinCategory = PlainText(Type.Find("PinCategory"));
	Pin.PinType.PinSubCategory = PlainText(Type.Find("PinSubCategory"));
	if (const FCopyPasteValue* const SubObject = Type.Find("PinSubCategoryObject"))
	{
		Pin.PinType.PinSubCategoryObject = WriteCopyPasteValue(*SubObject);
	}
	Pin.PinType.bIsReference = TypeBool("bIsReference");
	Pin.PinType.bIsConst = TypeBool("bIsConst");
	Pin.PinType.bIsWeakPointer = TypeBool("bIsWeakPointer");
	Pin.PinType.ContainerType = TypeBool("bIsArray") ? "Array" : "None";
	const std::optional<std::string> Default = Value("DefaultValue");
	Pin.DefaultValue = Default ? UnquoteCopyPasteString(*Default) : std::nullopt;

	FCopyPastePin Named;
	Named.PinId = Object.Name;
	Named.PinName = Pin.PinName;
	Named.LinkedTo = ReadLinks(Object);
	return Named;
}

void WriteLegacyEdGraphPin(const UEdGraphPin& Pin, FCopyPasteObject& Object, const std::function<bool(const UEdGraphNode&)>& bIsExported)
{
	UEdGraphPin Kept(Pin.GetOwningNode());
	const FCopyPastePin KeptNamed = ReadLegacyEdGraphPin(Kept, Object);
	if (Pin.PinName != Kept.PinName)
	{
		ReplaceProperty(Object, "PinName", Pin.PinName.empty() ? std::nullopt : std::optional(QuoteCopyPasteString(Pin.PinName)));
	}
	if (Pin.Direction != Kept.Direction)
	{
		ReplaceProperty(Object, "Direction", Pin.Direction == EEdGraphPinDirection::Output ? std::optional(std::string(OutputDirection)) : std::nullopt);
	}
	if (Pin.DefaultValue != Kept.DefaultValue)
	{
		ReplaceProperty(Object, "DefaultValue", Pin.DefaultValue ? std::optional(QuoteCopyPasteString(*Pin.DefaultValue)) : std::nullopt);
	}

	std::vector<FCopyPastePinLink> Links;
	for (const UEdGraphPin* const Linked : Pin.GetLinkedTo())
	{
		if (!Linked->LegacyObjectName.empty() && bIsExported(Linked->GetOwningNode()))
		{
			Links.push_back({Linked->GetOwningNode().GetName(), Linked->LegacyObjectName});
		}
	}
	const auto SameLink = [](const FCopyPastePinLink& A, const FCopyPastePinLink& B) { return A.NodeName == B.NodeName && A.PinId == B.PinId; };
	if (std::ranges::equal(Links, KeptNamed.LinkedTo, SameLink))
	{
		return;
	}
	std::vector<FCopyPasteProperty> Lines;
	for (const FCopyPastePinLink& Link : Links)
	{
		// A link that was already there keeps its spelling.
		const auto Kept = std::ranges::find_if(Object.Properties, [&](const FCopyPasteProperty& Property) {
			const std::optional<FCopyPastePinLink> KeptLink = Property.Name == "LinkedTo" ? ParseLegacyLink(Property.Value) : std::nullopt;
			return KeptLink && SameLink(*KeptLink, Link);
		});
		std::string Value = Kept != Object.Properties.end() ? Kept->Value : std::string(LinkPrefix) + Link.NodeName + "." + Link.PinId + "'";
		Lines.push_back({"LinkedTo", static_cast<int>(Lines.size()), std::move(Value)});
	}
	ReplaceProperties(Object, "LinkedTo", std::move(Lines));
}
