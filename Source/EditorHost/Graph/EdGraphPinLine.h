#pragma once

#include "Core/Guid.h"
#include "Graph/CopyPasteTextPin.h"

#include <string>
#include <utility>

/**
 * A pin's `CustomProperties Pin` line as it was read, with what the pin read from it. Export
 * compares the pin with Read: a pin that still has those values writes Text back as it is, one
 * that changed rewrites only the fields that differ. A pin made in code has no Text and the
 * values an empty line stands for.
 */
struct FEdGraphPinLine
{
	FEdGraphPinLine() = default;
	FEdGraphPinLine(std::string InText, FCopyPastePin&& InRead, const FGuid& InPinId) : Text(std::move(InText)), Read(std::move(InRead)), PinId(InPinId) {}

	/** The field list as written, unknown fields included. */
	std::string Text;
	FCopyPastePin Read;
	/** Read.PinId as a GUID (zero when it is none), so export need not parse it again. */
	FGuid PinId;
};
