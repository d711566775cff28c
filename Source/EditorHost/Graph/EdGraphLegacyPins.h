#pragma once

#include "Graph/CopyPasteText.h"
#include "Graph/CopyPasteTextPin.h"

#include <functional>

class UEdGraphNode;
class UEdGraphPin;

/**
 * Pins as older engines wrote them: `EdGraphPin` sub-objects of the node (declared, then defined)
 * with PinName, Direction, PinType, DefaultValue and `LinkedTo(i)=EdGraphPin'Node.EdGraphPin_N'`
 * lines, where a link names the other node and its pin object instead of a PinId.
 */

/** Whether the child object is such a pin (`Class=EdGraphPin` or `Class=/Script/Engine.EdGraphPin`) with a name links can refer to. */
bool IsLegacyPinObject(const FCopyPasteObject& Object);

/**
 * Fills the pin from its sub-object and returns how the text names it: PinId holds the object's
 * name and LinkedTo the other ends as (node name, pin object name). Links are left to the caller.
 */
FCopyPastePin ReadLegacyEdGraphPin(UEdGraphPin& Pin, const FCopyPasteObject& Object);

/**
 * Writes the pin into Object, a copy of its sub-object: PinName, Direction and DefaultValue when
 * they changed, and the LinkedTo lines, listing legacy pins of nodes for which bIsExported is true,
 * when the links changed. Unchanged values keep their text.
 */
void WriteLegacyEdGraphPin(const UEdGraphPin& Pin, FCopyPasteObject& Object, const std::function<bool(const UEdGraphNode&)>& bIsExported);
