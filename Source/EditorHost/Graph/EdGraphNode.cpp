#include "Graph/EdGraphNode.h"

#include "Graph/CopyPasteTextValue.h"

#include <algorithm>

UEdGraphPin& UEdGraphNode::CreatePin()
{
	return *Pins.emplace_back(std::make_unique<UEdGraphPin>(*this));
}

void UEdGraphNode::RemovePin(UEdGraphPin& Pin)
{
	const auto Found = std::ranges::find_if(Pins, [&Pin](const auto& Owned) { return Owned.get() == &Pin; });
	if (Found != Pins.end())
	{
		Pins.erase(Found);
	}
}

UEdGraphPin* UEdGraphNode::FindPin(std::string_view PinName) const
{
	const auto Found = std::ranges::find_if(Pins, [PinName](const auto& Pin) { return Pin->PinName == PinName; });
	return Found != Pins.end() ? Found->get() : nullptr;
}

UEdGraphPin* UEdGraphNode::FindPinById(const FGuid& PinId) const
{
	const auto Found = std::ranges::find_if(Pins, [&PinId](const auto& Pin) { return Pin->PinId == PinId; });
	return Found != Pins.end() ? Found->get() : nullptr;
}

UEdGraphPin* UEdGraphNode::FindLegacyPin(std::string_view ObjectName) const
{
	const auto Found = std::ranges::find_if(Pins, [ObjectName](const auto& Pin) { return !ObjectName.empty() && Pin->LegacyObjectName == ObjectName; });
	return Found != Pins.end() ? Found->get() : nullptr;
}

bool UEdGraphNode::IsAutomaticallyPlacedGhostNode() const
{
	const FCopyPasteProperty* const EnabledState = KeptObject.FindProperty("EnabledState");
	const FCopyPasteProperty* const UserSet = KeptObject.FindProperty("bUserSetEnabledState");
	const bool bDisabled = EnabledState != nullptr && ParseCopyPasteValue(EnabledState->Value).AsPlainText() == "Disabled";
	const bool bUserSet = UserSet != nullptr && ParseCopyPasteValue(UserSet->Value).AsPlainText() == "True";
	return bDisabled && !bUserSet;
}

void UEdGraphNode::PostPasteNode(const FEdGraphPastedNodes&)
{
}
