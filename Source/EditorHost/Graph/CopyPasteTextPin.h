#pragma once

#include "Graph/EdGraphPinType.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** One end of a pin link: the top-level node's Name and the pin's PinId. */
struct FCopyPastePinLink
{
	std::string NodeName;
	std::string PinId;
};

/**
 * A read-only view of `CustomProperties Pin (...)`: the fields the graph layers need, with the
 * editor's defaults for those left out (tooltips, persistent ids and the default-value flags
 * stay in the line only). The line itself stays the record of every field, unknown
 * ones included; to change a field, parse the line as a value and write that back.
 */
struct FCopyPastePin
{
	std::string PinId;
	std::string PinName;
	/** A quoted string or a text call (NSLOCTEXT, LOCGEN_FORMAT_NAMED, INVTEXT), as written. */
	std::optional<std::string> PinFriendlyName;
	std::string Direction = "EGPD_Input";
	FEdGraphPinType PinType;
	std::optional<std::string> DefaultValue;
	std::optional<std::string> DefaultObject;
	/** A text value (NSLOCTEXT, INVTEXT, ...) as written. */
	std::optional<std::string> DefaultTextValue;
	std::vector<FCopyPastePinLink> LinkedTo;
	std::vector<FCopyPastePinLink> SubPins;
	std::optional<FCopyPastePinLink> ParentPin;
	bool bHidden = false;
	bool bNotConnectable = false;
	bool bAdvancedView = false;
	bool bOrphanedPin = false;
};

/** Reads the text after `CustomProperties Pin`; nothing when it is not a bracketed field list. */
std::optional<FCopyPastePin> ParseCopyPastePin(std::string_view Text);

/** `NodeName PinId` split at its last space; nothing when there is no space. */
std::optional<FCopyPastePinLink> ParseCopyPastePinLink(std::string_view Text);
