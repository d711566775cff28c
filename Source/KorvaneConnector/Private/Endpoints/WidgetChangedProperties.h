#pragma once

#include "Core/JsonObject.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class UObject;
class UWidget;

/** The longest property text the widget read lists, in UTF-16 code units as the editor counts; longer texts are left out. */
inline constexpr std::size_t MaxPropertyTextLength = 8000;

/**
 * Property name to text for every property of Object's class (its own first, then its bases')
 * that a user can see or edit (editable or Blueprint-visible, not transient, deprecated or
 * editor-only), is no delegate, is not "Slot" or "Navigation", and differs from the class default
 * object's value. A text property gives its display string; any other property its export text
 * against the default, so a structure lists only the members that differ. Empty texts and texts
 * longer than MaxPropertyTextLength are left out. In slot mode "Size" is normalised to "Auto" or
 * "Fill" where its text says no more than that (NormalizeSlotSizeText).
 */
std::shared_ptr<FJsonObject> CollectChangedProperties(const UObject& Object, bool bSlotMode);

/** A slot's "Size" text shortened as the desktop app reads it: "Auto", "Fill" for a fill of 1, else unchanged. */
std::string NormalizeSlotSizeText(std::string_view SizeText);

/** The widget as a node of the desktop app's tree: class, name, variable flag, changed properties, slot properties and children. */
std::shared_ptr<FJsonObject> ExportWidgetNode(const UWidget& Widget);
