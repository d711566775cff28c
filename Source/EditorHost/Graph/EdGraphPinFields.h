#pragma once

#include "Graph/CopyPasteTextPin.h"
#include "Graph/CopyPasteTextValue.h"

#include <functional>

class UEdGraphNode;
class UEdGraphPin;

/** Fills the pin from a parsed `CustomProperties Pin` line and keeps all its fields. Links are left to the caller. */
void ReadEdGraphPin(UEdGraphPin& Pin, const FCopyPastePin& Parsed);

/**
 * The pin's `CustomProperties Pin` fields: the kept fields, with those whose typed value changed
 * rewritten and LinkedTo listing only links to nodes for which bIsExported is true.
 */
FCopyPasteValue WriteEdGraphPinFields(const UEdGraphPin& Pin, const std::function<bool(const UEdGraphNode&)>& bIsExported);
