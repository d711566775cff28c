#include "Graph/EdGraphPinFields.h"

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

	/** Replaces the field's value, or adds the field before BeforeKey (at the end when that is absent). */
	void SetField(FCopyPasteValue& Fields, std::string_view Key, FCopyPasteValue Value, std::string_view BeforeKey = {})
	{
		const auto HasKey = [](std::string_view Wanted) { return [Wanted](const FCopyPasteValueItem& Item) { return Item.Key == Wanted; }; };
		const auto Existing = std::ranges::find_if(Fields.Items, HasKey(Key));
		if (Existing != Fields.Items.end())
		{
			Existing->Value = std::move(Value);
			return;
		}
		const auto Before = BeforeKey.empty() ? Fields.Items.end() : std::ranges::find_if(Fields.Items, HasKey(BeforeKey));
		Fields.Items.insert(Before, FCopyPasteValueItem{{}, std::string(Key), std::move(Value)});
	}

	void RemoveField(FCopyPasteValue& Fields, std::string_view Key)
	{
		std::erase_if(Fields.Items, [Key](const FCopyPasteValueItem& Item) { return Item.Key == Key; });
	}

	void SetOptionalString(FCopyPasteValue& Fields, std::string_view Key, const std::optional<std::string>& Value, const std::optional<std::string>& Kept)
	{
		if (Value == Kept)
		{
			return;
		}
		if (Value)
		{
			SetField(Fields, Key, ParseCopyPasteValue(QuoteCopyPasteString(*Value)), "PersistentGuid");
		}
		else
		{
			RemoveField(Fields, Key);
		}
	}

	FCopyPasteValue MakeFieldList()
	{
		FCopyPasteValue List;
		List.Kind = FCopyPasteValue::EKind::List;
		List.bTrailingComma = true;
		return List;
	}

	FCopyPasteValue WriteLinks(const std::vector<FCopyPastePinLink>& Links)
	{
		FCopyPasteValue List = MakeFieldList();
		for (const FCopyPastePinLink& Link : Links)
		{
			List.Items.push_back({{}, std::nullopt, MakeToken(Link.NodeName + " " + Link.PinId)});
		}
		return List;
	}

	bool SameLinks(const std::vector<FCopyPastePinLink>& Left, const std::vector<FCopyPastePinLink>& Right)
	{
		return std::ranges::equal(Left, Right, [](const FCopyPastePinLink& A, const FCopyPastePinLink& B) {
			return A.NodeName == B.NodeName && FGuid::Parse(A.PinId) == FGuid::Parse(B.PinId);
		});
	}
}

void ReadEdGraphPin(UEdGraphPin& Pin, const FCopyPastePin& Parsed, const FCopyPasteValue& Fields)
{
	Pin.PinId = FGuid::Parse(Parsed.PinId).value_or(FGuid{});
	Pin.PinName = Parsed.PinName;
	if (Parsed.PinFriendlyName)
	{
		Pin.PinFriendlyName = WriteCopyPasteValue(*Parsed.PinFriendlyName);
	}
	Pin.Direction = Parsed.Direction == OutputDirection ? EEdGraphPinDirection::Output : EEdGraphPinDirection::Input;
	Pin.PinType = Parsed.PinType;
	Pin.DefaultValue = Parsed.DefaultValue;
	Pin.DefaultObject = Parsed.DefaultObject;
	if (const FCopyPasteValue* const TextValue = Fields.Find("DefaultTextValue"))
	{
		Pin.DefaultTextValue = WriteCopyPasteValue(*TextValue);
	}
	Pin.bHidden = Parsed.bHidden;
	Pin.bNotConnectable = Parsed.bNotConnectable;
	Pin.bAdvancedView = Parsed.bAdvancedView;
	Pin.bOrphanedPin = Parsed.bOrphanedPin;
}

