#include "Graph/UserDefinedPins.h"

#include "Core/Guid.h"
#include "Core/Text.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphNodeProperties.h"

#include <algorithm>
#include <optional>

namespace
{
	constexpr std::string_view UserDefinedPinKind = "UserDefinedPin";

	std::string DirectionName(EEdGraphPinDirection Direction)
	{
		return Direction == EEdGraphPinDirection::Output ? "EGPD_Output" : "EGPD_Input";
	}

	/** The pin type as a UserDefinedPin line spells it: the category, then only the fields that differ from their defaults. */
	std::string WriteUserPinType(const FEdGraphPinType& PinType)
	{
		std::string Text = "(PinCategory=" + QuoteCopyPasteString(PinType.PinCategory);
		if (!PinType.PinSubCategory.empty())
		{
			Text += ",PinSubCategory=" + QuoteCopyPasteString(PinType.PinSubCategory);
		}
		if (!PinType.PinSubCategoryObject.empty() && PinType.PinSubCategoryObject != "None")
		{
			Text += ",PinSubCategoryObject=" + PinType.PinSubCategoryObject;
		}
		if (PinType.IsMap())
		{
			Text += ",PinValueType=(TerminalCategory=" + QuoteCopyPasteString(PinType.PinValueType.TerminalCategory);
			if (!PinType.PinValueType.TerminalSubCategory.empty())
			{
				Text += ",TerminalSubCategory=" + QuoteCopyPasteString(PinType.PinValueType.TerminalSubCategory);
			}
			if (PinType.PinValueType.TerminalSubCategoryObject != "None")
			{
				Text += ",TerminalSubCategoryObject=" + PinType.PinValueType.TerminalSubCategoryObject;
			}
			Text += ")";
		}
		if (PinType.ContainerType != "None" && !PinType.ContainerType.empty())
		{
			Text += ",ContainerType=" + PinType.ContainerType;
		}
		for (const auto& [bSet, Name] : {std::pair{PinType.bIsReference, "bIsReference"}, std::pair{PinType.bIsConst, "bIsConst"},
				 std::pair{PinType.bIsWeakPointer, "bIsWeakPointer"}, std::pair{PinType.bIsUObjectWrapper, "bIsUObjectWrapper"}})
		{
			if (bSet)
			{
				Text += std::string(",") + Name + "=True";
			}
		}
		return Text + ")";
	}

	FEdGraphPinType ReadUserPinType(const FCopyPasteValue& Value)
	{
		const auto Plain = [&Value](std::string_view Key) {
			const FCopyPasteValue* const Field = Value.Find(Key);
			return Field != nullptr ? Field->AsPlainText() : std::string();
		};
		const auto Flag = [&Plain](std::string_view Key) { return Text::EqualsIgnoreCase(Plain(Key), "True"); };
		FEdGraphPinType PinType;
		PinType.PinCategory = Plain("PinCategory");
		PinType.PinSubCategory = Plain("PinSubCategory");
		if (const FCopyPasteValue* const SubObject = Value.Find("PinSubCategoryObject"))
		{
			PinType.PinSubCategoryObject = WriteCopyPasteValue(*SubObject);
		}
		if (const FCopyPasteValue* const ValueType = Value.Find("PinValueType"))
		{
			const FCopyPasteValue* const Category = ValueType->Find("TerminalCategory");
			const FCopyPasteValue* const SubCategory = ValueType->Find("TerminalSubCategory");
			const FCopyPasteValue* const SubObject = ValueType->Find("TerminalSubCategoryObject");
			PinType.PinValueType.TerminalCategory = Category != nullptr ? Category->AsPlainText() : std::string();
			PinType.PinValueType.TerminalSubCategory = SubCategory != nullptr ? SubCategory->AsPlainText() : std::string();
			PinType.PinValueType.TerminalSubCategoryObject = SubObject != nullptr ? WriteCopyPasteValue(*SubObject) : std::string("None");
		}
		const std::string Container = Plain("ContainerType");
		PinType.ContainerType = Container.empty() ? "None" : Container;
		PinType.bIsReference = Flag("bIsReference");
		PinType.bIsConst = Flag("bIsConst");
		PinType.bIsWeakPointer = Flag("bIsWeakPointer");
		PinType.bIsUObjectWrapper = Flag("bIsUObjectWrapper");
		return PinType;
	}

	std::optional<FUserPinInfo> ParseUserPinLine(const FCopyPasteCustomProperty& Custom)
	{
		if (Custom.Kind != UserDefinedPinKind)
		{
			return std::nullopt;
		}
		const FCopyPasteValue Fields = ParseCopyPasteValue(Custom.Text);
		const FCopyPasteValue* const Name = Fields.Find("PinName");
		if (Fields.Kind != FCopyPasteValue::EKind::List || Name == nullptr)
		{
			return std::nullopt;
		}
		const FCopyPasteValue* const Type = Fields.Find("PinType");
		const FCopyPasteValue* const Direction = Fields.Find("DesiredPinDirection");
		return FUserPinInfo{Name->AsPlainText(), Type != nullptr ? ReadUserPinType(*Type) : FEdGraphPinType(),
			Direction != nullptr && Direction->AsPlainText() == "EGPD_Output" ? EEdGraphPinDirection::Output : EEdGraphPinDirection::Input};
	}

	bool IsPinLineSlot(const FCopyPasteCustomProperty& Custom)
	{
		return Custom.Kind == PinLineSlotKind;
	}

