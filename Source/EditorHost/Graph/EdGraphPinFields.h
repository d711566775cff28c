#pragma once

#include "Graph/CopyPasteTextPin.h"
#include "Graph/CopyPasteTextValue.h"

#include <functional>
#include <string>

class UEdGraphNode;
class UEdGraphPin;

/**
 * Fills the pin's typed fields from a parsed `CustomProperties Pin` line and its field list.
 * Keeping the field list (KeptFields) and the links are left to the caller.
 */
void ReadEdGraphPin(UEdGraphPin& Pin, const FCopyPastePin& Parsed, const FCopyPasteValue& Fields);

/**
 * The text of the pin's `CustomProperties Pin` line: the kept fields, with those whose typed
 * value changed rewritten and LinkedTo listing only links to nodes for which bIsExported is true.
 */
std::string WriteEdGraphPinText(const UEdGraphPin& Pin, const std::function<bool(const UEdGraphNode&)>& bIsExported);
