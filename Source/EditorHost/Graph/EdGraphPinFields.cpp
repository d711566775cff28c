#include "Graph/EdGraphPinFields.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPin.h"

#include <algorithm>

namespace
{
	constexpr std::string_view OutputDirection = "EGPD_Output";

	FCopyPasteValue MakeToken(std::string Text)
	{
		FCopyPasteValue Token;
		Token.Text = std::move(Text);
		return Token;
	}

	FCopyPasteValue MakeBool(bool bValue) { return MakeToken(bValue ? "True" : "False"); }

	FCopyPasteValue MakeString(std::string_view Content) { return ParseCopyPasteValue(QuoteCopyPasteString(Content)); }

	FCopyPasteValue MakeFieldList()
	{
		FCopyPasteValue List;
		List.Kind = FCopyPasteValue::EKind::List;
		List.bTrailingComma = true;
		return List;
	}

	std::string LinkText(const UEdGraphPin& Pin) { return Pin.GetOwningNode().GetName() + " " + Pin.PinId.ToString(); }

	FCopyPasteValue MakeLinks(const std::vector<const UEdGraphPin*>& Pins)
	{
		FCopyPasteValue List = MakeFieldList();
		for (const UEdGraphPin* const Pin : Pins)
		{
			List.Items.push_back({{}, std::nullopt, MakeToken(LinkText(*Pin))});
		}
		return List;
	}

	EEdGraphPinDirection DirectionOf(const FCopyPastePin& Read)
	{
		return Read.Direction == OutputDirection ? EEdGraphPinDirection::Output : EEdGraphPinDirection::Input;
	}

	bool NamesPin(const FCopyPastePinLink& Link, const UEdGraphPin& Pin)
	{
		return Link.NodeName == Pin.GetOwningNode().GetName() && FGuid::Parse(Link.PinId) == Pin.PinId;
	}

	bool SameLinks(const std::vector<const UEdGraphPin*>& Pins, const std::vector<FCopyPastePinLink>& Kept)
	{
		return std::ranges::equal(Kept, Pins, [](const FCopyPastePinLink& Link, const UEdGraphPin* Pin) { return NamesPin(Link, *Pin); });
	}

	/** The kept field list, parsed only once a field has to change: an unchanged pin costs no parsing or writing. */
	class FPinLineEdit
	{
	public:
		explicit FPinLineEdit(std::string_view InKeptText) : KeptText(InKeptText) {}

		/** Replaces the field's value, or adds the field before BeforeKey (at the end when that is absent). */
		void Set(std::string_view Key, FCopyPasteValue Value, std::string_view BeforeKey = {})
		{
			std::vector<FCopyPasteValueItem>& Items = Fields().Items;
			const auto HasKey = [](std::string_view Wanted) { return [Wanted](const FCopyPasteValueItem& Item) { return Item.Key == Wanted; }; };
			const auto Existing = std::ranges::find_if(Items, HasKey(Key));
			if (Existing != Items.end())
			{
				Existing->Value = std::move(Value);
				return;
			}
			const auto Before = BeforeKey.empty() ? Items.end() : std::ranges::find_if(Items, HasKey(BeforeKey));
			Items.insert(Before, FCopyPasteValueItem{{}, std::string(Key), std::move(Value)});
		}

		void Remove(std::string_view Key)
		{
			std::erase_if(Fields().Items, [Key](const FCopyPasteValueItem& Item) { return Item.Key == Key; });
		}

		std::string_view Text(std::string& Buffer) const
		{
			if (!Edited && !KeptText.empty())
			{
				return KeptText;
			}
			Buffer = WriteCopyPasteValue(Edited ? *Edited : MakeFieldList());
			return Buffer;
		}

	private:
		FCopyPasteValue& Fields()
		{
			if (!Edited)
			{
				Edited = IsCopyPasteList(KeptText) ? ParseCopyPasteValue(KeptText) : MakeFieldList();
			}
			return *Edited;
		}

		std::string_view KeptText;
		std::optional<FCopyPasteValue> Edited;
	};
}

void ReadEdGraphPin(UEdGraphPin& Pin, FCopyPastePin&& Parsed, std::string LineText)
{
	Pin.PinId = FGuid::Parse(Parsed.PinId).value_or(FGuid{});
	Pin.PinName = Parsed.PinName;
	Pin.PinFriendlyName = Parsed.PinFriendlyName;
	Pin.Direction = DirectionOf(Parsed);
	Pin.PinType = Parsed.PinType;
	Pin.DefaultValue = Parsed.DefaultValue;
	Pin.DefaultObject = Parsed.DefaultObject;
	Pin.DefaultTextValue = Parsed.DefaultTextValue;
	Pin.bHidden = Parsed.bHidden;
	Pin.bNotConnectable = Parsed.bNotConnectable;
	Pin.bAdvancedView = Parsed.bAdvancedView;
	Pin.bOrphanedPin = Parsed.bOrphanedPin;
	Pin.KeptLine = std::make_unique<const FEdGraphPinLine>(std::move(LineText), std::move(Parsed), Pin.PinId);
}