std::string WriteEdGraphPinText(const UEdGraphPin& Pin, const std::function<bool(const UEdGraphNode&)>& bIsExported)
{
	// The kept fields are copied only when a field has to change: a pin copied as it was
	// pasted writes its kept list straight back.
	const FCopyPasteValue EmptyList = MakeFieldList();
	const FCopyPasteValue& Source = Pin.KeptFields.Kind == FCopyPasteValue::EKind::List ? Pin.KeptFields : EmptyList;
	std::optional<FCopyPasteValue> Edited;
	const auto Fields = [&]() -> FCopyPasteValue& {
		if (!Edited)
		{
			Edited = Source;
		}
		return *Edited;
	};
	const auto Current = [&]() -> const FCopyPasteValue& { return Edited ? *Edited : Source; };
	const auto Remove = [&](std::string_view Key) {
		if (Current().Find(Key) != nullptr)
		{
			RemoveField(Fields(), Key);
		}
	};
	const FCopyPastePin KeptParsed = ReadCopyPastePinTypedFields(Source).value_or(FCopyPastePin{});
	UEdGraphPin Kept(Pin.GetOwningNode());
	ReadEdGraphPin(Kept, KeptParsed, Source);

	if (Pin.PinId != Kept.PinId)
	{
		SetField(Fields(), "PinId", MakeToken(Pin.PinId.ToString()));
	}
	if (Pin.PinName != Kept.PinName)
	{
		SetField(Fields(), "PinName", ParseCopyPasteValue(QuoteCopyPasteString(Pin.PinName)));
	}
	if (Pin.PinFriendlyName != Kept.PinFriendlyName)
	{
		Pin.PinFriendlyName ? SetField(Fields(), "PinFriendlyName", ParseCopyPasteValue(*Pin.PinFriendlyName)) : Remove("PinFriendlyName");
	}
	if (Pin.Direction != Kept.Direction)
	{
		Pin.Direction == EEdGraphPinDirection::Output
			? SetField(Fields(), "Direction", ParseCopyPasteValue(QuoteCopyPasteString(OutputDirection)), "PinType.PinCategory")
			: Remove("Direction");
	}
	const auto SetTypeString = [&Fields](std::string_view Key, const std::string& Value, const std::string& KeptValue) {
		if (Value != KeptValue)
		{
			SetField(Fields(), Key, ParseCopyPasteValue(QuoteCopyPasteString(Value)));
		}
	};
	SetTypeString("PinType.PinCategory", Pin.PinType.PinCategory, Kept.PinType.PinCategory);
	SetTypeString("PinType.PinSubCategory", Pin.PinType.PinSubCategory, Kept.PinType.PinSubCategory);
	const auto SetToken = [&Fields](std::string_view Key, const std::string& Value, const std::string& KeptValue) {
		if (Value != KeptValue)
		{
			SetField(Fields(), Key, ParseCopyPasteValue(Value));
		}
	};
	SetToken("PinType.PinSubCategoryObject", Pin.PinType.PinSubCategoryObject, Kept.PinType.PinSubCategoryObject);
	SetToken("PinType.ContainerType", Pin.PinType.ContainerType, Kept.PinType.ContainerType);
	const auto SetBool = [&Fields](std::string_view Key, bool bValue, bool bKeptValue) {
		if (bValue != bKeptValue)
		{
			SetField(Fields(), Key, MakeBool(bValue));
		}
	};
	SetBool("PinType.bIsReference", Pin.PinType.bIsReference, Kept.PinType.bIsReference);
	SetBool("PinType.bIsConst", Pin.PinType.bIsConst, Kept.PinType.bIsConst);
	SetBool("PinType.bIsWeakPointer", Pin.PinType.bIsWeakPointer, Kept.PinType.bIsWeakPointer);
	SetBool("PinType.bIsUObjectWrapper", Pin.PinType.bIsUObjectWrapper, Kept.PinType.bIsUObjectWrapper);
	if (Pin.DefaultValue != Kept.DefaultValue)
	{
		SetOptionalString(Fields(), "DefaultValue", Pin.DefaultValue, Kept.DefaultValue);
	}
	if (Pin.DefaultObject != Kept.DefaultObject)
	{
		SetOptionalString(Fields(), "DefaultObject", Pin.DefaultObject, Kept.DefaultObject);
	}
	if (Pin.DefaultTextValue != Kept.DefaultTextValue)
	{
		Pin.DefaultTextValue ? SetField(Fields(), "DefaultTextValue", ParseCopyPasteValue(*Pin.DefaultTextValue), "PersistentGuid")
							 : Remove("DefaultTextValue");
	}
	SetBool("bHidden", Pin.bHidden, Kept.bHidden);
	SetBool("bNotConnectable", Pin.bNotConnectable, Kept.bNotConnectable);
	SetBool("bAdvancedView", Pin.bAdvancedView, Kept.bAdvancedView);
	SetBool("bOrphanedPin", Pin.bOrphanedPin, Kept.bOrphanedPin);

	const std::string NodeName = Pin.GetOwningNode().GetName();
	std::vector<FCopyPastePinLink> SubPins;
	for (const UEdGraphPin* const Sub : Pin.SubPins)
	{
		SubPins.push_back({NodeName, Sub->PinId.ToString()});
	}
	if (SubPins.empty())
	{
		Remove("SubPins");
	}
	else if (!SameLinks(SubPins, KeptParsed.SubPins))
	{
		SetField(Fields(), "SubPins", WriteLinks(SubPins), "PersistentGuid");
	}
	const std::vector<FCopyPastePinLink> ParentPin = Pin.ParentPin ? std::vector<FCopyPastePinLink>{{NodeName, Pin.ParentPin->PinId.ToString()}} : std::vector<FCopyPastePinLink>{};
	const std::vector<FCopyPastePinLink> KeptParentPin = KeptParsed.ParentPin ? std::vector{*KeptParsed.ParentPin} : std::vector<FCopyPastePinLink>{};
	if (ParentPin.empty())
	{
		Remove("ParentPin");
	}
	else if (!SameLinks(ParentPin, KeptParentPin))
	{
		SetField(Fields(), "ParentPin", MakeToken(ParentPin.front().NodeName + " " + ParentPin.front().PinId), "PersistentGuid");
	}

	std::vector<FCopyPastePinLink> Links;
	for (const UEdGraphPin* const Linked : Pin.GetLinkedTo())
	{
		if (bIsExported(Linked->GetOwningNode()))
		{
			Links.push_back({Linked->GetOwningNode().GetName(), Linked->PinId.ToString()});
		}
	}
	if (Links.empty())
	{
		Remove("LinkedTo");
	}
	else if (!SameLinks(Links, KeptParsed.LinkedTo))
	{
		SetField(Fields(), "LinkedTo", WriteLinks(Links), "PersistentGuid");
	}
	if (!Edited && !Pin.KeptText.empty())
	{
		return Pin.KeptText;
	}
	return WriteCopyPasteValue(Current());
}
