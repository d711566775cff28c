#pragma once

#include "Core/Guid.h"
#include "Graph/EdGraphPinLine.h"
#include "Graph/EdGraphPinType.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class UEdGraphNode;

enum class EEdGraphPinDirection
{
	Input,
	Output,
};

/**
 * One pin of a graph node, owned by the node. Links are pointers to pins of other nodes and
 * always go both ways (MakeLinkTo, BreakLinkTo). KeptLine holds the pin's copy-paste line as it
 * was read, unknown fields included, so export writes back what this type does not model.
 */
class UEdGraphPin
{
public:
	explicit UEdGraphPin(UEdGraphNode& InOwningNode) : OwningNode(&InOwningNode) {}
	~UEdGraphPin() { BreakAllPinLinks(); }
	UEdGraphPin(const UEdGraphPin&) = delete;
	UEdGraphPin& operator=(const UEdGraphPin&) = delete;

	FGuid PinId;
	std::string PinName;
	/** A quoted string or a text call (NSLOCTEXT, ...), as written. */
	std::optional<std::string> PinFriendlyName;
	EEdGraphPinDirection Direction = EEdGraphPinDirection::Input;
	FEdGraphPinType PinType;
	std::optional<std::string> DefaultValue;
	std::optional<std::string> DefaultObject;
	/** The DefaultTextValue field as written. */
	std::optional<std::string> DefaultTextValue;
	bool bHidden = false;
	bool bNotConnectable = false;
	bool bAdvancedView = false;
	bool bOrphanedPin = false;
	/** The pins of the same node that this split struct pin was broken into. */
	std::vector<UEdGraphPin*> SubPins;
	/** The pin of the same node this sub-pin was split from. */
	UEdGraphPin* ParentPin = nullptr;
	/** The copy-paste line the pin was read from; none for a pin made in code. Held apart so the pin itself stays small. */
	std::unique_ptr<const FEdGraphPinLine> KeptLine;
	/** The name of the `EdGraphPin` sub-object older engines stored the pin as; empty for a `CustomProperties Pin` line. */
	std::string LegacyObjectName;

	UEdGraphNode& GetOwningNode() const { return *OwningNode; }
	/**
	 * The name the graph shows on the pin: its friendly name when it has one, else its name as
	 * display words ("ReturnValue" as "Return Value"); empty for exec pins named execute or then,
	 * which the editor draws without a label, and for a pin named None.
	 */
	std::string GetDisplayName() const;
	const std::vector<UEdGraphPin*>& GetLinkedTo() const { return LinkedTo; }

	/** Links both pins; nothing when they are already linked or are the same pin. */
	void MakeLinkTo(UEdGraphPin& Other);
	/** Unlinks both pins; nothing when they are not linked. */
	void BreakLinkTo(UEdGraphPin& Other);
	void BreakAllPinLinks();
	/** Puts the links to these pins first, in this order (the ones not linked are skipped); the other links follow as they were. */
	void SortLinks(std::span<UEdGraphPin* const> Order);

private:
	UEdGraphNode* OwningNode;
	std::vector<UEdGraphPin*> LinkedTo;
};
