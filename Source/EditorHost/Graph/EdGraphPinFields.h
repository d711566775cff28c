#pragma once

#include "Graph/CopyPasteTextPin.h"

#include <functional>
#include <string>
#include <string_view>

class UEdGraphNode;
class UEdGraphPin;

/**
 * Fills the pin from a parsed `CustomProperties Pin` line: its typed fields, and KeptLine with
 * the line's text and what was read from it. The links are left to the caller.
 */
void ReadEdGraphPin(UEdGraphPin& Pin, FCopyPastePin&& Parsed, std::string LineText);

/**
 * The text of the pin's `CustomProperties Pin` line: the kept line, with the fields whose typed
 * value changed rewritten and LinkedTo listing only links to nodes for which bIsExported is true.
 * A pin with nothing changed gives its kept line as it was read (a view of it); a rewritten line
 * is held in Buffer, which the answer views until Buffer changes.
 */
std::string_view WriteEdGraphPinText(const UEdGraphPin& Pin, const std::function<bool(const UEdGraphNode&)>& bIsExported, std::string& Buffer);