	/** Where in the body a new custom line of a kind goes: after the last line of that kind, else before the first line of Before, else at the end. */
	std::size_t LayoutSlotFor(const FCopyPasteObject& Object, std::string_view Kind, std::string_view Before)
	{
		std::optional<std::size_t> AfterLast;
		std::optional<std::size_t> BeforeFirst;
		for (std::size_t Index = 0; Index < Object.Layout.size(); ++Index)
		{
			const FCopyPasteLayoutEntry& Entry = Object.Layout[Index];
			if (Entry.Kind != ECopyPasteEntry::CustomProperty)
			{
				continue;
			}
			const std::string& EntryKind = Object.CustomProperties[Entry.Index].Kind;
			if (EntryKind == Kind)
			{
				AfterLast = Index + 1;
			}
			else if (EntryKind == Before && !BeforeFirst)
			{
				BeforeFirst = Index;
			}
		}
		return AfterLast.value_or(BeforeFirst.value_or(Object.Layout.size()));
	}

	void InsertCustomLine(FCopyPasteObject& Object, FCopyPasteCustomProperty Custom, std::string_view Before)
	{
		const std::size_t Slot = LayoutSlotFor(Object, Custom.Kind, Before);
		Object.Layout.insert(Object.Layout.begin() + static_cast<std::ptrdiff_t>(Slot), {ECopyPasteEntry::CustomProperty, Object.CustomProperties.size()});
		Object.CustomProperties.push_back(std::move(Custom));
	}

	/** The node's pins that are written as `CustomProperties Pin` lines, in order. */
	std::vector<UEdGraphPin*> PinLinePins(const UEdGraphNode& Node)
	{
		std::vector<UEdGraphPin*> Pins;
		for (const auto& Pin : Node.GetPins())
		{
			if (Pin->LegacyObjectName.empty())
			{
				Pins.push_back(Pin.get());
			}
		}
		return Pins;
	}

	/**
	 * Gives the node's typed properties a line and every pin a line slot among the node's kept
	 * lines, so that export writes properties, then pins, then the UserDefinedPin lines, as the
	 * editor does (export otherwise adds what has no line after all kept lines).
	 */
	void KeepPinLinesBeforeUserPins(UEdGraphNode& Node)
	{
		WriteEdGraphNodeProperties(Node, Node.KeptObject);
		const std::vector<UEdGraphPin*> Pins = PinLinePins(Node);
		const auto Slots = static_cast<std::size_t>(std::ranges::count_if(Node.KeptObject.CustomProperties, IsPinLineSlot));
		for (std::size_t Index = Slots; Index < Pins.size(); ++Index)
		{
			InsertCustomLine(Node.KeptObject, {std::string(PinLineSlotKind), {}}, UserDefinedPinKind);
		}
	}

	std::optional<std::size_t> FindUserPinLine(const UEdGraphNode& Node, std::string_view PinName)
	{
		const std::vector<FCopyPasteCustomProperty>& Customs = Node.KeptObject.CustomProperties;
		for (std::size_t Index = 0; Index < Customs.size(); ++Index)
		{
			const std::optional<FUserPinInfo> Info = ParseUserPinLine(Customs[Index]);
			if (Info && Text::EqualsIgnoreCase(Info->PinName, PinName))
			{
				return Index;
			}
		}
		return std::nullopt;
	}
}

std::vector<FUserPinInfo> GetUserDefinedPins(const UEdGraphNode& Node)
{
	std::vector<FUserPinInfo> Pins;
	for (const FCopyPasteCustomProperty& Custom : Node.KeptObject.CustomProperties)
	{
		if (std::optional<FUserPinInfo> Info = ParseUserPinLine(Custom))
		{
			Pins.push_back(std::move(*Info));
		}
	}
	return Pins;
}

UEdGraphPin* CreateUserDefinedPin(UEdGraphNode& Node, std::string_view PinName, const FEdGraphPinType& PinType, EEdGraphPinDirection DesiredDirection)
{
	const bool bNameTaken = std::ranges::any_of(Node.GetPins(), [PinName](const auto& Pin) { return Text::EqualsIgnoreCase(Pin->PinName, PinName); });
	if (PinName.empty() || bNameTaken || FindUserPinLine(Node, PinName))
	{
		return nullptr;
	}
	UEdGraphPin& Pin = Node.CreatePin();
	Pin.PinId = FGuid::NewGuid();
	Pin.PinName = std::string(PinName);
	Pin.Direction = DesiredDirection;
	Pin.PinType = PinType;
	KeepPinLinesBeforeUserPins(Node);
	const std::string Line = "(PinName=" + QuoteCopyPasteString(PinName) + ",PinType=" + WriteUserPinType(PinType) + ",DesiredPinDirection=" + DirectionName(DesiredDirection) + ")";
	InsertCustomLine(Node.KeptObject, {std::string(UserDefinedPinKind), Line}, {});
	return &Pin;
}

bool RemoveUserDefinedPin(UEdGraphNode& Node, std::string_view PinName)
{
	const std::optional<std::size_t> Line = FindUserPinLine(Node, PinName);
	if (!Line)
	{
		return false;
	}
	Node.KeptObject.RemoveCustomProperty(*Line);
	const std::vector<UEdGraphPin*> Pins = PinLinePins(Node);
	const auto Found = std::ranges::find_if(Pins, [PinName](const UEdGraphPin* Pin) { return Text::EqualsIgnoreCase(Pin->PinName, PinName); });
	if (Found == Pins.end())
	{
		return true;
	}
	const auto PinIndex = static_cast<std::size_t>(Found - Pins.begin());
	std::size_t PinLinesSeen = 0;
	for (std::size_t Index = 0; Index < Node.KeptObject.CustomProperties.size(); ++Index)
	{
		if (IsPinLineSlot(Node.KeptObject.CustomProperties[Index]) && PinLinesSeen++ == PinIndex)
		{
			Node.KeptObject.RemoveCustomProperty(Index);
			break;
		}
	}
	Node.RemovePin(**Found);
	return true;
}