std::string_view WriteEdGraphPinText(const UEdGraphPin& Pin, const std::function<bool(const UEdGraphNode&)>& bIsExported, std::string& Buffer)
{
	// A pin made in code compares with the values an empty line stands for.
	static const FEdGraphPinLine NoLine;
	const FEdGraphPinLine& KeptLine = Pin.KeptLine ? *Pin.KeptLine : NoLine;
	const FCopyPastePin& Kept = KeptLine.Read;
	FPinLineEdit Line(KeptLine.Text);
	if (Pin.PinId != KeptLine.PinId)
	{
		Line.Set("PinId", MakeToken(Pin.PinId.ToString()));
	}
	if (Pin.PinName != Kept.PinName)
	{
		Line.Set("PinName", MakeString(Pin.PinName));
	}
	if (Pin.PinFriendlyName != Kept.PinFriendlyName)
	{
		Pin.PinFriendlyName ? Line.Set("PinFriendlyName", ParseCopyPasteValue(*Pin.PinFriendlyName)) : Line.Remove("PinFriendlyName");
	}
	if (Pin.Direction != DirectionOf(Kept))
	{
		Pin.Direction == EEdGraphPinDirection::Output ? Line.Set("Direction", MakeString(OutputDirection), "PinType.PinCategory") : Line.Remove("Direction");
	}
	const auto SetString = [&Line](std::string_view Key, const std::string& Value, const std::string& KeptValue) {
		if (Value != KeptValue)
		{
			Line.Set(Key, MakeString(Value));
		}
	};
	SetString("PinType.PinCategory", Pin.PinType.PinCategory, Kept.PinType.PinCategory);
	SetString("PinType.PinSubCategory", Pin.PinType.PinSubCategory, Kept.PinType.PinSubCategory);
	const auto SetToken = [&Line](std::string_view Key, const std::string& Value, const std::string& KeptValue) {
		if (Value != KeptValue)
		{
			Line.Set(Key, ParseCopyPasteValue(Value));
		}
	};
	SetToken("PinType.PinSubCategoryObject", Pin.PinType.PinSubCategoryObject, Kept.PinType.PinSubCategoryObject);
	SetToken("PinType.ContainerType", Pin.PinType.ContainerType, Kept.PinType.ContainerType);
	const auto SetBool = [&Line](std::string_view Key, bool bValue, bool bKeptValue) {
		if (bValue != bKeptValue)
		{
			Line.Set(Key, MakeBool(bValue));
		}
	};
	SetBool("PinType.bIsReference", Pin.PinType.bIsReference, Kept.PinType.bIsReference);
	SetBool("PinType.bIsConst", Pin.PinType.bIsConst, Kept.PinType.bIsConst);
	SetBool("PinType.bIsWeakPointer", Pin.PinType.bIsWeakPointer, Kept.PinType.bIsWeakPointer);
	SetBool("PinType.bIsUObjectWrapper", Pin.PinType.bIsUObjectWrapper, Kept.PinType.bIsUObjectWrapper);
	const auto SetOptional = [&Line](std::string_view Key, const std::optional<std::string>& Value, const std::optional<std::string>& KeptValue, bool bQuoted) {
		if (Value == KeptValue)
		{
			return;
		}
		if (Value)
		{
			Line.Set(Key, bQuoted ? MakeString(*Value) : ParseCopyPasteValue(*Value), "PersistentGuid");
		}
		else
		{
			Line.Remove(Key);
		}
	};
	SetOptional("DefaultValue", Pin.DefaultValue, Kept.DefaultValue, true);
	SetOptional("DefaultObject", Pin.DefaultObject, Kept.DefaultObject, true);
	SetOptional("DefaultTextValue", Pin.DefaultTextValue, Kept.DefaultTextValue, false);
	SetBool("bHidden", Pin.bHidden, Kept.bHidden);
	SetBool("bNotConnectable", Pin.bNotConnectable, Kept.bNotConnectable);
	SetBool("bAdvancedView", Pin.bAdvancedView, Kept.bAdvancedView);
	SetBool("bOrphanedPin", Pin.bOrphanedPin, Kept.bOrphanedPin);

	// Links are written only when they differ from the kept ones, so a pin whose partners kept
	// their names and ids keeps its line's spelling.
	const auto SetLinks = [&Line](std::string_view Key, const std::vector<const UEdGraphPin*>& Pins, const std::vector<FCopyPastePinLink>& KeptLinks) {
		if (SameLinks(Pins, KeptLinks))
		{
			return;
		}
		Pins.empty() ? Line.Remove(Key) : Line.Set(Key, MakeLinks(Pins), "PersistentGuid");
	};
	SetLinks("SubPins", {Pin.SubPins.begin(), Pin.SubPins.end()}, Kept.SubPins);
	const bool bSameParent = Pin.ParentPin != nullptr ? Kept.ParentPin && NamesPin(*Kept.ParentPin, *Pin.ParentPin) : !Kept.ParentPin;
	if (!bSameParent)
	{
		Pin.ParentPin != nullptr ? Line.Set("ParentPin", MakeToken(LinkText(*Pin.ParentPin)), "PersistentGuid") : Line.Remove("ParentPin");
	}
	std::vector<const UEdGraphPin*> Linked;
	Linked.reserve(Pin.GetLinkedTo().size());
	for (const UEdGraphPin* const Other : Pin.GetLinkedTo())
	{
		if (bIsExported(Other->GetOwningNode()))
		{
			Linked.push_back(Other);
		}
	}
	SetLinks("LinkedTo", Linked, Kept.LinkedTo);
	return Line.Text(Buffer);
}
