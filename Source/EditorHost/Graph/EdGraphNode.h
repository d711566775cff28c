#pragma once

#include "Core/Guid.h"
#include "Graph/CopyPasteText.h"
#include "Graph/EdGraphPin.h"
#include "Objects/Object.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The kind KeptObject gives a `CustomProperties Pin` line that became a pin: the pin holds its
 * line (UEdGraphPin::KeptLine), and export writes the next pin's line in that place. Kinds read
 * from text are single words, so no line read from text has this kind.
 */
inline constexpr std::string_view PinLineSlotKind = "Pin line";

class UEdGraphNode;

/** The nodes one paste made, found by the names their text gave them (a node may have been renamed since). */
class FEdGraphPastedNodes
{
public:
	virtual ~FEdGraphPastedNodes() = default;
	/** The pasted node the text called TextName, or nullptr when the paste made none of that name. */
	virtual UEdGraphNode* FindByTextName(std::string_view TextName) const = 0;
};

/**
 * A node of an editor graph, whatever its class: the class path is text, the common node
 * properties are typed, and every other property line, custom line and child object is kept
 * as it was read (KeptObject) so exporting the node writes it back unchanged.
 */
class UEdGraphNode : public UObject
{
	DECLARE_ENGINE_CLASS(UEdGraphNode, UObject, "/Script/Engine.EdGraphNode")

public:
	/** As written on `Begin Object Class=...`: `/Script/BlueprintGraph.K2Node_IfThenElse` or a short name. */
	std::string NodeClassPath;
	FGuid NodeGuid;
	int32_t NodePosX = 0;
	int32_t NodePosY = 0;
	int32_t NodeWidth = 0;
	int32_t NodeHeight = 0;
	std::string NodeComment;
	bool bCommentBubbleVisible = false;
	bool bCommentBubblePinned = false;
	/** The node's copy-paste object as read, pin lines as slots (PinLineSlotKind); its typed properties and pins are written from the fields above. */
	FCopyPasteObject KeptObject;
	/** How the text the node came from was laid out, so export writes it the same way. */
	FCopyPasteLayout KeptLayout;

	const std::vector<std::unique_ptr<UEdGraphPin>>& GetPins() const { return Pins; }
	UEdGraphPin& CreatePin();
	/** Breaks the pin's links and destroys it; nothing when the pin is not this node's. */
	void RemovePin(UEdGraphPin& Pin);
	UEdGraphPin* FindPin(std::string_view PinName) const;
	UEdGraphPin* FindPinById(const FGuid& PinId) const;
	/** The pin read from the legacy `EdGraphPin` sub-object of that name. */
	UEdGraphPin* FindLegacyPin(std::string_view ObjectName) const;

	/**
	 * Whether the editor placed the node itself as a hint (a new Blueprint's greyed-out events):
	 * disabled (EnabledState=Disabled) without the user having chosen that (bUserSetEnabledState).
	 */
	bool IsAutomaticallyPlacedGhostNode() const;

	/**
	 * The last step of pasting the node, taken on every pasted node in text order once all of
	 * them exist and are linked: a node that stands for more than its pins (a material node and
	 * its expression) makes the rest here, reaching the other pasted nodes through PastedNodes.
	 */
	virtual void PostPasteNode(const FEdGraphPastedNodes& PastedNodes);

private:
	std::vector<std::unique_ptr<UEdGraphPin>> Pins;
};
