#pragma once

#include <cstddef>
#include <string>
#include <vector>

class UObject;

/** How deep pasted widgets may nest below their top widget; a deeper one is left unattached. */
inline constexpr std::size_t MaxPastedWidgetDepth = 128;

/**
 * Joins the top-level widgets a copy-paste text has just made into a hierarchy through their
 * panels' slots, so that every widget has at most one parent and none contains itself: each listed
 * slot gets its panel as parent and its content gets the slot. Left out, each with a warning: a
 * content widget already placed by an earlier slot, content that is not one of the top-level
 * widgets, extra slots of a one-child panel, a slot listed twice, a widget that would contain
 * itself and a widget nested deeper than MaxPastedWidgetDepth. Objects that are not widgets are
 * passed over.
 */
void LinkPastedWidgets(const std::vector<UObject*>& Objects, std::vector<std::string>& OutWarnings);
